// Compile: formula text to a Program.
#include <algorithm>
#include <cctype>
#include <map>

#include "engine.h"
#include "functions.h"
#include "lexer.h"
#include "program.h"
#include "text_util.h"
#include "time_util.h"

namespace host::formula {
namespace {

using NodePtr = std::unique_ptr<Node>;

NodePtr MakeNode(NodeKind kind, int position) {
  auto node = std::make_unique<Node>();
  node->kind = kind;
  node->position = position;
  return node;
}

struct BinaryOp {
  Tok token;
  Op op;
  bool permuted;
};

constexpr BinaryOp kMultiplicative[] = {
    {Tok::Times, Op::Multiply, false}, {Tok::Divide, Op::Divide, false},
    {Tok::PermTimes, Op::Multiply, true}, {Tok::PermDivide, Op::Divide, true}};
constexpr BinaryOp kAdditive[] = {
    {Tok::Plus, Op::Add, false}, {Tok::Minus, Op::Subtract, false},
    {Tok::PermPlus, Op::Add, true}, {Tok::PermMinus, Op::Subtract, true}};
constexpr BinaryOp kComparison[] = {
    {Tok::Equal, Op::Equal, false},         {Tok::NotEqual, Op::NotEqual, false},
    {Tok::Less, Op::Less, false},           {Tok::Greater, Op::Greater, false},
    {Tok::LessEqual, Op::LessEqual, false}, {Tok::GreaterEqual, Op::GreaterEqual, false},
    {Tok::PermEqual, Op::Equal, true},      {Tok::PermNotEqual, Op::NotEqual, true},
    {Tok::PermLess, Op::Less, true},        {Tok::PermGreater, Op::Greater, true},
    {Tok::PermLessEqual, Op::LessEqual, true}, {Tok::PermGreaterEqual, Op::GreaterEqual, true}};

template <std::size_t N>
const BinaryOp* FindOp(const BinaryOp (&ops)[N], Tok token) {
  for (const BinaryOp& op : ops)
    if (op.token == token) return &op;
  return nullptr;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : tokens_(Tokenize(text)) {}

  std::shared_ptr<Program> Run() {
    auto program = std::make_shared<Program>();
    for (;;) {
      if (Peek().kind == Tok::Semicolon) {
        Next();
        continue;
      }
      if (Peek().kind == Tok::End) break;
      bool isSelect = false;
      if (NodePtr statement = Statement(isSelect)) {
        if (isSelect) program->selectStatement = static_cast<int>(program->statements.size());
        program->statements.push_back(std::move(statement));
      }
      if (Peek().kind != Tok::End) Expect(Tok::Semicolon, "';'");
    }
    // A name assigned anywhere in the formula is that variable wherever it is used, the field of
    // that name while the variable is unset.
    for (Node* reference : references_) {
      reference->slot = FindVariable(reference->name);
      if (reference->slot >= 0) reference->kind = NodeKind::Variable;
    }
    program->variableCount = static_cast<int>(variables_.size());
    return program;
  }

 private:
  const Token& Peek(std::size_t ahead = 0) const {
    const std::size_t at = std::min(at_ + ahead, tokens_.size() - 1);
    return tokens_[at];
  }
  const Token& Next() {
    const Token& token = tokens_[at_];
    if (at_ + 1 < tokens_.size()) ++at_;
    return token;
  }

  [[noreturn]] void Fail(STATUS status, const std::string& what, int position) const {
    throw StatusError{status, what + " at position " + std::to_string(position)};
  }
  [[noreturn]] void Unexpected(const std::string& expected) const {
    Fail(kErrFormulaSyntax, "Syntax error: " + expected + " expected, found " + Describe(Peek()), Peek().position);
  }
  void Expect(Tok kind, const std::string& spelled) {
    if (Peek().kind != kind) Unexpected(spelled);
    Next();
  }

  void Adopt(Node& parent, NodePtr child) {
    parent.depth = std::max(parent.depth, child->depth + 1);
    if (parent.depth > kMaxNesting) TooDeep(parent.position);
    parent.children.push_back(std::move(child));
  }
  [[noreturn]] void TooDeep(int position) const {
    Fail(kErrFormulaSyntax, "Syntax error: the formula is nested too deeply", position);
  }

  // Counts the parser's own nesting while it is inside an expression.
  class Nesting {
   public:
    explicit Nesting(Parser& parser) : parser_(parser) {
      if (++parser_.nesting_ > kMaxNesting) parser_.TooDeep(parser_.Peek().position);
    }
    ~Nesting() { --parser_.nesting_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& parser_;
  };

  bool PeekKeyword(std::string_view word) const {
    return Peek().kind == Tok::Name && EqualsIgnoringCase(Peek().text, word);
  }

  // A statement; null for REM. `isSelect` tells whether it was SELECT's.
  NodePtr Statement(bool& isSelect) {
    if (PeekKeyword("REM")) {
      Next();
      Expect(Tok::Text, "a text constant after REM");
      return nullptr;
    }
    if (PeekKeyword("SELECT")) {
      Next();
      isSelect = true;
      return Expression();
    }
    if (PeekKeyword("ENVIRONMENT") && Peek(1).kind == Tok::Name) {
      Fail(kErrFormulaUnsupported, "ENVIRONMENT assignments cannot run here", Peek().position);
    }
    return Assignment();
  }

  // `name := expr`, `FIELD name := expr`, `DEFAULT name := expr`, or an expression.
  NodePtr Assignment() {
    const int position = Peek().position;
    NodeKind kind = NodeKind::SetVariable;
    if ((PeekKeyword("FIELD") || PeekKeyword("DEFAULT")) && Peek(1).kind == Tok::Name) {
      kind = PeekKeyword("FIELD") ? NodeKind::SetField : NodeKind::DefaultField;
      Next();
      if (Peek(1).kind != Tok::Assign) {
        Next();
        Unexpected("':='");
      }
    }
    if (Peek().kind != Tok::Name || Peek(1).kind != Tok::Assign) return Expression();
    const std::string name = Next().text;
    Next();
    NodePtr node = MakeNode(kind, position);
    node->name = name;
    Adopt(*node, Expression());
    if (kind == NodeKind::SetVariable) node->slot = VariableSlot(name);
    return node;
  }

  int VariableSlot(const std::string& name) {
    const std::string key = AsciiUpper(name);
    auto [it, inserted] = variables_.try_emplace(key, static_cast<int>(variables_.size()));
    return it->second;
  }
  int FindVariable(const std::string& name) const {
    auto it = variables_.find(AsciiUpper(name));
    return it == variables_.end() ? -1 : it->second;
  }

  // Logic: `!`, then `&` and `|` left to right.
  NodePtr Expression() {
    const Nesting nesting(*this);
    NodePtr left = Negation();
    while (Peek().kind == Tok::And || Peek().kind == Tok::Or) {
      const Token& token = Next();
      NodePtr node = MakeNode(NodeKind::Binary, token.position);
      node->op = token.kind == Tok::And ? Op::And : Op::Or;
      Adopt(*node, std::move(left));
      Adopt(*node, Negation());
      left = std::move(node);
    }
    return left;
  }

  NodePtr Negation() {
    const Nesting nesting(*this);
    if (Peek().kind != Tok::Not) return Binary(kComparison, &Parser::Additive);
    const int position = Next().position;
    NodePtr node = MakeNode(NodeKind::Unary, position);
    node->op = Op::Not;
    Adopt(*node, Negation());
    return node;
  }

  template <std::size_t N>
  NodePtr Binary(const BinaryOp (&ops)[N], NodePtr (Parser::*operand)()) {
    NodePtr left = (this->*operand)();
    while (const BinaryOp* op = FindOp(ops, Peek().kind)) {
      NodePtr node = MakeNode(NodeKind::Binary, Next().position);
      node->op = op->op;
      node->permuted = op->permuted;
      Adopt(*node, std::move(left));
      Adopt(*node, (this->*operand)());
      left = std::move(node);
    }
    return left;
  }

  NodePtr Additive() { return Binary(kAdditive, &Parser::Multiplicative); }
  NodePtr Multiplicative() { return Binary(kMultiplicative, &Parser::Signed); }

  // Unary + and -, which bind looser than ':': -1:2 is -(1:2).
  NodePtr Signed() {
    const Nesting nesting(*this);
    if (Peek().kind != Tok::Plus && Peek().kind != Tok::Minus) return List();
    const Token& token = Next();
    NodePtr node = MakeNode(NodeKind::Unary, token.position);
    node->op = token.kind == Tok::Minus ? Op::Negate : Op::Plus;
    Adopt(*node, Signed());
    return node;
  }

  NodePtr List() {
    NodePtr left = Postfix();
    while (Peek().kind == Tok::Colon) {
      NodePtr node = MakeNode(NodeKind::Binary, Next().position);
      node->op = Op::List;
      Adopt(*node, std::move(left));
      Adopt(*node, ListElement());
      left = std::move(node);
    }
    return left;
  }

  // An element after ':' may carry its own sign: 1:-2.
  NodePtr ListElement() {
    const Nesting nesting(*this);
    if (Peek().kind != Tok::Plus && Peek().kind != Tok::Minus) return Postfix();
    const Token& token = Next();
    NodePtr node = MakeNode(NodeKind::Unary, token.position);
    node->op = token.kind == Tok::Minus ? Op::Negate : Op::Plus;
    Adopt(*node, ListElement());
    return node;
  }

  NodePtr Postfix() {
    NodePtr value = Primary();
    while (Peek().kind == Tok::SubscriptOpen) {
      NodePtr node = MakeNode(NodeKind::Subscript, Next().position);
      Adopt(*node, std::move(value));
      Adopt(*node, Expression());
      Expect(Tok::SubscriptClose, "']'");
      value = std::move(node);
    }
    return value;
  }

  NodePtr Primary() {
    const Token& token = Peek();
    switch (token.kind) {
      case Tok::Number: {
        NodePtr node = MakeNode(NodeKind::Constant, token.position);
        node->constant = Val::Number(Next().number);
        return node;
      }
      case Tok::Text: {
        NodePtr node = MakeNode(NodeKind::Constant, token.position);
        node->constant = Val::Text(Next().text);
        return node;
      }
      case Tok::Bracket: return BracketConstant(Next());
      case Tok::Name: return NameReference(Next());
      case Tok::Function: return Call(Next());
      case Tok::LParen: {
        Next();
        NodePtr inner = Expression();
        Expect(Tok::RParen, "')'");
        return inner;
      }
      default: Unexpected("a value");
    }
  }

  NodePtr NameReference(const Token& token) {
    NodePtr node = MakeNode(NodeKind::Field, token.position);
    node->name = token.text;
    references_.push_back(node.get());
    return node;
  }

  // [2026/12/10], [17:30], [Today], or a keyword such as [CN] (its text, upper case).
  NodePtr BracketConstant(const Token& token) {
    struct Relative {
      std::string_view word;
      int days;
    };
    static constexpr Relative kRelative[] = {{"Today", 0}, {"Yesterday", -1}, {"Tomorrow", 1}};
    std::string_view inside = token.text;
    while (!inside.empty() && inside.front() == ' ') inside.remove_prefix(1);
    while (!inside.empty() && inside.back() == ' ') inside.remove_suffix(1);
    for (const Relative& r : kRelative) {
      if (EqualsIgnoringCase(inside, r.word)) {
        NodePtr node = MakeNode(NodeKind::RelativeDay, token.position);
        node->number = r.days;
        return node;
      }
    }
    const bool looksLikeTime = !inside.empty() && (std::isdigit(static_cast<unsigned char>(inside.front())));
    if (looksLikeTime) {
      const auto value = ParseDateTime(inside, model::International::DateOrder::MDY, model::DateTime{});
      if (!value) Fail(kErrFormulaSyntax, "Syntax error: invalid date/time constant [" + token.text + "]", token.position);
      NodePtr node = MakeNode(NodeKind::LocalTime, token.position);
      node->constant = Val::Time(*value);
      return node;
    }
    NodePtr node = MakeNode(NodeKind::Constant, token.position);
    node->constant = Val::Text(AsciiUpper(inside));
    return node;
  }

  NodePtr Call(const Token& token) {
    const FunctionInfo* function = FindFunction(token.text);
    if (!function) {
      if (IsUnsupportedFunction(token.text))
        Fail(kErrFormulaUnsupported, "@" + token.text + " cannot run here", token.position);
      Fail(kErrFormulaUnknownFunction, "Unknown @function @" + token.text, token.position);
    }
    NodePtr node = MakeNode(NodeKind::Call, token.position);
    node->function = function;
    node->name = function->name;
    if (Peek().kind == Tok::LParen) {
      Next();
      if (Peek().kind != Tok::RParen) {
        for (;;) {
          Adopt(*node, Argument(*node));
          if (Peek().kind != Tok::Semicolon) break;
          Next();
        }
      }
      Expect(Tok::RParen, "')' or ';'");
    }
    const int count = static_cast<int>(node->children.size());
    if (function->rule == ArgRule::OddCount && count % 2 == 0)
      Fail(kErrFormulaArgCount, "Wrong number of arguments for @" + std::string(function->name) + ": an odd number expected, " +
           std::to_string(count) + " given", token.position);
    if (function->rule == ArgRule::DateParts && count != 1 && count != 3 && count != 6)
      Fail(kErrFormulaArgCount, "Wrong number of arguments for @" + std::string(function->name) + ": 1, 3 or 6 expected, " +
           std::to_string(count) + " given", token.position);
    if (count < function->minArgs || count > function->maxArgs) {
      std::string expected = std::to_string(function->minArgs);
      if (function->maxArgs >= kAnyCount) expected += " or more";
      else if (function->maxArgs != function->minArgs) expected += " to " + std::to_string(function->maxArgs);
      Fail(kErrFormulaArgCount,
           "Wrong number of arguments for @" + std::string(function->name) + ": " + expected + " expected, " +
               std::to_string(count) + " given",
           token.position);
    }
    return node;
  }

  NodePtr Argument(Node& call) {
    const std::size_t index = call.children.size();
    if (call.function->rule == ArgRule::FieldName && index == 0) {
      if (Peek().kind != Tok::Name) Unexpected("a field name");
      const Token& token = Next();
      NodePtr node = MakeNode(NodeKind::Field, token.position);
      node->name = token.text;
      return node;
    }
    NodePtr argument = Assignment();
    if (call.function->rule == ArgRule::VariableName && index == 1) {
      if (argument->kind != NodeKind::Constant || argument->constant.type != Type::Text ||
          argument->constant.texts[0].empty())
        Fail(kErrFormulaSyntax, "Syntax error: @" + std::string(call.function->name) + " needs a variable name as text",
             argument->position);
      call.slot = VariableSlot(argument->constant.texts[0]);
    }
    return argument;
  }

  std::vector<Token> tokens_;
  std::size_t at_ = 0;
  std::map<std::string, int> variables_;  // upper-case name -> slot
  std::vector<Node*> references_;
  int nesting_ = 0;          // the names read, resolved once all are known
};

}  // namespace

std::shared_ptr<const Program> Compile(std::string_view text) { return Parser(text).Run(); }

}  // namespace host::formula
