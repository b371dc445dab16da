#include "design_lookup.h"

#include <algorithm>

namespace host {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

const model::Note* FindDesign(const model::Database& database, model::NoteClass noteClass, std::string_view name) {
  for (const auto& [id, note] : database.notes) {
    if (note.deleted || note.noteClass != noteClass || !note.form) continue;
    if (SameName(note.form->name, name)) return &note;
    for (const std::string& alias : note.form->aliases)
      if (SameName(alias, name)) return &note;
  }
  return nullptr;
}

std::vector<model::Item> ItemsOf(const model::Note& note) {
  if (note.form) return {model::Item{"$BODY", note.form->body, 0}};
  return note.items;
}

std::optional<model::Item> ShownItem(const model::Note& note, std::string_view name) {
  for (model::Item& item : ItemsOf(note))
    if (SameName(item.name, name)) return std::move(item);
  return std::nullopt;
}

}  // namespace host
