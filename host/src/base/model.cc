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

const Note* NoteLookup::Find(const std::map<std::uint32_t, Note>& notes, std::uint32_t noteId) const {
  if (byId_.size() != notes.size()) {
    byId_.clear();
    byId_.reserve(notes.size());
    for (const auto& [id, note] : notes) byId_.emplace(id, &note);
  }
  const auto it = byId_.find(noteId);
  return it == byId_.end() ? nullptr : it->second;
}

}  // namespace host::model
