#include "index/indexer.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "base/clock.h"
#include "base/user_name.h"
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

bool Uses(std::string_view formula, std::string_view lowerName) {
  return platform::AsciiLowered(formula).find(lowerName) != std::string::npos;
}

// Whether a column's formula asks where its row stands in the view.
bool UsesPosition(const model::Column& column) {
  for (const std::string_view name : {"@docnumber", "@docparentnumber", "@doclevel", "@docchildren",
                                      "@docdescendants", "@docsiblings", "@isexpandable"})
    if (Uses(column.formula, name)) return true;
  return false;
}

// The @function a compile failure names ("Unknown @function @Foo at position 3": "@Foo"), or "".
std::string FunctionNamed(const StatusError& error) {
  const std::string& detail = error.detail;
  std::string last;
  for (std::size_t at = detail.find('@'); at != std::string::npos; at = detail.find('@', at + 1)) {
    std::size_t end = at + 1;
    while (end < detail.size() && (std::isalnum(static_cast<unsigned char>(detail[end])) || detail[end] == '_')) ++end;
    if (end > at + 1) last = detail.substr(at, end - at);
  }
  return last == "@function" ? "" : last;
}

// A column as the indexer evaluates it: its program, or the marker its rows show instead.
struct ColumnProgram {
  Program program;
  std::string marker;
};

ColumnProgram CompileColumn(const model::Column& column, std::size_t number, std::vector<std::string>& problems) {
  try {
    return {formula::Compile(column.formula), {}};
  } catch (const StatusError& error) {
    const std::string function = FunctionNamed(error);
    const std::string title = column.title && !column.title->empty() ? *column.title : std::to_string(number + 1) + " 番目";
    problems.push_back("列「" + title + "」: " + (function.empty() ? "式の構文" : function));
    return {nullptr, "#式エラー" + (function.empty() ? std::string() : ": " + function)};
  }
}

// Compiles the selection formula; a failure names the view and the @function.
Program CompileSelection(const model::ViewDesign& design) {
  try {
    return formula::Compile(design.selectionFormula);
  } catch (StatusError& error) {
    const std::string function = FunctionNamed(error);
    error.detail = "ビュー「" + design.name + "」の選択式を計算できません" + (function.empty() ? "" : "（" + function + "）") +
                   ": " + error.detail;
    throw;
  }
}

bool Selects(const formula::Program& selection, const formula::Context& context) {
  try {
    return formula::IsTrue(formula::Evaluate(selection, context));
  } catch (const StatusError&) {
    return false;
  }
}

model::Value ColumnValue(const ColumnProgram& column, const formula::Context& context) {
  if (!column.program) return model::Text{{column.marker}};
  try {
    return formula::Evaluate(*column.program, context);
  } catch (const StatusError&) {
    return model::Text{{""}};
  }
}

// The selected documents and how they hang together: note IDs ascending, and for each the
// index of its parent among them (kNoParent for a main document, kParentNotShown for a response
// whose parent is not selected or not in the database).
struct Selection {
  static constexpr std::size_t kNoParent = SIZE_MAX, kParentNotShown = SIZE_MAX - 1;
  std::vector<const model::Note*> documents;
  std::vector<std::size_t> parents;

  bool HasResponses() const {
    return std::any_of(parents.begin(), parents.end(), [](std::size_t parent) { return parent != kNoParent; });
  }
};

// The live documents' responses, by the parent's UNID.
using Responses = std::unordered_multimap<std::string_view, const model::Note*>;

Responses ResponsesOf(const model::Database& database) {
  Responses responses;
  for (const auto& [noteId, note] : database.notes)
    if (note.noteClass == model::NoteClass::Document && !note.deleted && !note.ParentUnid().empty())
      responses.emplace(note.ParentUnid(), &note);
  return responses;
}

