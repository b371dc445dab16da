#include "model.h"

#include <algorithm>

namespace host::model {
namespace {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

const Item* Note::FindItem(std::string_view name) const {
  for (const Item& item : items)
    if (EqualsIgnoringAsciiCase(item.name, name)) return &item;
  return nullptr;
}

const Note* Database::FindNote(std::uint32_t noteId) const {
  auto it = notes.find(noteId);
  return it == notes.end() ? nullptr : &it->second;
}

}  // namespace host::model
