// The formula engine: compiles formula text once, evaluates it many times.
//
// Internal to the host library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model.h"
#include "status_error.h"

namespace host::formula {

class Program;

// Compiles `text`. Throws StatusError (kErrFormulaSyntax, kErrFormulaUnknownFunction,
// kErrFormulaArgCount, kErrFormulaUnsupported) whose detail names the problem and its position.
// An empty text compiles to a formula whose value is "".
std::shared_ptr<const Program> Compile(std::string_view text);

// Where the row being indexed stands in its view: what @DocNumber, @DocLevel, @DocChildren,
// @DocDescendants, @DocSiblings, @DocParentNumber and @IsExpandable give.
struct RowPosition {
  std::string number;              // "1", "2.1", "2.1.3": the place at each level; "" outside the indexer
  std::uint32_t children = 0;      // rows directly beneath it
  std::uint32_t descendants = 0;   // rows beneath it at any depth
  std::uint32_t siblings = 0;      // rows beneath its parent (or at the top level), itself included
};

// What a formula sees while it runs.
struct Context {
  const model::Database* database = nullptr;  // may be null
  const model::Note* document = nullptr;      // may be null: every field is then missing
  const model::ViewDesign* view = nullptr;    // @ViewTitle: the view last opened; may be null
  bool inView = false;                        // the formula is a view's own (selection, column)
  bool isCategory = false;                    // the row being indexed is a category row
  RowPosition position;
  std::string_view userName;                  // @UserName; the text outlives the evaluation
  model::DateTime now;                        // @Now; @Today etc. derive from it
  const model::International* international = nullptr;  // null: the Japanese defaults
};

// Runs the program. The result is a Text, Numbers or DateTimes value (a single value is a list
// of one). FIELD and DEFAULT assignments change only this evaluation's view of the document.
// Throws StatusError for run-time errors (wrong data type, @Error as the result, ...).
model::Value Evaluate(const Program& program, const Context& context);

// Whether a SELECT formula's value selects the document (any non-zero number).
bool IsTrue(const model::Value& value);

}  // namespace host::formula
