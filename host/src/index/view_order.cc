#include "index/view_order.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numeric>
#include <span>
#include <string_view>

#include "host/core.h"
#include "index/bytes.h"
#include "index/summary_table.h"
#include "index/timedate_packing.h"
#include "platform/cp932.h"

namespace host::index {
namespace {

// A document's choice in a categorised column: one element of a list, or the whole value.
constexpr std::uint16_t kWhole = 0xFFFF;
constexpr std::uint32_t kFirstCategoryId = 0x80000001;
constexpr std::int64_t kHundredthsPerDay = 8'640'000;

struct Key {
  enum Rank { None, Number, Time, Text } rank = None;
  double number = 0;
  bool hasDate = false;
  std::int64_t instant = 0;  // hundredths of a second, UTC
  std::string_view text;
};

bool IsList(std::uint16_t type) {
  return type == kCoreTypeNumberList || type == kCoreTypeTimeList || type == kCoreTypeTextList;
}

std::uint16_t TypeOf(std::span<const std::uint8_t> value) { return value.empty() ? 0 : Load<std::uint16_t>(value.data()); }

// The element count of a list value; 0 for any other value.
std::uint16_t ListCount(std::span<const std::uint8_t> value) {
  return !value.empty() && IsList(TypeOf(value)) ? Load<std::uint16_t>(value.data() + 2) : 0;
}

std::string_view TextListElement(const std::uint8_t* list, std::uint16_t index) {
  const std::uint16_t count = Load<std::uint16_t>(list);
  std::size_t offset = 4 + 2 * std::size_t{count};
  for (std::uint16_t i = 0; i < index; ++i) offset += Load<std::uint16_t>(list + 4 + 2 * i);
  return {reinterpret_cast<const char*>(list + offset), Load<std::uint16_t>(list + 4 + 2 * index)};
}

Key NumberKey(double number) {
  Key key;
  key.rank = Key::Number;
  key.number = number;
  return key;
}

Key TextKey(std::string_view text) {
  Key key;
  key.rank = Key::Text;
  key.text = text;
  return key;
}

Key TimeKey(std::uint64_t packed) {
  const std::optional<model::DateTime> time = UnpackTimeDate(packed);
  if (!time) return {};
  Key key;
  key.rank = Key::Time;
  key.hasDate = time->HasDate();
  key.instant = (time->HasDate() ? time->date * kHundredthsPerDay : 0) + (time->HasTime() ? time->time : 0) -
                std::int64_t{time->zoneMinutes} * 6000;
  return key;
}

// The sort key of `value`: of element `choice`, or of the first element for kWhole.
Key KeyOf(std::span<const std::uint8_t> value, std::uint16_t choice) {
  if (value.empty()) return {};
  const std::uint8_t* data = value.data() + 2;
  const std::uint16_t element = choice == kWhole ? 0 : choice;
  const std::uint16_t type = TypeOf(value);
  if (IsList(type) && element >= ListCount(value)) return {};
  switch (type) {
    case kCoreTypeNumber: return NumberKey(Load<double>(data));
    case kCoreTypeNumberList: return NumberKey(Load<double>(data + 4 + 8 * element));
    case kCoreTypeTime: return TimeKey(Load<std::uint64_t>(data));
    case kCoreTypeTimeList: return TimeKey(Load<std::uint64_t>(data + 4 + 8 * element));
    case kCoreTypeText: return TextKey({reinterpret_cast<const char*>(data), value.size() - 2});
    case kCoreTypeTextList: return TextKey(TextListElement(data, element));
    default: return {};
  }
}

template <typename T>
int Order(T a, T b) {
  return (b < a) - (a < b);
}

int CompareNumbers(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return Order(std::isnan(a), std::isnan(b));  // NaN last
  return Order(a, b);
}

std::uint8_t FoldCase(char c) {
  return static_cast<std::uint8_t>(platform::AsciiLower(c));
}

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i)
    if (int c = Order(FoldCase(a[i]), FoldCase(b[i]))) return c;
  return Order(a.size(), b.size());
}

int Compare(const Key& a, const Key& b) {
  if (a.rank != b.rank) return Order(a.rank, b.rank);
  switch (a.rank) {
    case Key::Number: return CompareNumbers(a.number, b.number);
    case Key::Time:
      if (a.hasDate != b.hasDate) return Order(a.hasDate, b.hasDate);
      return Order(a.instant, b.instant);
    case Key::Text: return CompareText(a.text, b.text);
    case Key::None: return 0;
  }
  return 0;
}

// The leading bytes of a row's sort order, so that most comparisons stay away from the scattered
// tables: rows whose prefixes differ order as their prefixes do; equal prefixes leave the order to
// the keys themselves. The keys are written one after the other, each in a form that ends itself
// (a text ends in 0, its bytes 0 and 1 escaped), a descending key's bytes inverted, then the note
// ID; what does not fit is left out.
using Prefix = std::array<std::uint64_t, 3>;

