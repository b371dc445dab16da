#include "model.h"

#include <platform/cp932.h>

#include <sys/mman.h>

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>

namespace host::model {

Unid::Unid(std::string_view text) : size_(static_cast<std::uint8_t>(std::min(text.size(), kMaxSize))) {
  text.copy(chars_, kMaxSize);
}

const std::vector<Attachment>& Note::Attachments() const {
  static const std::vector<Attachment> kNone;
  return extras ? extras->attachments : kNone;
}

// A table of slots in memory of its own, on huge pages where the system has them: the lookups of
// an export land anywhere in it, and with small pages most of them would also miss the TLB.
struct NoteLookup::Slots {
  std::size_t mask = 0;  // slot count - 1, the count a power of two
  std::size_t notes = 0;
  std::size_t bytes = 0;
  Slot* slot = nullptr;

  std::size_t Home(std::uint32_t noteId) const {
    // Fibonacci hashing: note IDs step by 4, which the multiplication spreads over the table.
    return static_cast<std::size_t>((std::uint64_t{noteId} * 0x9E3779B97F4A7C15u) >> 32) & mask;
  }
};

void NoteLookup::FreeSlots::operator()(Slots* slots) const {
  if (slots->slot) munmap(slots->slot, slots->bytes);
  delete slots;
}

void NoteLookup::Rebuild(const std::map<std::uint32_t, Note>& notes) const {
  std::size_t count = 16;
  while (count < 2 * notes.size()) count *= 2;  // at most half full
  auto slots = std::unique_ptr<Slots, FreeSlots>(new Slots{count - 1, notes.size(), count * sizeof(Slot)});
  void* memory = mmap(nullptr, slots->bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  madvise(memory, slots->bytes, MADV_HUGEPAGE);  // advice only: small pages work as well
  slots->slot = static_cast<Slot*>(memory);
  std::uninitialized_value_construct_n(slots->slot, count);
  for (const auto& [id, note] : notes) {
    std::size_t i = slots->Home(id);
    while (slots->slot[i].note) i = (i + 1) & slots->mask;
    slots->slot[i] = {id, note.deleted, &note};
  }
  slots_ = std::move(slots);
}

const Note* NoteLookup::FindLive(const std::map<std::uint32_t, Note>& notes, std::uint32_t noteId) const {
  if (!slots_ || slots_->notes != notes.size()) Rebuild(notes);
  for (std::size_t i = slots_->Home(noteId);; i = (i + 1) & slots_->mask) {
    const Slot& slot = slots_->slot[i];
    if (!slot.note) return nullptr;
    if (slot.id == noteId) return slot.deleted ? nullptr : slot.note;
  }
}

struct DesignLookup::Names {
  std::size_t notes = 0;  // the database's note count when they were gathered
  std::unordered_map<std::string, const Note*> byKey;
};

void DesignLookup::FreeNames::operator()(Names* names) const { delete names; }

namespace {

// The class and the name with its ASCII letters lower-cased.
std::string Key(NoteClass noteClass, std::string_view name) {
  std::string key(1, static_cast<char>(noteClass));
  key += platform::AsciiLowered(name);
  return key;
}

}  // namespace

const Note* DesignLookup::Find(const std::map<std::uint32_t, Note>& notes, NoteClass noteClass,
                               std::string_view name) const {
  if (!names_ || names_->notes != notes.size()) {
    names_.reset(new Names{notes.size(), {}});
    for (const auto& [id, note] : notes) {
      if (note.deleted || !note.form) continue;
      names_->byKey.emplace(Key(note.noteClass, note.form->name), &note);  // the first one stays
      for (const std::string& alias : note.form->aliases) names_->byKey.emplace(Key(note.noteClass, alias), &note);
    }
  }
  const auto found = names_->byKey.find(Key(noteClass, name));
  return found == names_->byKey.end() ? nullptr : found->second;
}

}  // namespace host::model