Selection Select(const model::Database& database, const model::ViewDesign& design, formula::Context& context) {
  const Program selection = CompileSelection(design);
  Selection selected;
  for (const auto& [noteId, note] : database.notes) {
    if (note.noteClass != model::NoteClass::Document || note.deleted) continue;
    context.document = &note;
    if (Selects(*selection, context)) selected.documents.push_back(&note);
  }
  // @AllChildren and @AllDescendants select the responses of the documents the rest selects.
  const bool descendants = Uses(design.selectionFormula, "@alldescendants");
  if (descendants || Uses(design.selectionFormula, "@allchildren")) {
    const Responses responses = ResponsesOf(database);
    // Each document is taken once, so responses that answer each other in a ring end the walk.
    std::unordered_set<const model::Note*> taken(selected.documents.begin(), selected.documents.end());
    std::vector<const model::Note*> parents = selected.documents;
    while (!parents.empty()) {
      std::vector<const model::Note*> children;
      for (const model::Note* parent : parents) {
        auto [from, to] = responses.equal_range(parent->unid.View());
        for (; from != to; ++from)
          if (taken.insert(from->second).second) children.push_back(from->second);
      }
      selected.documents.insert(selected.documents.end(), children.begin(), children.end());
      if (!descendants) break;
      parents = std::move(children);
    }
    std::sort(selected.documents.begin(), selected.documents.end(),
              [](const model::Note* a, const model::Note* b) { return a->noteId < b->noteId; });
  }
  selected.parents.assign(selected.documents.size(), Selection::kNoParent);
  if (!std::any_of(selected.documents.begin(), selected.documents.end(),
                   [](const model::Note* note) { return !note->ParentUnid().empty(); }))
    return selected;
  std::unordered_map<std::string_view, std::size_t> byUnid;
  for (std::size_t i = 0; i < selected.documents.size(); ++i) byUnid.emplace(selected.documents[i]->unid.View(), i);
  selected.parents.clear();
  for (const model::Note* note : selected.documents) {
    const std::string_view parent = note->ParentUnid();
    const auto found = parent.empty() ? byUnid.end() : byUnid.find(parent);
    selected.parents.push_back(parent.empty() ? Selection::kNoParent
                               : found == byUnid.end() ? Selection::kParentNotShown
                                                       : found->second);
  }
  return selected;
}

// Puts each response directly under its parent, wherever the parent stands, its responses
// ordered among themselves; responses whose parent the view does not show are left out.
// `documents[i]` is the entry of `selection.documents[i]`; `rows` holds the main documents in
// view order with their categories.
void HangResponses(const Selection& selection, const std::vector<PackedRows::Entry>& documents,
                   const std::vector<SortKey>& keys, PackedRows& rows) {
  std::vector<std::vector<PackedRows::Entry>> children(documents.size());
  std::unordered_map<std::uint32_t, std::size_t> indexOf;
  for (std::size_t i = 0; i < documents.size(); ++i) {
    indexOf.emplace(documents[i].noteId, i);
    const std::size_t parent = selection.parents[i];
    if (parent < documents.size()) children[parent].push_back(documents[i]);
  }
  for (std::vector<PackedRows::Entry>& siblings : children) OrderSiblings(keys, rows, siblings);

  std::vector<PackedRows::Entry> ordered;
  ordered.reserve(rows.entries.size());
  struct Pending {
    std::size_t document, next;
  };
  std::vector<Pending> stack;
  for (const PackedRows::Entry& entry : rows.entries) {
    ordered.push_back(entry);
    if (entry.noteId & 0x80000000u) continue;
    stack.push_back({indexOf.at(entry.noteId), 0});
    while (!stack.empty()) {
      Pending& top = stack.back();
      if (top.next == children[top.document].size()) {
        stack.pop_back();
        continue;
      }
      PackedRows::Entry child = children[top.document][top.next++];
      child.level = static_cast<std::uint16_t>(std::min<std::size_t>(stack.size(), UINT16_MAX));
      ordered.push_back(child);
      stack.push_back({indexOf.at(child.noteId), 0});
    }
  }
  rows.entries = std::move(ordered);
}

