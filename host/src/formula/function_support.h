// What the @function implementations share: typed arguments and keyword tests.
//
// Internal to the formula engine.
#pragma once

#include <string>
#include <string_view>

#include "functions.h"
#include "program.h"
#include "text_util.h"

namespace host::formula {

inline Val TypedArg(State& state, const Node& call, std::size_t index, Type type) {
  Val value = state.Arg(call, index);
  state.Require(value, type, *call.children[index]);
  return value;
}
inline Val TextArg(State& state, const Node& call, std::size_t index) {
  return TypedArg(state, call, index, Type::Text);
}
inline Val NumberArg(State& state, const Node& call, std::size_t index) {
  return TypedArg(state, call, index, Type::Number);
}
inline Val TimeArg(State& state, const Node& call, std::size_t index) {
  return TypedArg(state, call, index, Type::Time);
}
// The first number of a number argument (0 for @Nothing).
inline double NumberOf(State& state, const Node& call, std::size_t index) {
  const Val value = NumberArg(state, call, index);
  return value.numbers.empty() ? 0 : value.numbers[0];
}
// The first text of a text argument ("" for @Nothing).
inline std::string TextOf(State& state, const Node& call, std::size_t index) {
  Val value = TextArg(state, call, index);
  return value.texts.empty() ? std::string() : std::move(value.texts[0]);
}

// Whether a keyword argument ([CN], [DESCENDING] ...) holds `keyword` (given in upper case).
inline bool HasKeyword(const Val& keywords, std::string_view keyword) {
  if (keywords.type != Type::Text) return false;
  for (const std::string& k : keywords.texts) {
    std::string_view word = k;
    if (word.size() >= 2 && word.front() == '[' && word.back() == ']') word = word.substr(1, word.size() - 2);
    if (EqualsIgnoringCase(word, keyword)) return true;
  }
  return false;
}

// A text value with `f` applied to each element.
template <typename F>
Val MapTexts(Val value, F f) {
  for (std::string& text : value.texts) text = f(text);
  return value;
}

}  // namespace host::formula
