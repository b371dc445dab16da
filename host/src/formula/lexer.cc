#include "lexer.h"

#include <cctype>
#include <cstdlib>

#include "status_error.h"

namespace host::formula {
namespace {

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == '$' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || std::isdigit(c) || c == '.'; }

// Whether a `[` after this token opens a subscript rather than a constant.
bool EndsValue(Tok kind) {
  return kind == Tok::Name || kind == Tok::Function || kind == Tok::RParen || kind == Tok::SubscriptClose ||
         kind == Tok::Number || kind == Tok::Text || kind == Tok::Bracket;
}

struct Operator {
  std::string_view spelling;
  Tok kind;
};

// Longest spellings first, so that "*<=" wins over "*<" and "<" alone.
constexpr Operator kOperators[] = {
    {"*<>", Tok::PermNotEqual}, {"*<=", Tok::PermLessEqual}, {"*>=", Tok::PermGreaterEqual},
    {":=", Tok::Assign},        {"*+", Tok::PermPlus},       {"*-", Tok::PermMinus},
    {"**", Tok::PermTimes},     {"*/", Tok::PermDivide},     {"*=", Tok::PermEqual},
    {"*<", Tok::PermLess},      {"*>", Tok::PermGreater},    {"<>", Tok::NotEqual},
    {"!=", Tok::NotEqual},      {"=!", Tok::NotEqual},       {"><", Tok::NotEqual},
    {"<=", Tok::LessEqual},     {">=", Tok::GreaterEqual},   {":", Tok::Colon},
    {"+", Tok::Plus},           {"-", Tok::Minus},           {"*", Tok::Times},
    {"/", Tok::Divide},         {"=", Tok::Equal},           {"<", Tok::Less},
    {">", Tok::Greater},        {"!", Tok::Not},             {"&", Tok::And},
    {"|", Tok::Or},             {"(", Tok::LParen},          {")", Tok::RParen},
    {";", Tok::Semicolon},
};

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  std::vector<Token> Run() {
    std::vector<Token> tokens;
    int subscriptDepth = 0;
    int open = 0;      // parentheses and subscripts
    int prefixes = 0;  // signs and negations in a row where a value belongs
    for (;;) {
      SkipSpace();
      Token token;
      token.position = position_;
      if (at_ >= text_.size()) {
        tokens.push_back(token);
        return tokens;
      }
      const unsigned char c = static_cast<unsigned char>(text_[at_]);
      const Tok previous = tokens.empty() ? Tok::End : tokens.back().kind;
      if (c == '"' || c == '{') {
        token.kind = Tok::Text;
        token.text = QuotedText(c == '"' ? '"' : '}', token.position);
      } else if (std::isdigit(c) || (c == '.' && at_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_ + 1])))) {
        token.kind = Tok::Number;
        token.number = NumberValue();
      } else if (c == '@') {
        Advance(1);
        token.kind = Tok::Function;
        token.text = NameText();
        if (token.text.empty()) Fail("a function name must follow '@'", token.position);
      } else if (IsNameStart(c)) {
        token.kind = Tok::Name;
        token.text = NameText();
      } else if (c == '[' && EndsValue(previous)) {
        Advance(1);
        token.kind = Tok::SubscriptOpen;
        ++subscriptDepth;
      } else if (c == '[') {
        token.kind = Tok::Bracket;
        token.text = BracketText(token.position);
      } else if (c == ']' && subscriptDepth > 0) {
        Advance(1);
        token.kind = Tok::SubscriptClose;
        --subscriptDepth;
      } else {
        token.kind = OperatorKind(token.position);
      }
      if (token.kind == Tok::LParen || token.kind == Tok::SubscriptOpen) ++open;
      if ((token.kind == Tok::RParen || token.kind == Tok::SubscriptClose) && open > 0) --open;
      const bool prefix = token.kind == Tok::Minus || token.kind == Tok::Plus || token.kind == Tok::Not;
      prefixes = prefix && !EndsValue(previous) ? prefixes + 1 : 0;
      if (open > kMaxNesting || prefixes > kMaxNesting) Fail("the formula is nested too deeply", token.position);
      tokens.push_back(std::move(token));
    }
  }

 private:
  [[noreturn]] static void Fail(const std::string& what, int position) {
    throw StatusError{kErrFormulaSyntax, "Syntax error: " + what + " at position " + std::to_string(position)};
  }

  void Advance(std::size_t bytes) {
    for (std::size_t i = 0; i < bytes && at_ < text_.size(); ++i, ++at_)
      if ((static_cast<unsigned char>(text_[at_]) & 0xC0) != 0x80) ++position_;
  }

  void SkipSpace() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) Advance(1);
  }

  std::string QuotedText(char close, int start) {
    Advance(1);
    std::string out;
    while (at_ < text_.size() && text_[at_] != close) {
      if (text_[at_] == '\\' && at_ + 1 < text_.size()) Advance(1);
      out += text_[at_];
      Advance(1);
    }
    if (at_ >= text_.size()) Fail(std::string("text constant without its closing '") + close + "'", start);
    Advance(1);
    return out;
  }

  double NumberValue() {
    const std::size_t begin = at_;
    auto digits = [&] {
      while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) Advance(1);
    };
    digits();
    if (at_ < text_.size() && text_[at_] == '.') {
      Advance(1);
      digits();
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      std::size_t next = at_ + 1;
      if (next < text_.size() && (text_[next] == '+' || text_[next] == '-')) ++next;
      if (next < text_.size() && std::isdigit(static_cast<unsigned char>(text_[next]))) {
        Advance(next - at_);
        digits();
      }
    }
    return std::strtod(std::string(text_.substr(begin, at_ - begin)).c_str(), nullptr);
  }

  std::string NameText() {
    const std::size_t begin = at_;
    while (at_ < text_.size() && IsNameChar(static_cast<unsigned char>(text_[at_]))) Advance(1);
    return std::string(text_.substr(begin, at_ - begin));
  }

  std::string BracketText(int start) {
    Advance(1);
    const std::size_t begin = at_;
    while (at_ < text_.size() && text_[at_] != ']') Advance(1);
    if (at_ >= text_.size()) Fail("'[' without its closing ']'", start);
    std::string inside(text_.substr(begin, at_ - begin));
    Advance(1);
    return inside;
  }

  Tok OperatorKind(int position) {
    for (const Operator& op : kOperators) {
      if (text_.substr(at_, op.spelling.size()) == op.spelling) {
        Advance(op.spelling.size());
        return op.kind;
      }
    }
    std::size_t length = 1;
    while (at_ + length < text_.size() && (static_cast<unsigned char>(text_[at_ + length]) & 0xC0) == 0x80) ++length;
    Fail("unexpected '" + std::string(text_.substr(at_, length)) + "'", position);
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int position_ = 1;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view formula) { return Lexer(formula).Run(); }

std::string Describe(const Token& token) {
  switch (token.kind) {
    case Tok::End: return "the end of the formula";
    case Tok::Number: return "a number";
    case Tok::Text: return "\"" + token.text + "\"";
    case Tok::Name: return "'" + token.text + "'";
    case Tok::Function: return "'@" + token.text + "'";
    case Tok::Bracket: return "'[" + token.text + "]'";
    case Tok::SubscriptOpen: return "'['";
    case Tok::SubscriptClose: return "']'";
    default: break;
  }
  for (const Operator& op : kOperators)
    if (op.kind == token.kind) return "'" + std::string(op.spelling) + "'";
  return "an operator";
}

}  // namespace host::formula
