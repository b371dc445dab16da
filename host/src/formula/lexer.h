// The formula language's tokens.
//
// Internal to the formula engine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host::formula {

enum class Tok : std::uint8_t {
  End,
  Number,       // number: `number`
  Text,         // "..." or {...}: `text` without its escapes
  Name,         // a field, variable or keyword: `text`
  Function,     // @Name: `text` is the name without "@"
  Bracket,      // [ ... ] in a value's place: a date/time or keyword constant, `text` inside
  SubscriptOpen,
  SubscriptClose,
  LParen,
  RParen,
  Semicolon,
  Assign,       // :=
  Colon,        // :
  Plus, Minus, Times, Divide,
  PermPlus, PermMinus, PermTimes, PermDivide,
  Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
  PermEqual, PermNotEqual, PermLess, PermGreater, PermLessEqual, PermGreaterEqual,
  Not, And, Or,
};

struct Token {
  Tok kind = Tok::End;
  std::string text;
  double number = 0;
  int position = 1;  // 1-based character position in the formula
};

// How deeply a formula may nest, in its parentheses and subscripts and in the tree compiled from
// it: deep enough for any real formula, shallow enough that compiling and evaluating never
// exhaust the stack.
inline constexpr int kMaxNesting = 400;

// The tokens of `formula`, ending with Tok::End. Throws StatusError (kErrFormulaSyntax) for an
// unterminated text or bracket, a character that starts no token, or parentheses and subscripts
// open, or signs and negations in a row, more than kMaxNesting deep (found before the rest of the
// formula is read).
std::vector<Token> Tokenize(std::string_view formula);

// What a token looks like in a message: "')'", "the end of the formula", "\"abc\"" ...
std::string Describe(const Token& token);

}  // namespace host::formula
