#include "index/indexer.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/clock.h"
#include "formula/engine.h"
#include "index/packed_value.h"
#include "index/summary_table.h"
#include "index/view_order.h"
#include "platform/cp932.h"
#include "status_error.h"

namespace host::index {
namespace {

using Program = std::shared_ptr<const formula::Program>;

std::vector<SortKey> SortKeysOf(const std::vector<model::Column>& columns) {
  std::vector<SortKey> keys;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const model::Column& column = columns[i];
    if (!column.categorized && column.sort == model::SortOrder::None) continue;
    keys.push_back({static_cast<std::uint16_t>(i), column.sort == model::SortOrder::Descending, column.categorized});
  }
  return keys;
}

bool Selects(const formula::Program& selection, const formula::Context& context) {
  try {
    return formula::IsTrue(formula::Evaluate(selection, context));
  } catch (const StatusError&) {
    return false;
  }
}

model::Value ColumnValue(const formula::Program& program, const formula::Context& context) {
  try {
    return formula::Evaluate(program, context);
  } catch (const StatusError&) {
    return model::Text{{""}};
  }
}

// Whether a column's formula asks for its row's number.
bool UsesDocNumber(const model::Column& column) {
  return platform::AsciiLowered(column.formula).find("@docnumber") != std::string::npos;
}

// The number of each row in view order, as @DocNumber gives it: "1", "2", … at the top level, and
// below a category its number, a dot and the row's place under it ("2.1"). A category row's level
// is the place, among the categorised columns, of the one whose value its table holds.
std::vector<std::string> RowNumbers(const PackedRows& rows, const std::vector<model::Column>& columns) {
  std::vector<std::size_t> categorized;
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (columns[c].categorized) categorized.push_back(c);
  std::vector<std::string> numbers;
  numbers.reserve(rows.entries.size());
  std::vector<std::uint64_t> counters;
  for (const PackedRows::Entry& entry : rows.entries) {
    std::size_t level = categorized.size();
    if (entry.noteId & 0x80000000u) {
      for (std::size_t l = 0; l < categorized.size(); ++l)
        if (!ValueInTable(rows.TableOf(entry), categorized[l]).empty()) {
          level = l;
          break;
        }
    }
    counters.resize(level + 1, 0);
    ++counters[level];
    std::string number;
    for (const std::uint64_t n : counters) number += (number.empty() ? "" : ".") + std::to_string(n);
    numbers.push_back(std::move(number));
  }
  return numbers;
}

}  // namespace

PackedRows IndexViewPacked(const model::Database& database, const model::Note& view) {
  if (!view.view) throw StatusError{kErrNotViewOrFolder, "the note holds no view design"};
  const model::ViewDesign& design = *view.view;
  if (design.columns.size() > kMaxColumns)
    throw StatusError{kErrBufferOverflow, "the view has more columns than an entry can hold"};

  PackedRows rows;
  // A folder's documents are the ones its selection formula picks; without one it holds none.
  if (view.noteClass == model::NoteClass::Folder && design.selectionFormula.empty()) return rows;

  const Program selection = formula::Compile(design.selectionFormula);
  std::vector<Program> columns;
  for (const model::Column& column : design.columns) columns.push_back(formula::Compile(column.formula));

  formula::Context context;
  context.database = &database;
  context.now = Now();
  TablePacker packer;
  std::vector<model::Value> values(columns.size());
  std::vector<const model::Value*> valuePointers;
  for (const model::Value& value : values) valuePointers.push_back(&value);
  std::uint64_t selected = 0;
  for (const auto& [noteId, note] : database.notes) {
    if (note.noteClass != model::NoteClass::Document || note.deleted) continue;
    context.document = &note;
    context.docNumber.clear();
    if (!Selects(*selection, context)) continue;
    // @DocNumber, until the rows are in view order: the place among the selected documents in
    // note-ID order.
    context.docNumber = std::to_string(++selected);
    for (std::size_t c = 0; c < columns.size(); ++c) values[c] = ColumnValue(*columns[c], context);
    rows.entries.push_back({rows.tables.Add(packer, valuePointers), noteId});
  }
  const std::vector<SortKey> keys = SortKeysOf(design.columns);
  OrderRows(keys, static_cast<std::uint16_t>(design.columns.size()), rows);

  // Columns that show the row's number are evaluated again with the number of the row in view
  // order; each such row gets a table of its own.
  if (keys.empty() || std::none_of(design.columns.begin(), design.columns.end(), UsesDocNumber)) return rows;
  const std::vector<std::string> numbers = RowNumbers(rows, design.columns);
  for (std::size_t r = 0; r < rows.entries.size(); ++r) {
    PackedRows::Entry& entry = rows.entries[r];
    if (entry.noteId & 0x80000000u) continue;
    context.document = database.FindLiveNote(entry.noteId);
    context.docNumber = numbers[r];
    for (std::size_t c = 0; c < columns.size(); ++c) values[c] = ColumnValue(*columns[c], context);
    entry.table = rows.tables.Add(packer, valuePointers);
  }
  return rows;
}

std::vector<Row> IndexView(const model::Database& database, const model::Note& view) {
  const PackedRows packed = IndexViewPacked(database, view);
  const std::size_t columnCount = view.view->columns.size();
  std::vector<Row> rows;
  rows.reserve(packed.entries.size());
  for (const PackedRows::Entry& entry : packed.entries) {
    Row& row = rows.emplace_back(Row{entry.noteId, {}});
    for (std::size_t c = 0; c < columnCount; ++c) {
      const std::span<const std::uint8_t> value = ValueInTable(packed.TableOf(entry), c);
      row.values.push_back(value.empty() ? std::nullopt : std::optional(UnpackValue(value)));
    }
  }
  return rows;
}

}  // namespace host::index
