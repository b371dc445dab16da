#include "index/indexer.h"

#include <memory>
#include <string>

#include "base/clock.h"
#include "formula/engine.h"
#include "index/packed_value.h"
#include "index/summary_table.h"
#include "index/view_order.h"
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
    // @DocNumber: the document's place among the selected documents in note-ID order.
    context.docNumber = std::to_string(++selected);
    for (std::size_t c = 0; c < columns.size(); ++c) values[c] = ColumnValue(*columns[c], context);
    rows.entries.push_back({rows.tables.size(), noteId});
    packer.Append(valuePointers, rows.tables);
  }
  OrderRows(SortKeysOf(design.columns), static_cast<std::uint16_t>(design.columns.size()), rows);
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