class PrefixWriter {
 public:
  bool Full() const { return size_ == bytes_.size(); }
  void Put(std::uint8_t byte) {
    if (!Full()) bytes_[size_++] = invert_ ? static_cast<std::uint8_t>(~byte) : byte;
  }
  void PutBigEndian(std::uint64_t value) {
    for (int i = 56; i >= 0; i -= 8) Put(static_cast<std::uint8_t>(value >> i));
  }
  void Key(const Key& key, bool descending) {
    invert_ = descending;
    Put(static_cast<std::uint8_t>(key.rank));
    switch (key.rank) {
      case Key::Number: {
        // Doubles as unsigned integers in numeric order; every NaN last.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(key.number);
        PutBigEndian(std::isnan(key.number) ? ~std::uint64_t{0} : bits >> 63 ? ~bits : bits | std::uint64_t{1} << 63);
        break;
      }
      case Key::Time:
        Put(key.hasDate);
        PutBigEndian(static_cast<std::uint64_t>(key.instant) ^ std::uint64_t{1} << 63);
        break;
      case Key::Text:
        for (char c : key.text) {
          if (Full()) return;
          const std::uint8_t byte = FoldCase(c);
          if (byte <= 1) Put(1);
          Put(byte <= 1 ? static_cast<std::uint8_t>(byte + 1) : byte);
        }
        Put(0);
        break;
      case Key::None: break;
    }
  }
  // Ties of all keys go by note ID.
  void NoteId(std::uint32_t noteId) {
    invert_ = false;
    for (int i = 24; i >= 0; i -= 8) Put(static_cast<std::uint8_t>(noteId >> i));
  }
  Prefix Get() const {
    Prefix prefix{};
    for (std::size_t i = 0; i < bytes_.size(); ++i) prefix[i / 8] = prefix[i / 8] << 8 | bytes_[i];
    return prefix;
  }

 private:
  std::array<std::uint8_t, 24> bytes_{};
  std::size_t size_ = 0;
  bool invert_ = false;
};

// The elements of a categorised value that head categories of their own: each distinct element
// of a list once, by its first place; kWhole for an empty list or a single value.
void DistinctElements(std::span<const std::uint8_t> value, std::vector<std::uint16_t>& out) {
  out.clear();
  const std::uint16_t count = ListCount(value);
  if (count == 0) {
    out.push_back(kWhole);
    return;
  }
  out.resize(count);
  std::iota(out.begin(), out.end(), std::uint16_t{0});
  auto byKey = [&](std::uint16_t a, std::uint16_t b) {
    const int c = Compare(KeyOf(value, a), KeyOf(value, b));
    return c != 0 ? c < 0 : a < b;
  };
  std::sort(out.begin(), out.end(), byKey);
  auto sameKey = [&](std::uint16_t a, std::uint16_t b) { return Compare(KeyOf(value, a), KeyOf(value, b)) == 0; };
  out.erase(std::unique(out.begin(), out.end(), sameKey), out.end());
  std::sort(out.begin(), out.end());
}

// Appends the packed form of the chosen element of `value`.
void AppendElement(std::span<const std::uint8_t> value, std::uint16_t choice, std::vector<std::uint8_t>& out) {
  if (choice == kWhole) {
    AppendBytes(out, value.data(), value.size());
    return;
  }
  const std::uint8_t* data = value.data() + 2;
  switch (TypeOf(value)) {
    case kCoreTypeNumberList:
      Append(out, kCoreTypeNumber);
      AppendBytes(out, data + 4 + 8 * choice, 8);
      break;
    case kCoreTypeTimeList:
      Append(out, kCoreTypeTime);
      AppendBytes(out, data + 4 + 8 * choice, 8);
      break;
    default: {
      const std::string_view text = TextListElement(data, choice);
      Append(out, kCoreTypeText);
      AppendBytes(out, text.data(), text.size());
    }
  }
}

void AppendCategoryTable(std::span<const std::uint8_t> value, std::uint16_t choice, std::uint16_t column,
                         std::uint16_t columnCount, std::vector<std::uint8_t>& out) {
  const std::size_t start = out.size();
  const std::size_t header = 4 + 2 * std::size_t{columnCount};
  out.resize(start + header, 0);
  AppendElement(value, choice, out);
  const std::size_t length = out.size() - start - header;
  Store(out.data() + start, static_cast<std::uint16_t>(header + length));
  Store(out.data() + start + 2, columnCount);
  Store(out.data() + start + 4 + 2 * std::size_t{column}, static_cast<std::uint16_t>(length));
}

}  // namespace

