#include "operators.h"

#include "text_util.h"
#include "time_util.h"

namespace host::formula {
namespace {

[[noreturn]] void WrongTypes(const State& state, const Node& node, const Val& a, const Val& b) {
  state.Fail(node, kErrFormulaDataType,
             "Incorrect data type for operator: " + std::string(TypeName(a.type)) + " and " +
                 std::string(TypeName(b.type)));
}

// Calls `f(i, j)` for every pair the operator combines, in result order.
template <typename F>
void ForPairs(const Node& node, std::size_t na, std::size_t nb, F f) {
  if (na == 0 || nb == 0) return;
  if (node.permuted) {
    for (std::size_t i = 0; i < na; ++i)
      for (std::size_t j = 0; j < nb; ++j) f(i, j);
    return;
  }
  const std::size_t n = std::max(na, nb);
  for (std::size_t k = 0; k < n; ++k) f(std::min(k, na - 1), std::min(k, nb - 1));
}

void CheckListSize(const State& state, const Node& node, std::size_t size) {
  if (size > kMaxListSize)
    state.Fail(node, kErrFormulaArgument, "The list grows beyond " + std::to_string(kMaxListSize) + " elements");
}

std::size_t PairCount(const State& state, const Node& node, std::size_t na, std::size_t nb) {
  if (na == 0 || nb == 0) return 0;
  if (node.permuted && na > kMaxListSize / nb) CheckListSize(state, node, kMaxListSize + 1);
  return node.permuted ? na * nb : std::max(na, nb);
}



Val Concatenate(const State& state, const Node& node, const Val& a, const Val& b) {
  if (a.Size() == 0) return b;
  if (b.Size() == 0) return a;
  if (a.type != b.type) WrongTypes(state, node, a, b);
  CheckListSize(state, node, a.Size() + b.Size());
  Val out = a;
  out.texts.insert(out.texts.end(), b.texts.begin(), b.texts.end());
  out.numbers.insert(out.numbers.end(), b.numbers.begin(), b.numbers.end());
  out.times.insert(out.times.end(), b.times.begin(), b.times.end());
  return out;
}

Val Arithmetic(const State& state, const Node& node, const Val& a, const Val& b) {
  const std::size_t n = PairCount(state, node, a.Size(), b.Size());
  if (a.type == Type::Number && b.type == Type::Number) {
    Val out = Val::Numbers({});
    out.numbers.reserve(n);
    ForPairs(node, a.Size(), b.Size(), [&](std::size_t i, std::size_t j) {
      const double x = a.numbers[i], y = b.numbers[j];
      switch (node.op) {
        case Op::Add: out.numbers.push_back(x + y); break;
        case Op::Subtract: out.numbers.push_back(x - y); break;
        case Op::Multiply: out.numbers.push_back(x * y); break;
        default:
          if (y == 0) state.Fail(node, kErrFormulaArgument, "Division by zero");
          out.numbers.push_back(x / y);
      }
    });
    return out;
  }
  if (node.op == Op::Add && a.type == Type::Text && b.type == Type::Text) {
    Val out = Val::Texts({});
    out.texts.reserve(n);
    std::size_t bytes = 0;
    ForPairs(node, a.Size(), b.Size(), [&](std::size_t i, std::size_t j) {
      bytes += a.texts[i].size() + b.texts[j].size();
      if (bytes > kMaxTextBytes) state.Fail(node, kErrFormulaArgument, "The text grows too long");
      out.texts.push_back(a.texts[i] + b.texts[j]);
    });
    return out;
  }
  if (node.op == Op::Subtract && a.type == Type::Time && b.type == Type::Time) {
    Val out = Val::Numbers({});
    ForPairs(node, a.Size(), b.Size(), [&](std::size_t i, std::size_t j) {
      out.numbers.push_back(SecondsBetween(a.times[i], b.times[j]));
    });
    return out;
  }
  const bool addsToTime = (node.op == Op::Add || node.op == Op::Subtract) && a.type == Type::Time && b.type == Type::Number;
  const bool timeAdded = node.op == Op::Add && a.type == Type::Number && b.type == Type::Time;
  if (addsToTime || timeAdded) {
    Val out = Val::Times({});
    const double sign = node.op == Op::Subtract ? -1 : 1;
    ForPairs(node, a.Size(), b.Size(), [&](std::size_t i, std::size_t j) {
      const auto moved = addsToTime ? AddSeconds(a.times[i], sign * b.numbers[j]) : AddSeconds(b.times[j], a.numbers[i]);
      if (!moved) state.Fail(node, kErrFormulaArgument, "The date/time moves out of range");
      out.times.push_back(*moved);
    });
    return out;
  }
  WrongTypes(state, node, a, b);
}

bool Holds(Op op, int order) {
  switch (op) {
    case Op::Equal: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::Greater: return order > 0;
    case Op::LessEqual: return order <= 0;
    default: return order >= 0;
  }
}

Val Comparison(const State& state, const Node& node, const Val& a, const Val& b) {
  if (a.type != b.type) WrongTypes(state, node, a, b);
  bool any = false;
  ForPairs(node, a.Size(), b.Size(), [&](std::size_t i, std::size_t j) {
    if (!any && Holds(node.op, CompareElements(a, i, b, j))) any = true;
  });
  return Val::Bool(any);
}

}  // namespace

int CompareElements(const Val& a, std::size_t i, const Val& b, std::size_t j) {
  switch (a.type) {
    case Type::Number: return a.numbers[i] < b.numbers[j] ? -1 : a.numbers[i] > b.numbers[j] ? 1 : 0;
    case Type::Time: return CompareTimes(a.times[i], b.times[j]);
    case Type::Text:
    case Type::Error: break;
  }
  return CompareIgnoringCase(a.texts[i], b.texts[j]);
}

Val ApplyBinary(State& state, const Node& node, const Val& a, const Val& b) {
  if (a.IsError()) return a;
  if (b.IsError()) return b;
  switch (node.op) {
    case Op::List: return Concatenate(state, node, a, b);
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply:
    case Op::Divide: return Arithmetic(state, node, a, b);
    default: return Comparison(state, node, a, b);
  }
}

Val ApplyUnary(State& state, const Node& node, const Val& a) {
  if (a.IsError()) return a;
  state.Require(a, Type::Number, node);
  Val out = a;
  for (double& x : out.numbers) {
    if (node.op == Op::Negate) x = -x;
    else if (node.op == Op::Not) x = x == 0 ? 1 : 0;
  }
  return out;
}

}  // namespace host::formula
