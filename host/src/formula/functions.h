// The @functions the engine knows, by name.
//
// Internal to the formula engine.
#pragma once

#include <span>
#include <string_view>

#include "program.h"

namespace host::formula {

// How the compiler treats a function's arguments beyond counting them.
enum class ArgRule : std::uint8_t {
  Values,        // every argument an expression
  FieldName,     // the first argument names a field (@IsAvailable)
  VariableName,  // the second argument is a text constant naming a variable the third uses (@Transform)
  OddCount,      // an odd number of arguments (@If)
  DateParts,     // 1, 3 or 6 arguments (@Date, @Time)
};

constexpr int kAnyCount = 1 << 16;

struct FunctionInfo {
  std::string_view name;  // as the reference spells it, without "@"
  int minArgs;
  int maxArgs;
  FunctionImpl impl;
  ArgRule rule = ArgRule::Values;
};

// The function of that name (any case), or null.
const FunctionInfo* FindFunction(std::string_view name);
// Whether `name` is a platform @function that cannot run here (@Command, @DbLookup ...).
bool IsUnsupportedFunction(std::string_view name);

// The groups, each defined in a file of its own.
std::span<const FunctionInfo> LogicFunctions();
std::span<const FunctionInfo> TextFunctions();
std::span<const FunctionInfo> ListFunctions();
std::span<const FunctionInfo> NumberFunctions();
std::span<const FunctionInfo> DateTimeFunctions();
std::span<const FunctionInfo> DocumentFunctions();
std::span<const FunctionInfo> ViewFunctions();

}  // namespace host::formula