void OrderRows(const std::vector<SortKey>& keys, std::uint16_t columnCount, PackedRows& rows) {
  if (keys.empty()) return;
  const std::vector<PackedRows::Entry> documents = std::move(rows.entries);
  rows.entries.clear();

  // Where each key's choice sits among an instance's choices (categorised keys only).
  std::vector<std::size_t> choiceSlot(keys.size(), 0);
  std::size_t stride = 0;
  for (std::size_t k = 0; k < keys.size(); ++k)
    if (keys[k].categorized) choiceSlot[k] = stride++;

  // One instance per document and combination of distinct categorised elements.
  std::vector<std::uint32_t> instanceDocument;
  std::vector<std::uint16_t> choices;
  std::vector<std::vector<std::uint16_t>> options(stride);
  std::vector<std::size_t> odometer(stride);
  instanceDocument.reserve(documents.size());
  choices.reserve(documents.size() * stride);
  for (std::uint32_t d = 0; d < documents.size(); ++d) {
    const std::uint8_t* table = rows.TableOf(documents[d]);
    for (std::size_t k = 0; k < keys.size(); ++k)
      if (keys[k].categorized) DistinctElements(ValueInTable(table, keys[k].column), options[choiceSlot[k]]);
    std::fill(odometer.begin(), odometer.end(), 0);
    for (;;) {
      instanceDocument.push_back(d);
      for (std::size_t j = 0; j < stride; ++j) choices.push_back(options[j][odometer[j]]);
      std::size_t j = stride;
      while (j > 0 && ++odometer[j - 1] == options[j - 1].size()) odometer[--j] = 0;
      if (j == 0) break;
    }
  }

  auto keyOf = [&](std::uint32_t instance, std::size_t k) {
    const std::uint8_t* table = rows.TableOf(documents[instanceDocument[instance]]);
    const std::uint16_t choice = keys[k].categorized ? choices[instance * stride + choiceSlot[k]] : kWhole;
    return KeyOf(ValueInTable(table, keys[k].column), choice);
  };
  auto before = [&](std::uint32_t a, std::uint32_t b) {
    for (std::size_t k = 0; k < keys.size(); ++k)
      if (const int c = Compare(keyOf(a, k), keyOf(b, k))) return keys[k].descending ? c > 0 : c < 0;
    const std::uint32_t idA = documents[instanceDocument[a]].noteId, idB = documents[instanceDocument[b]].noteId;
    return idA != idB ? idA < idB : a < b;
  };
  struct Sortable {
    Prefix prefix;
    std::uint32_t instance;
  };
  std::vector<Sortable> sortables(instanceDocument.size());
  for (std::uint32_t i = 0; i < sortables.size(); ++i) {
    PrefixWriter writer;
    for (std::size_t k = 0; k < keys.size() && !writer.Full(); ++k) writer.Key(keyOf(i, k), keys[k].descending);
    writer.NoteId(documents[instanceDocument[i]].noteId);
    sortables[i] = {writer.Get(), i};
  }
  std::sort(sortables.begin(), sortables.end(), [&](const Sortable& a, const Sortable& b) {
    return a.prefix != b.prefix ? a.prefix < b.prefix : before(a.instance, b.instance);
  });
  std::vector<std::uint32_t> order(sortables.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = sortables[i].instance;
  std::vector<Sortable>().swap(sortables);

  std::size_t categorizedEnd = 0;
  for (std::size_t k = 0; k < keys.size(); ++k)
    if (keys[k].categorized) categorizedEnd = k + 1;
  std::vector<std::uint8_t> categoryTable;
  std::uint32_t nextCategoryId = kFirstCategoryId;
  rows.entries.reserve(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::uint32_t instance = order[i];
    // The first key, up to the last categorised one, in which this row differs from the one before.
    std::size_t firstChange = 0;
    if (i > 0) {
      firstChange = categorizedEnd;
      for (std::size_t k = 0; k < categorizedEnd; ++k)
        if (Compare(keyOf(order[i - 1], k), keyOf(instance, k)) != 0) {
          firstChange = k;
          break;
        }
    }
    const PackedRows::Entry& document = documents[instanceDocument[instance]];
    for (std::size_t k = firstChange; k < categorizedEnd; ++k) {
      if (!keys[k].categorized) continue;
      categoryTable.clear();
      AppendCategoryTable(ValueInTable(rows.TableOf(document), keys[k].column),
                          choices[instance * stride + choiceSlot[k]], keys[k].column, columnCount, categoryTable);
      rows.entries.push_back({rows.tables.AddPacked(categoryTable), nextCategoryId++});
    }
    rows.entries.push_back(document);
  }
}

void OrderSiblings(const std::vector<SortKey>& keys, const PackedRows& rows, std::span<PackedRows::Entry> siblings) {
  auto before = [&](const PackedRows::Entry& a, const PackedRows::Entry& b) {
    for (const SortKey& key : keys) {
      if (key.categorized) continue;
      const int c = Compare(KeyOf(ValueInTable(rows.TableOf(a), key.column), kWhole),
                            KeyOf(ValueInTable(rows.TableOf(b), key.column), kWhole));
      if (c != 0) return key.descending ? c > 0 : c < 0;
    }
    return a.noteId < b.noteId;
  };
  std::sort(siblings.begin(), siblings.end(), before);
}

}  // namespace host::index
