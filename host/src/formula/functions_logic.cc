// @If @True @False @Yes @No @Success @Error @IsError @Do @Return @Select @Transform @Nothing @For @While
#include "function_support.h"

namespace host::formula {
namespace {

constexpr int kLoopLimit = 100000;

Val If(State& state, const Node& call) {
  const std::size_t n = call.children.size();
  for (std::size_t i = 0; i + 1 < n; i += 2) {
    const Val condition = state.Arg(call, i);
    if (state.Truth(condition, *call.children[i])) return state.Eval(*call.children[i + 1]);
  }
  return state.Eval(*call.children[n - 1]);
}

Val True(State&, const Node&) { return Val::Bool(true); }
Val False(State&, const Node&) { return Val::Bool(false); }
Val Error(State&, const Node&) { return Val::Error("The formula's value is @Error"); }
Val Nothing(State&, const Node&) { return Val::Texts({}); }

Val IsError(State& state, const Node& call) { return Val::Bool(state.Eval(*call.children[0]).IsError()); }

Val Do(State& state, const Node& call) {
  Val last;
  for (const auto& child : call.children) last = state.Eval(*child);
  return last;
}

Val Return(State& state, const Node& call) { throw ReturnSignal{state.Eval(*call.children[0])}; }

Val Select(State& state, const Node& call) {
  const double n = NumberOf(state, call, 0);
  const std::size_t choices = call.children.size() - 1;
  if (!(n >= 1)) state.Fail(call, kErrFormulaArgument, "@Select needs a number of at least 1");
  const std::size_t index = n >= static_cast<double>(choices) ? choices : static_cast<std::size_t>(n);
  return state.Eval(*call.children[index]);
}

Val Element(const Val& list, std::size_t i) {
  switch (list.type) {
    case Type::Number: return Val::Number(list.numbers[i]);
    case Type::Time: return Val::Time(list.times[i]);
    default: return Val::Text(list.texts[i]);
  }
}

Val Transform(State& state, const Node& call) {
  const Val list = state.Arg(call, 0);
  Val out;
  bool typed = false;
  for (std::size_t i = 0; i < list.Size(); ++i) {
    state.SetVariable(call.slot, Element(list, i));
    Val piece = state.Eval(*call.children[2]);
    if (piece.IsError()) return piece;
    if (piece.Size() == 0) continue;
    if (!typed) {
      out = std::move(piece);
      typed = true;
      continue;
    }
    if (piece.type != out.type) state.Require(piece, out.type, *call.children[2]);
    if (out.Size() + piece.Size() > kMaxListSize)
      state.Fail(call, kErrFormulaArgument, "@Transform: the list grows beyond " + std::to_string(kMaxListSize) + " elements");
    out.texts.insert(out.texts.end(), piece.texts.begin(), piece.texts.end());
    out.numbers.insert(out.numbers.end(), piece.numbers.begin(), piece.numbers.end());
    out.times.insert(out.times.end(), piece.times.begin(), piece.times.end());
  }
  if (!typed) return Val::Texts({});
  return out;
}

void CheckLoops(State& state, const Node& call, int& iterations) {
  if (++iterations > kLoopLimit)
    state.Fail(call, kErrFormulaLoopLimit, "@" + call.name + " ran more than " + std::to_string(kLoopLimit) + " times");
}

Val For(State& state, const Node& call) {
  int iterations = 0;
  for (state.Arg(call, 0); state.Truth(state.Arg(call, 1), *call.children[1]); state.Arg(call, 2)) {
    CheckLoops(state, call, iterations);
    for (std::size_t i = 3; i < call.children.size(); ++i) state.Arg(call, i);
  }
  return Val::Bool(true);
}

Val While(State& state, const Node& call) {
  int iterations = 0;
  while (state.Truth(state.Arg(call, 0), *call.children[0])) {
    CheckLoops(state, call, iterations);
    for (std::size_t i = 1; i < call.children.size(); ++i) state.Arg(call, i);
  }
  return Val::Bool(true);
}

constexpr FunctionInfo kFunctions[] = {
    {"If", 3, kAnyCount, If, ArgRule::OddCount},
    {"True", 0, 0, True},
    {"Yes", 0, 0, True},
    {"Success", 0, 0, True},
    {"False", 0, 0, False},
    {"No", 0, 0, False},
    {"Error", 0, 0, Error},
    {"IsError", 1, 1, IsError},
    {"Do", 1, kAnyCount, Do},
    {"Return", 1, 1, Return},
    {"Select", 2, kAnyCount, Select},
    {"Transform", 3, 3, Transform, ArgRule::VariableName},
    {"Nothing", 0, 0, Nothing},
    {"For", 4, kAnyCount, For},
    {"While", 2, kAnyCount, While},
};

}  // namespace

std::span<const FunctionInfo> LogicFunctions() { return kFunctions; }

}  // namespace host::formula
