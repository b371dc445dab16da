// The parameter record the Notes client hands to ExportView. The client owns it; the plug-in reads
// it only during the call. Four fields mean something to the system, at fixed byte offsets (one of
// them not aligned); every other byte is the client's. Fields are read and written through the
// accessors only, never by casting the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/core.h"
#include "host/lntypes.h"

struct ExportViewParams {
  static constexpr std::size_t kDatabaseHandleOffset = 8;
  static constexpr std::size_t kViewNoteIdOffset = 18;
  static constexpr std::size_t kCollectionHandleOffset = 38;
  static constexpr std::size_t kSelectedIdTableOffset = 50;
  static constexpr std::size_t kSize = 54;

  unsigned char bytes[kSize] = {};

  DBHANDLE DatabaseHandle() const { return Read<DBHANDLE>(kDatabaseHandleOffset); }
  NOTEID ViewNoteId() const { return Read<NOTEID>(kViewNoteIdOffset); }
  CoreCollectionHandle CollectionHandle() const { return Read<CoreCollectionHandle>(kCollectionHandleOffset); }
  CoreIdTableHandle SelectedIdTable() const { return Read<CoreIdTableHandle>(kSelectedIdTableOffset); }

  void SetDatabaseHandle(DBHANDLE handle) { Write(kDatabaseHandleOffset, handle); }
  void SetViewNoteId(NOTEID id) { Write(kViewNoteIdOffset, id); }
  void SetCollectionHandle(CoreCollectionHandle handle) { Write(kCollectionHandleOffset, handle); }
  void SetSelectedIdTable(CoreIdTableHandle table) { Write(kSelectedIdTableOffset, table); }

 private:
  template <class T>
  T Read(std::size_t offset) const {
    static_assert(sizeof(T) == 2 || sizeof(T) == 4);
    T value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
  }
  template <class T>
  void Write(std::size_t offset, T value) {
    std::memcpy(bytes + offset, &value, sizeof value);
  }
};

static_assert(sizeof(ExportViewParams) == ExportViewParams::kSize && alignof(ExportViewParams) == 1,
              "the record is a plain byte layout");
