#include "columns/view_entry_list.h"

#include <cstring>

namespace {

// The bytes of a locked host buffer, unlocked and freed when it goes.
class LockedBuffer {
 public:
  explicit LockedBuffer(CoreMemoryHandle handle) : handle_(handle), bytes_(CoreLockMemory(handle)) {}
  ~LockedBuffer() {
    if (bytes_) CoreUnlockMemory(handle_);
    CoreFreeMemory(handle_);
  }
  LockedBuffer(const LockedBuffer&) = delete;
  LockedBuffer& operator=(const LockedBuffer&) = delete;

  const char* Bytes() const { return static_cast<const char*>(bytes_); }

 private:
  CoreMemoryHandle handle_;
  void* bytes_;
};

}  // namespace

LNSTATUS ViewEntryList::ReadView(const ExportViewParams& params, bool allDocuments) {
  records_.clear();
  chunks_.clear();
  next_ = nullptr;
  room_ = 0;
  const CoreCollectionHandle collection = params.CollectionHandle();
  const CoreIdTableHandle selected = params.SelectedIdTable();
  CorePosition position{};  // level 0, tumbler 0: before the first entry
  for (;;) {
    CoreMemoryHandle buffer = 0;
    std::uint16_t length = 0;
    std::uint32_t returned = 0;
    std::uint16_t signals = 0;
    if (STATUS status = CoreReadEntries(collection, &position, kCoreNavigateNext, 1, kCoreNavigateNext,
                                        kCoreAllThatFit, kCoreReadNoteIdAndSummary, &buffer, &length, nullptr,
                                        &returned, &signals)) {
      return status;
    }
    if (buffer != 0) {
      const LockedBuffer locked(buffer);
      if (!locked.Bytes()) return host::kErrInvalidHandle;
      if (LNSTATUS status = KeepBatch(std::string_view(locked.Bytes(), length), returned, allDocuments, selected)) {
        return status;
      }
    }
    if ((signals & kCoreSignalMore) == 0) return host::kNoError;
  }
}

LNSTATUS ViewEntryList::KeepBatch(std::string_view records, std::uint32_t count, bool allDocuments,
                                  CoreIdTableHandle selected) {
  for (std::uint32_t i = 0; i < count; ++i) {
    std::size_t size = 0;
    NOTEID noteId = 0;
    if (LNSTATUS status = MeasureEntryRecord(records, &size, &noteId)) return status;
    if (allDocuments || CoreIsInIdTable(selected, noteId)) {
      char* kept = Reserve(size);
      std::memcpy(kept, records.data(), size);
      records_.emplace_back(kept, size);
    }
    records.remove_prefix(size);
  }
  return host::kNoError;
}

char* ViewEntryList::Reserve(std::size_t size) {
  if (room_ < size) {
    chunks_.push_back(platform::AllocateLargeBlock(size));
    next_ = chunks_.back().get();
    room_ = chunks_.back().get_deleter().bytes;
  }
  char* at = next_;
  next_ += size;
  room_ -= size;
  return at;
}

ViewEntry ViewEntryList::GetEntry(std::size_t index) const {
  ViewEntry entry;
  std::size_t size = 0;
  entry.Decode(records_[index], &size);
  return entry;
}
