// Small in-memory databases for the indexer's and the core calls' tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model.h"

namespace host::index::testing {

inline model::Item TextItem(std::string name, std::vector<std::string> values) {
  return {std::move(name), model::Text{std::move(values)}, model::kSummary};
}
inline model::Item NumberItem(std::string name, std::vector<double> values) {
  return {std::move(name), model::Numbers{std::move(values), {}}, model::kSummary};
}

inline model::Column Column(std::string formula, model::SortOrder sort = model::SortOrder::None,
                            bool categorized = false) {
  model::Column column;
  column.itemName = formula;
  column.formula = std::move(formula);
  column.sort = sort;
  column.categorized = categorized;
  return column;
}

class TestDatabase {
 public:
  model::Note& Document(std::uint32_t noteId, std::vector<model::Item> items) {
    model::Note& note = database_.notes[noteId];
    note.noteId = noteId;
    note.items = std::move(items);
    return note;
  }
  model::Note& View(std::uint32_t noteId, std::string name, std::vector<model::Column> columns,
                    std::string selection = "SELECT @All", model::NoteClass noteClass = model::NoteClass::View) {
    model::Note& note = database_.notes[noteId];
    note.noteId = noteId;
    note.noteClass = noteClass;
    note.view = model::ViewDesign{std::move(name), {}, std::move(selection), std::move(columns)};
    return note;
  }
  model::Database& Get() { return database_; }

 private:
  model::Database database_;
};

}  // namespace host::index::testing
