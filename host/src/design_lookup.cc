#include "design_lookup.h"

#include <platform/cp932.h>

#include <algorithm>

namespace host {
const model::Note* FindDesign(const model::Database& database, model::NoteClass noteClass, std::string_view name) {
  for (const auto& [id, note] : database.notes) {
    if (note.deleted || note.noteClass != noteClass || !note.form) continue;
    if (platform::EqualsIgnoringAsciiCase(note.form->name, name)) return &note;
    for (const std::string& alias : note.form->aliases)
      if (platform::EqualsIgnoringAsciiCase(alias, name)) return &note;
  }
  return nullptr;
}

std::vector<model::Item> ItemsOf(const model::Note& note) {
  if (note.form) return {model::Item{"$BODY", note.form->body, 0}};
  std::vector<model::Item> items;
  for (const model::Item& item : note.items) items.push_back(item);
  return items;
}

std::optional<model::Item> ShownItem(const model::Note& note, std::string_view name) {
  for (model::Item& item : ItemsOf(note))
    if (platform::EqualsIgnoringAsciiCase(item.name, name)) return std::move(item);
  return std::nullopt;
}

}  // namespace host
