// A compiled formula: a tree of nodes whose names, functions and constants were resolved when it
// was compiled, and the evaluation state the nodes run against.
//
// Internal to the formula engine.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine.h"
#include "value.h"

namespace host::formula {

enum class NodeKind : std::uint8_t {
  Constant,        // `constant`
  LocalTime,       // a date/time constant in the local zone: `constant` with the zone filled in
  RelativeDay,     // [Today], [Yesterday], [Tomorrow]: `number` days from today
  Variable,        // temporary variable `slot`, or the field `name` while the variable is unset
  Field,           // the field `name`
  SetVariable,     // children[0] into variable `slot`
  SetField,        // FIELD `name` := children[0]
  DefaultField,    // DEFAULT `name` := children[0]
  Unary,           // `op` children[0]
  Binary,          // children[0] `op` children[1]
  Subscript,       // children[0][children[1]]
  Call,            // `function` with `children` as its arguments
};

// Operators as nodes carry them.
enum class Op : std::uint8_t {
  List, Negate, Plus, Not,
  Add, Subtract, Multiply, Divide,
  Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
  And, Or,
};

class State;
struct Node;
using FunctionImpl = Val (*)(State& state, const Node& call);

struct FunctionInfo;

struct Node {
  NodeKind kind = NodeKind::Constant;
  Op op = Op::List;
  bool permuted = false;  // Binary: every left element with every right element
  int position = 1;       // where it starts in the formula, for messages
  int depth = 1;          // levels of nodes from this one down
  int slot = -1;
  double number = 0;
  std::string name;
  Val constant;
  const FunctionInfo* function = nullptr;
  std::vector<std::unique_ptr<Node>> children;
};

}  // namespace host::formula

namespace host::formula {

class Program {
 public:
  std::vector<std::unique_ptr<Node>> statements;
  int selectStatement = -1;  // the SELECT statement whose value is the formula's, if any
  int variableCount = 0;
};

// Thrown by @Return: the formula's value.
struct ReturnSignal {
  Val value;
};

// What one evaluation keeps: the context, the temporary variables and the fields that FIELD and
// DEFAULT changed.
class State {
 public:
  State(const Program& program, const Context& context);

  const Context& context() const { return context_; }
  const model::International& international() const { return *international_; }
  // The current time: the context's, or the host clock's when the context has none.
  const model::DateTime& now() const { return now_; }

  // The value of `node`, errors included: a run-time failure is an error value.
  Val Eval(const Node& node);
  // The value of `call`'s argument `index`; an error value stops the call, which then yields it.
  Val Arg(const Node& call, std::size_t index);
  // The value of a field, FIELD and DEFAULT assignments included; "" when it does not exist.
  Val FieldValue(std::string_view name) const;
  bool FieldExists(std::string_view name) const;

  void SetVariable(int slot, Val value);
  void SetField(const std::string& name, Val value);
  // Whether a number value is true (any element non-zero); kErrFormulaDataType for another type.
  bool Truth(const Val& value, const Node& at) const;

  // A run-time failure at `at`: thrown here, it becomes the error value of the innermost Eval.
  [[noreturn]] void Fail(const Node& at, STATUS status, const std::string& what) const;
  // Throws kErrFormulaDataType unless `value` is of type `expected`.
  void Require(const Val& value, Type expected, const Node& at) const;

 private:
  Val EvalOrFail(const Node& node);
  const Context& context_;
  const model::International* international_;
  model::DateTime now_;
  std::vector<std::optional<Val>> variables_;
  std::vector<std::pair<std::string, Val>> fields_;  // FIELD and DEFAULT values, by name
  std::size_t produced_ = 0;  // bytes of the values operators and @functions have built so far
};

// Thrown by State::Arg for an error value; the call that asked yields the error.
struct ErrorSignal {
  Val error;
};

// One evaluation may build at most this many bytes of values in all (a loop that grows a text
// builds its every length again): beyond it the evaluation ends, whatever @IsError would say.
inline constexpr std::size_t kMaxProducedBytes = std::size_t{1} << 28;

// The end of an evaluation that did too much work; not an error value.
struct WorkLimitError : StatusError {};

}  // namespace host::formula
