#include "design_lookup.h"

#include <platform/cp932.h>

#include <algorithm>

namespace host {
const model::Note* FindDesign(const model::Database& database, model::NoteClass noteClass, std::string_view name) {
  return database.designs.Find(database.notes, noteClass, name);
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
