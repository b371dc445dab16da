// @Sum @Max @Min @Abs @Round @Integer @Modulo @Sign @Sqrt @Power @Pi
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "function_support.h"

namespace host::formula {
namespace {

template <typename F>
Val Each(Val value, F f) {
  for (double& x : value.numbers) x = f(x);
  return value;
}
template <typename F>
Val Each(State& state, const Node& call, F f) {
  return Each(NumberArg(state, call, 0), f);
}

// f applied pairwise to the first two arguments, the shorter one padded with its last element.
template <typename F>
Val Pairwise(const Val& a, const Val& b, F f) {
  Val out = Val::Numbers({});
  if (a.numbers.empty() || b.numbers.empty()) return out;
  const std::size_t n = std::max(a.numbers.size(), b.numbers.size());
  for (std::size_t k = 0; k < n; ++k)
    out.numbers.push_back(f(a.numbers[std::min(k, a.numbers.size() - 1)], b.numbers[std::min(k, b.numbers.size() - 1)]));
  return out;
}
template <typename F>
Val Pairwise(State& state, const Node& call, F f) {
  const Val a = NumberArg(state, call, 0);
  return Pairwise(a, NumberArg(state, call, 1), f);
}

Val Sum(State& state, const Node& call) {
  double total = 0;
  for (std::size_t i = 0; i < call.children.size(); ++i)
    for (double x : NumberArg(state, call, i).numbers) total += x;
  return Val::Number(total);
}

Val Extreme(State& state, const Node& call, bool max) {
  auto pick = [max](double a, double b) { return max ? std::max(a, b) : std::min(a, b); };
  if (call.children.size() == 2) return Pairwise(state, call, pick);
  const Val list = NumberArg(state, call, 0);
  if (list.numbers.empty()) return list;
  double best = list.numbers[0];
  for (double x : list.numbers) best = pick(best, x);
  return Val::Number(best);
}

Val Max(State& s, const Node& c) { return Extreme(s, c, true); }
Val Min(State& s, const Node& c) { return Extreme(s, c, false); }
Val Abs(State& s, const Node& c) { return Each(s, c, [](double x) { return std::fabs(x); }); }
Val Integer(State& s, const Node& c) { return Each(s, c, [](double x) { return std::trunc(x); }); }
Val Sign(State& s, const Node& c) { return Each(s, c, [](double x) { return x > 0 ? 1.0 : x < 0 ? -1.0 : 0.0; }); }

Val Sqrt(State& state, const Node& call) {
  const Val value = NumberArg(state, call, 0);
  for (double x : value.numbers)
    if (x < 0) return Val::Error("@Sqrt of a negative number");
  return Each(value, [](double x) { return std::sqrt(x); });
}

// A multiple of a fractional factor, such as 3143 * 0.001, comes out a binary hair off the decimal
// it stands for; it is taken to the nearest number of 15 significant digits.
double Decimal15(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", x);
  return std::strtod(text, nullptr);
}

Val Round(State& state, const Node& call) {
  if (call.children.size() == 1) return Each(state, call, [](double x) { return std::round(x); });
  return Pairwise(state, call, [](double x, double factor) {
    return factor == 0 ? x : Decimal15(std::round(x / factor) * factor);
  });
}

Val Modulo(State& state, const Node& call) {
  const Val dividends = NumberArg(state, call, 0);
  const Val divisors = NumberArg(state, call, 1);
  for (double d : divisors.numbers)
    if (d == 0) state.Fail(call, kErrFormulaArgument, "@Modulo by zero");
  return Pairwise(dividends, divisors, [](double a, double b) { return std::fmod(a, b); });
}

Val Power(State& state, const Node& call) {
  return Pairwise(state, call, [](double base, double exponent) { return std::pow(base, exponent); });
}

Val Pi(State&, const Node&) { return Val::Number(std::numbers::pi); }

constexpr FunctionInfo kFunctions[] = {
    {"Sum", 1, kAnyCount, Sum},
    {"Max", 1, 2, Max},
    {"Min", 1, 2, Min},
    {"Abs", 1, 1, Abs},
    {"Round", 1, 2, Round},
    {"Integer", 1, 1, Integer},
    {"Modulo", 2, 2, Modulo},
    {"Sign", 1, 1, Sign},
    {"Sqrt", 1, 1, Sqrt},
    {"Power", 2, 2, Power},
    {"Pi", 0, 0, Pi},
};

}  // namespace

std::span<const FunctionInfo> NumberFunctions() { return kFunctions; }

}  // namespace host::formula
