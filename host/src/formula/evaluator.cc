// Evaluate: runs a Program against one document.
#include "base/clock.h"
#include "base/render.h"
#include "engine.h"
#include "functions.h"
#include "operators.h"
#include "program.h"
#include "text_util.h"

namespace host::formula {
namespace {

const model::International& DefaultInternational() {
  static const model::International japanese;
  return japanese;
}

}  // namespace

State::State(const Program& program, const Context& context)
    : context_(context),
      international_(context.international ? context.international : &DefaultInternational()),
      now_(context.now.HasDate() ? context.now : host::Now()),
      variables_(static_cast<std::size_t>(program.variableCount)) {}

[[noreturn]] void State::Fail(const Node& at, STATUS status, const std::string& what) const {
  throw StatusError{status, what + " at position " + std::to_string(at.position)};
}

void State::Require(const Val& value, Type expected, const Node& at) const {
  if (value.type == expected) return;
  Fail(at, kErrFormulaDataType,
       "Incorrect data type for " + (at.kind == NodeKind::Call ? "@" + at.name : std::string("operator")) + ": " +
           std::string(TypeName(expected)) + " expected, " + std::string(TypeName(value.type)) + " found");
}

bool State::Truth(const Val& value, const Node& at) const {
  Require(value, Type::Number, at);
  for (double x : value.numbers)
    if (x != 0) return true;
  return false;
}

Val State::FieldValue(std::string_view name) const {
  for (const auto& [fieldName, value] : fields_)
    if (EqualsIgnoringCase(fieldName, name)) return value;
  if (const model::Note* note = context_.document)
    if (const auto item = note->FindItem(name)) return FromItem(item->value);
  return Val::Text("");
}

bool State::FieldExists(std::string_view name) const {
  for (const auto& entry : fields_)
    if (EqualsIgnoringCase(entry.first, name)) return true;
  return context_.document && context_.document->FindItem(name).has_value();
}

void State::SetVariable(int slot, Val value) { variables_[static_cast<std::size_t>(slot)] = std::move(value); }

void State::SetField(const std::string& name, Val value) {
  for (auto& entry : fields_) {
    if (EqualsIgnoringCase(entry.first, name)) {
      entry.second = std::move(value);
      return;
    }
  }
  fields_.emplace_back(name, std::move(value));
}

Val State::Arg(const Node& call, std::size_t index) {
  Val value = Eval(*call.children[index]);
  if (value.IsError()) throw ErrorSignal{std::move(value)};
  return value;
}

namespace {

std::size_t BytesOf(const Val& value) {
  std::size_t bytes = value.numbers.size() * sizeof(double) + value.times.size() * sizeof(model::DateTime);
  for (const std::string& text : value.texts) bytes += text.size() + sizeof(std::string);
  return bytes;
}

}  // namespace

Val State::Eval(const Node& node) {
  // A run-time failure of an operator, a subscript or an @function is an error value.
  try {
    Val value = EvalOrFail(node);
    if (node.kind == NodeKind::Binary || node.kind == NodeKind::Unary || node.kind == NodeKind::Call) {
      produced_ += BytesOf(value);
      if (produced_ > kMaxProducedBytes)
        throw WorkLimitError{{kErrFormulaArgument, "The formula builds more than " +
                                                       std::to_string(kMaxProducedBytes >> 20) +
                                                       " MB of values at position " + std::to_string(node.position)}};
    }
    return value;
  } catch (const WorkLimitError&) {
    throw;
  } catch (const StatusError& failure) {
    return Val::Error(failure.detail, failure.status);
  }
}

Val State::EvalOrFail(const Node& node) {
  switch (node.kind) {
    case NodeKind::Constant: return node.constant;
    case NodeKind::LocalTime: {
      Val value = node.constant;
      value.times[0].zoneMinutes = now_.zoneMinutes;
      value.times[0].dst = now_.dst;
      return value;
    }
    case NodeKind::RelativeDay: {
      model::DateTime day;
      day.date = now_.date + static_cast<std::int32_t>(node.number);
      day.zoneMinutes = now_.zoneMinutes;
      day.dst = now_.dst;
      return Val::Time(day);
    }
    case NodeKind::Variable: {
      const auto& value = variables_[static_cast<std::size_t>(node.slot)];
      return value ? *value : FieldValue(node.name);
    }
    case NodeKind::Field: return FieldValue(node.name);
    case NodeKind::SetVariable: {
      Val value = Eval(*node.children[0]);
      variables_[static_cast<std::size_t>(node.slot)] = value;
      return value;
    }
    case NodeKind::SetField: {
      Val value = Eval(*node.children[0]);
      SetField(node.name, value);
      return value;
    }
    case NodeKind::DefaultField: {
      Val value = Eval(*node.children[0]);
      if (!FieldExists(node.name)) SetField(node.name, value);
      return value;
    }
    case NodeKind::Unary: return ApplyUnary(*this, node, Eval(*node.children[0]));
    case NodeKind::Binary: {
      if (node.op == Op::And || node.op == Op::Or) {
        const Val left = Eval(*node.children[0]);
        if (left.IsError()) return left;
        const bool l = Truth(left, node);
        if (node.op == Op::And ? !l : l) return Val::Bool(l);
        const Val right = Eval(*node.children[1]);
        if (right.IsError()) return right;
        return Val::Bool(Truth(right, node));
      }
      const Val left = Eval(*node.children[0]);
      return ApplyBinary(*this, node, left, Eval(*node.children[1]));
    }
    case NodeKind::Subscript: {
      Val list = Eval(*node.children[0]);
      const Val index = Eval(*node.children[1]);
      if (list.IsError()) return list;
      if (index.IsError()) return index;
      Require(index, Type::Number, node);
      const double n = index.numbers.empty() ? 0 : index.numbers[0];
      if (!(n >= 1 && n <= static_cast<double>(list.Size())))
        Fail(node, kErrFormulaArgument,
             "List subscript " + PlainNumber(n, *international_) + " out of range 1 to " + std::to_string(list.Size()));
      const std::size_t i = static_cast<std::size_t>(n) - 1;
      switch (list.type) {
        case Type::Number: return Val::Number(list.numbers[i]);
        case Type::Time: return Val::Time(list.times[i]);
        default: return Val::Text(std::move(list.texts[i]));
      }
    }
    case NodeKind::Call:
      try {
        return node.function->impl(*this, node);
      } catch (ErrorSignal& signal) {
        return std::move(signal.error);
      }
  }
  return Val::Text("");
}

model::Value Evaluate(const Program& program, const Context& context) {
  State state(program, context);
  Val result = Val::Text("");
  try {
    for (std::size_t i = 0; i < program.statements.size(); ++i) {
      Val value = state.Eval(*program.statements[i]);
      if (program.selectStatement < 0 || static_cast<int>(i) == program.selectStatement) result = std::move(value);
    }
  } catch (ReturnSignal& signal) {
    result = std::move(signal.value);
  }
  if (result.IsError()) throw StatusError{result.errorStatus, result.texts[0]};
  return ToModel(std::move(result));
}

bool IsTrue(const model::Value& value) {
  const auto* numbers = std::get_if<model::Numbers>(&value);
  if (!numbers) return false;
  for (double x : numbers->values)
    if (x != 0) return true;
  return false;
}

}  // namespace host::formula
