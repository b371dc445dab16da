#include "index/packed_value.h"

#include <algorithm>
#include <string>

#include "host/core.h"
#include "index/bytes.h"
#include "index/timedate_packing.h"

namespace host::index {
namespace {

constexpr std::size_t kTypeWord = 2;
constexpr std::size_t kListHeader = 4;  // count and range count (or text byte count)
constexpr std::size_t kMaxCount = 0xFFFF;

// The longest prefix of `text` of at most `limit` bytes that ends on a character boundary.
std::size_t Utf8Prefix(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end;
}

std::size_t SizeOf(const model::Text& text) {
  if (text.values.size() == 1) return kTypeWord + text.values[0].size();
  std::size_t size = kTypeWord + kListHeader;
  for (const std::string& s : text.values) size += 2 + s.size();
  return size;
}

template <typename List>
std::size_t SizeOfList(const List& list) {
  if (list.values.size() == 1 && list.ranges.empty()) return kTypeWord + 8;
  return kTypeWord + kListHeader + 8 * list.values.size() + 16 * list.ranges.size();
}

std::size_t AppendText(const model::Text& text, std::size_t limit, std::vector<std::uint8_t>& out) {
  if (text.values.size() == 1) {
    if (limit < kTypeWord) return 0;
    const std::string& s = text.values[0];
    const std::size_t kept = Utf8Prefix(s, limit - kTypeWord);
    Append(out, kCoreTypeText);
    AppendBytes(out, s.data(), kept);
    return kTypeWord + kept;
  }
  if (limit < kTypeWord + kListHeader) return 0;
  std::size_t count = 0, textBytes = 0, size = kTypeWord + kListHeader;
  for (const std::string& s : text.values) {
    if (count == kMaxCount || size + 2 + s.size() > limit) break;
    size += 2 + s.size();
    textBytes += s.size();
    ++count;
  }
  Append(out, kCoreTypeTextList);
  Append(out, static_cast<std::uint16_t>(count));
  Append(out, static_cast<std::uint16_t>(textBytes));
  for (std::size_t i = 0; i < count; ++i) Append(out, static_cast<std::uint16_t>(text.values[i].size()));
  for (std::size_t i = 0; i < count; ++i) AppendBytes(out, text.values[i].data(), text.values[i].size());
  return size;
}

void AppendElement(double value, std::vector<std::uint8_t>& out) { Append(out, value); }
void AppendElement(const model::DateTime& value, std::vector<std::uint8_t>& out) {
  Append(out, PackTimeDate(value));
}
void AppendElement(const model::NumberRange& range, std::vector<std::uint8_t>& out) {
  Append(out, range.lower);
  Append(out, range.upper);
}
void AppendElement(const model::DateTimeRange& range, std::vector<std::uint8_t>& out) {
  Append(out, PackTimeDate(range.lower));
  Append(out, PackTimeDate(range.upper));
}

// Numbers and date/times: 8 bytes a value, 16 a range.
template <typename List>
std::size_t AppendList(const List& list, std::uint16_t singleType, std::uint16_t listType, std::size_t limit, std::vector<std::uint8_t>& out) {
  if (list.values.size() == 1 && list.ranges.empty()) {
    if (limit < kTypeWord + 8) return 0;
    Append(out, singleType);
    AppendElement(list.values[0], out);
    return kTypeWord + 8;
  }
  if (limit < kTypeWord + kListHeader) return 0;
  std::size_t room = limit - kTypeWord - kListHeader;
  const std::size_t count = std::min({list.values.size(), room / 8, kMaxCount});
  room -= 8 * count;
  const std::size_t ranges = count == list.values.size() ? std::min({list.ranges.size(), room / 16, kMaxCount}) : 0;
  Append(out, listType);
  Append(out, static_cast<std::uint16_t>(count));
  Append(out, static_cast<std::uint16_t>(ranges));
  for (std::size_t i = 0; i < count; ++i) AppendElement(list.values[i], out);
  for (std::size_t i = 0; i < ranges; ++i) AppendElement(list.ranges[i], out);
  return kTypeWord + kListHeader + 8 * count + 16 * ranges;
}

std::size_t AppendTypeOnly(std::uint16_t type, std::size_t limit, std::vector<std::uint8_t>& out) {
  if (limit < kTypeWord) return 0;
  Append(out, type);
  return kTypeWord;
}

template <typename Element>
Element LoadElement(const std::uint8_t* at);
template <>
double LoadElement<double>(const std::uint8_t* at) { return Load<double>(at); }
template <>
model::DateTime LoadElement<model::DateTime>(const std::uint8_t* at) {
  return UnpackTimeDate(Load<std::uint64_t>(at)).value_or(model::DateTime{});
}

template <typename List, typename Element, typename Range>
List UnpackList(const std::uint8_t* data) {
  List list;
  const std::uint16_t count = Load<std::uint16_t>(data), ranges = Load<std::uint16_t>(data + 2);
  const std::uint8_t* at = data + kListHeader;
  for (std::uint16_t i = 0; i < count; ++i, at += 8) list.values.push_back(LoadElement<Element>(at));
  for (std::uint16_t i = 0; i < ranges; ++i, at += 16)
    list.ranges.push_back(Range{LoadElement<Element>(at), LoadElement<Element>(at + 8)});
  return list;
}

}  // namespace

std::size_t PackedSize(const model::Value& value) {
  if (const auto* text = std::get_if<model::Text>(&value)) return SizeOf(*text);
  if (const auto* numbers = std::get_if<model::Numbers>(&value)) return SizeOfList(*numbers);
  if (const auto* times = std::get_if<model::DateTimes>(&value)) return SizeOfList(*times);
  return kTypeWord;
}

std::size_t AppendPacked(const model::Value& value, std::size_t limit, std::vector<std::uint8_t>& out) {
  if (const auto* text = std::get_if<model::Text>(&value)) return AppendText(*text, limit, out);
  if (const auto* numbers = std::get_if<model::Numbers>(&value)) return AppendList(*numbers, kCoreTypeNumber, kCoreTypeNumberList, limit, out);
  if (const auto* times = std::get_if<model::DateTimes>(&value)) return AppendList(*times, kCoreTypeTime, kCoreTypeTimeList, limit, out);
  if (std::holds_alternative<model::RichText>(value)) return AppendTypeOnly(kCoreTypeRichText, limit, out);
  return AppendTypeOnly(kCoreTypeUnsupported, limit, out);
}

model::Value UnpackValue(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* data = bytes.data() + kTypeWord;
  switch (Load<std::uint16_t>(bytes.data())) {
    case kCoreTypeNumber: return model::Numbers{{Load<double>(data)}, {}};
    case kCoreTypeNumberList: return UnpackList<model::Numbers, double, model::NumberRange>(data);
    case kCoreTypeTime: return model::DateTimes{{LoadElement<model::DateTime>(data)}, {}};
    case kCoreTypeTimeList: return UnpackList<model::DateTimes, model::DateTime, model::DateTimeRange>(data);
    case kCoreTypeText: return model::Text{{std::string(reinterpret_cast<const char*>(data), bytes.size() - kTypeWord)}};
    case kCoreTypeTextList: {
      model::Text text;
      const std::uint16_t count = Load<std::uint16_t>(data);
      const char* at = reinterpret_cast<const char*>(data + kListHeader + 2 * count);
      for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint16_t length = Load<std::uint16_t>(data + kListHeader + 2 * i);
        text.values.emplace_back(at, length);
        at += length;
      }
      return text;
    }
    case kCoreTypeRichText: return model::RichText{};
    default: return model::Unsupported{"unsupported"};
  }
}

}  // namespace host::index