// Each row's place in the view: its depth is its category level (categories) or the number of
// categorised columns plus its response level (documents).
std::vector<formula::RowPosition> RowPositions(const PackedRows& rows, const std::vector<model::Column>& columns) {
  std::vector<std::size_t> categorized;
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (columns[c].categorized) categorized.push_back(c);
  std::vector<formula::RowPosition> positions(rows.entries.size());
  std::vector<std::uint64_t> counters;
  std::vector<std::size_t> open;  // the rows above this one at each depth
  std::vector<std::size_t> depths(rows.entries.size());
  for (std::size_t r = 0; r < rows.entries.size(); ++r) {
    const PackedRows::Entry& entry = rows.entries[r];
    std::size_t depth = categorized.size() + entry.level;
    if (entry.noteId & 0x80000000u) {
      for (std::size_t l = 0; l < categorized.size(); ++l)
        if (!ValueInTable(rows.TableOf(entry), categorized[l]).empty()) {
          depth = l;
          break;
        }
    }
    depths[r] = depth;
    counters.resize(depth + 1, 0);
    ++counters[depth];
    std::string number;
    for (const std::uint64_t n : counters) number += (number.empty() ? "" : ".") + std::to_string(n);
    positions[r].number = std::move(number);
    // The rows above that are still open at a lesser depth gain a descendant, the nearest a child.
    while (!open.empty() && depths[open.back()] >= depth) open.pop_back();
    if (!open.empty() && depths[open.back()] + 1 == depth) ++positions[open.back()].children;
    for (const std::size_t above : open) ++positions[above].descendants;
    open.push_back(r);
  }
  // Siblings: the children of the parent, or the rows at the top level.
  open.clear();
  std::uint32_t topLevel = 0;
  std::vector<std::size_t> parentOf(rows.entries.size(), SIZE_MAX);
  for (std::size_t r = 0; r < rows.entries.size(); ++r) {
    while (!open.empty() && depths[open.back()] >= depths[r]) open.pop_back();
    if (open.empty() && depths[r] == 0) ++topLevel;
    if (!open.empty()) parentOf[r] = open.back();
    open.push_back(r);
  }
  for (std::size_t r = 0; r < rows.entries.size(); ++r)
    positions[r].siblings = parentOf[r] == SIZE_MAX ? topLevel : positions[parentOf[r]].children;
  return positions;
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

  formula::Context context;
  context.database = &database;
  context.inView = true;
  context.now = Now();
  context.userName = SessionUserName();
  const Selection selection = Select(database, design, context);

  std::vector<ColumnProgram> columns;
  for (std::size_t c = 0; c < design.columns.size(); ++c)
    columns.push_back(CompileColumn(design.columns[c], c, rows.problems));
  TablePacker packer;
  std::vector<model::Value> values(columns.size());
  std::vector<const model::Value*> valuePointers;
  for (const model::Value& value : values) valuePointers.push_back(&value);
  // A responses-only column has no value on a main document's row.
  auto evaluate = [&](const model::Note& note) {
    context.document = &note;
    for (std::size_t c = 0; c < columns.size(); ++c)
      valuePointers[c] = design.columns[c].responsesOnly && note.ParentUnid().empty() ? nullptr : &values[c];
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (valuePointers[c]) values[c] = ColumnValue(columns[c], context);
    return rows.tables.Add(packer, valuePointers);
  };
  // Until the rows are in view order, a row's place is its place among the selected documents,
  // which is the view's place when nothing orders them otherwise.
  std::vector<PackedRows::Entry> documents;
  documents.reserve(selection.documents.size());
  const auto count = static_cast<std::uint32_t>(selection.documents.size());
  for (std::size_t i = 0; i < selection.documents.size(); ++i) {
    context.position = {std::to_string(i + 1), 0, 0, count};
    documents.push_back({evaluate(*selection.documents[i]), selection.documents[i]->noteId});
  }
  context.position = {};

  const std::vector<SortKey> keys = SortKeysOf(design.columns);
  const bool hierarchical = design.showResponseHierarchy && selection.HasResponses();
  if (hierarchical) {
    for (std::size_t i = 0; i < documents.size(); ++i)
      if (selection.parents[i] == Selection::kNoParent) rows.entries.push_back(documents[i]);
    OrderRows(keys, static_cast<std::uint16_t>(design.columns.size()), rows);
    HangResponses(selection, documents, keys, rows);
  } else {
    rows.entries = std::move(documents);
    OrderRows(keys, static_cast<std::uint16_t>(design.columns.size()), rows);
  }

  // Columns that show where the row stands are evaluated again in view order; each such row gets
  // a table of its own.
  if ((keys.empty() && !hierarchical) || std::none_of(design.columns.begin(), design.columns.end(), UsesPosition))
    return rows;
  std::vector<formula::RowPosition> positions = RowPositions(rows, design.columns);
  for (std::size_t r = 0; r < rows.entries.size(); ++r) {
    PackedRows::Entry& entry = rows.entries[r];
    if (entry.noteId & 0x80000000u) continue;
    context.position = std::move(positions[r]);
    entry.table = evaluate(*database.FindLiveNote(entry.noteId));
  }
  return rows;
}

std::vector<Row> IndexView(const model::Database& database, const model::Note& view) {
  const PackedRows packed = IndexViewPacked(database, view);
  const std::size_t columnCount = view.view->columns.size();
  std::vector<Row> rows;
  rows.reserve(packed.entries.size());
  for (const PackedRows::Entry& entry : packed.entries) {
    Row& row = rows.emplace_back(Row{entry.noteId, entry.level, {}});
    for (std::size_t c = 0; c < columnCount; ++c) {
      const std::span<const std::uint8_t> value = ValueInTable(packed.TableOf(entry), c);
      row.values.push_back(value.empty() ? std::nullopt : std::optional(UnpackValue(value)));
    }
  }
  return rows;
}

}  // namespace host::index
