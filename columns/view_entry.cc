// Decoding the entry records of a collection read. Every length in a record is checked against
// the bytes given before anything is read through it.
#include "columns/view_entry.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// A record whose lengths reach beyond its bytes.
constexpr LNSTATUS kBadRecord = host::kErrBufferOverflow;

std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

std::uint32_t Read32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

double ReadDouble(const unsigned char* p) {
  const std::uint64_t bits = Read32(p) | static_cast<std::uint64_t>(Read32(p + 4)) << 32;
  return std::bit_cast<double>(bits);
}

CoreTimeDate ReadTimeDate(const unsigned char* p) {
  CoreTimeDate packed;
  std::memcpy(packed.bytes, p, sizeof packed.bytes);
  return packed;
}

// The data of one value: what follows its type word, `size` bytes.
struct ValueData {
  std::uint16_t type;
  const unsigned char* data;
  std::size_t size;
};

// Checks that the data of `value` is as long as its type and counts say; the entries of a text
// list are the host accessor's to check.
LNSTATUS CheckValue(const ValueData& value) {
  const auto fits = [&](std::size_t needed) { return needed <= value.size ? host::kNoError : kBadRecord; };
  switch (value.type) {
    case kCoreTypeNumber:
    case kCoreTypeTime:
      return fits(8);
    case kCoreTypeNumberList:
      return value.size < 4 ? kBadRecord : fits(4 + 8 * std::size_t{Read16(value.data)});
    case kCoreTypeTimeList:
      return value.size < 4 ? kBadRecord
                            : fits(4 + 8 * std::size_t{Read16(value.data)} + 16 * std::size_t{Read16(value.data + 2)});
    case kCoreTypeTextList:
      return value.size < 4 ? kBadRecord
                            : fits(4 + 2 * std::size_t{Read16(value.data)} + Read16(value.data + 2));
    default:
      return host::kNoError;
  }
}

// Hands each entry of a checked text list to `take`; the accessor's status when it rejects one.
template <class Take>
LNSTATUS ForEachTextListEntry(const ValueData& value, Take&& take) {
  const std::uint16_t count = Read16(value.data);
  for (std::uint16_t j = 0; j < count; ++j) {
    const char* entry = nullptr;
    std::uint16_t length = 0;
    if (STATUS status = CoreGetTextListEntry(value.data, 0, j, &entry, &length)) return status;
    take(entry, length);
  }
  return host::kNoError;
}

// The host value of a checked value into `item`; a null item for a type not handled.
LNSTATUS BuildValue(const ValueData& value, LNItem* item) {
  switch (value.type) {
    case kCoreTypeNumber: {
      LNNumbers numbers;
      numbers.Insert(0, ReadDouble(value.data));
      *item = std::move(numbers);
      return host::kNoError;
    }
    case kCoreTypeNumberList: {
      LNNumbers numbers;
      const LNINT count = Read16(value.data);
      for (LNINT i = 0; i < count; ++i) numbers.Insert(i, ReadDouble(value.data + 4 + 8 * i));
      *item = std::move(numbers);
      return host::kNoError;
    }
    case kCoreTypeTime: {
      LNDatetimes datetimes;
      datetimes.Insert(0, LNDatetime(ReadTimeDate(value.data)));
      *item = std::move(datetimes);
      return host::kNoError;
    }
    case kCoreTypeTimeList: {
      LNDatetimes datetimes;
      const LNINT count = Read16(value.data);
      const LNINT ranges = Read16(value.data + 2);
      for (LNINT i = 0; i < count; ++i) datetimes.Insert(i, LNDatetime(ReadTimeDate(value.data + 4 + 8 * i)));
      const unsigned char* pairs = value.data + 4 + 8 * count;
      for (LNINT i = 0; i < ranges; ++i) {
        datetimes.Append(LNDatetimeRange(ReadTimeDate(pairs + 16 * i), ReadTimeDate(pairs + 16 * i + 8)));
      }
      *item = std::move(datetimes);
      return host::kNoError;
    }
    case kCoreTypeText: {
      LNText text;
      text.Insert(0, LNString(reinterpret_cast<const char*>(value.data), static_cast<LNINT>(value.size)));
      *item = std::move(text);
      return host::kNoError;
    }
    case kCoreTypeTextList: {
      LNText text;
      const LNSTATUS status = ForEachTextListEntry(
          value, [&](const char* entry, std::uint16_t length) { text.Insert(text.GetCount(), LNString(entry, length)); });
      if (status == host::kNoError) *item = std::move(text);
      return status;
    }
    default:
      *item = LNItem();
      return host::kNoError;
  }
}

// Walks the record at the start of `bytes`, checking every value and handing it (null for an
// absent one) to `take`, which may reject it with a status.
template <class Take>
LNSTATUS WalkRecord(std::string_view bytes, NOTEID* noteId, std::size_t* entrySize, Take&& take) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  if (bytes.size() < 8) return kBadRecord;
  const std::size_t size = 4 + std::size_t{Read16(p + 4)};
  const std::size_t count = Read16(p + 6);
  if (size > bytes.size() || 8 + 2 * count > size) return kBadRecord;
  std::size_t position = 8 + 2 * count;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t length = Read16(p + 8 + 2 * i);
    if (length == 0) {
      if (LNSTATUS status = take(nullptr)) return status;
      continue;
    }
    if (length < 2 || length > size - position) return kBadRecord;
    const ValueData value{Read16(p + position), p + position + 2, length - 2};
    if (LNSTATUS status = CheckValue(value)) return status;
    if (LNSTATUS status = take(&value)) return status;
    position += length;
  }
  *noteId = Read32(p);
  *entrySize = size;
  return host::kNoError;
}

}  // namespace

LNSTATUS ViewEntry::Decode(std::string_view bytes, std::size_t* entrySize) {
  const std::size_t kept = values_.size();
  if (bytes.size() >= 8) {
    // Room for the values the record announces, as many as its bytes could hold at most.
    const std::size_t announced = Read16(reinterpret_cast<const unsigned char*>(bytes.data()) + 6);
    values_.reserve(kept + std::min(announced, (bytes.size() - 8) / 2));
  }
  NOTEID noteId = 0;
  const LNSTATUS status = WalkRecord(bytes, &noteId, entrySize, [&](const ValueData* value) {
    LNItem item;
    const LNSTATUS built = value ? BuildValue(*value, &item) : host::kNoError;
    values_.push_back(std::move(item));
    return built;
  });
  if (status != host::kNoError) {
    values_.resize(kept);
    return status;
  }
  noteId_ = noteId;
  return status;
}

LNSTATUS MeasureEntryRecord(std::string_view bytes, std::size_t* entrySize, NOTEID* noteId) {
  return WalkRecord(bytes, noteId, entrySize, [](const ValueData* value) {
    if (!value || value->type != kCoreTypeTextList) return host::kNoError;
    return ForEachTextListEntry(*value, [](const char*, std::uint16_t) {});
  });
}
