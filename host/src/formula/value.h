// The formula engine's run-time value: a list of texts, numbers or date/times, or an error.
//
// Internal to the formula engine.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/status.h"
#include "model.h"

namespace host::formula {

// The largest list and the longest text a formula may build; beyond them evaluation fails
// rather than exhaust memory.
inline constexpr std::size_t kMaxListSize = 1 << 20;
inline constexpr std::size_t kMaxTextBytes = 1 << 22;

enum class Type : std::uint8_t { Text, Number, Time, Error };

// A list of one type. An empty list is @Nothing. An error keeps its message as its one text.
struct Val {
  Type type = Type::Text;
  std::vector<std::string> texts;
  std::vector<double> numbers;
  std::vector<model::DateTime> times;
  STATUS errorStatus = 0;  // an error's

  static Val Text(std::string text);
  static Val Texts(std::vector<std::string> texts);
  static Val Number(double number);
  static Val Numbers(std::vector<double> numbers);
  static Val Time(const model::DateTime& time);
  static Val Times(std::vector<model::DateTime> times);
  static Val Bool(bool value) { return Number(value ? 1 : 0); }
  // An error value: @Error's, or a run-time failure's with its status, travelling through the
  // formula until @IsError looks at it or the formula's result is an error.
  static Val Error(std::string message, STATUS status = kErrFormulaUserError);

  std::size_t Size() const;
  bool IsError() const { return type == Type::Error; }
  // A single "" (what a missing field or an empty result is).
  bool IsEmptyText() const { return type == Type::Text && texts.size() == 1 && texts[0].empty(); }
};

// "text", "number", "date/time", "error": for messages.
std::string_view TypeName(Type type);

// An item's value as the formula sees it: rich text as its text, number and date/time ranges as
// their lower bounds, an unsupported item as "".
Val FromItem(const model::Value& value);

// The formula's result as a host value; @Nothing becomes "".
model::Value ToModel(Val value);

}  // namespace host::formula
