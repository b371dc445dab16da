// The encoding of an item list. Each item is
//   name length (varint), name, flags (2 bytes), value kind (1 byte), payload length (varint), payload
// and the payload by kind:
//   text         count, then each value's length and bytes (varints before each)
//   one text     the bytes of a text of one value
//   numbers      count, the doubles, range count, the ranges (native layout)
//   date/times   count, the DateTimes, range count, the ranges (native layout)
//   rich text    the index of the value in richTexts_
//   unsupported  the type code (4 bytes), then the kind's name
// Everything is read back in the process that wrote it, so native layouts are safe.
#include <platform/cp932.h>

#include <cstring>
#include <type_traits>

#include "model.h"

namespace host::model {
namespace {

enum Kind : std::uint8_t { kText, kNumbers, kDateTimes, kRichText, kUnsupported, kOneText };

static_assert(std::is_trivially_copyable_v<DateTime> && std::is_trivially_copyable_v<DateTimeRange> &&
              std::is_trivially_copyable_v<NumberRange>);

void PutSize(std::string& out, std::size_t value) {
  while (value >= 0x80) {
    out += static_cast<char>(value | 0x80);
    value >>= 7;
  }
  out += static_cast<char>(value);
}

template <typename T>
void PutArray(std::string& out, const std::vector<T>& values) {
  PutSize(out, values.size());
  if (!values.empty()) out.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
}

void PutBytes(std::string& out, std::string_view bytes) {
  PutSize(out, bytes.size());
  out += bytes;
}

class Reader {
 public:
  Reader(std::string_view bytes, std::size_t offset) : bytes_(bytes), at_(offset) {}

  std::size_t Size() {
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
      const auto byte = static_cast<unsigned char>(bytes_[at_++]);
      value |= static_cast<std::size_t>(byte & 0x7F) << shift;
      if (byte < 0x80) return value;
    }
  }
  std::string_view Bytes(std::size_t length) {
    const std::string_view bytes = bytes_.substr(at_, length);
    at_ += length;
    return bytes;
  }
  std::string_view Counted() { return Bytes(Size()); }
  template <typename T>
  T Fixed() {
    T value;
    std::memcpy(&value, bytes_.data() + at_, sizeof(T));
    at_ += sizeof(T);
    return value;
  }
  template <typename T>
  std::vector<T> Array() {
    std::vector<T> values(Size());
    if (!values.empty()) std::memcpy(values.data(), bytes_.data() + at_, values.size() * sizeof(T));
    at_ += values.size() * sizeof(T);
    return values;
  }
  std::size_t At() const { return at_; }

 private:
  std::string_view bytes_;
  std::size_t at_;
};

struct Header {
  std::string_view name;
  std::uint16_t flags;
  Kind kind;
  std::size_t payload;  // offset of the payload
  std::size_t next;     // offset of the next item
};

Header ReadHeader(std::string_view bytes, std::size_t offset) {
  Reader in(bytes, offset);
  Header header;
  header.name = in.Counted();
  header.flags = in.Fixed<std::uint16_t>();
  header.kind = static_cast<Kind>(in.Fixed<std::uint8_t>());
  const std::size_t length = in.Size();
  header.payload = in.At();
  header.next = header.payload + length;
  return header;
}

}  // namespace

ItemList::ItemList(const std::vector<Item>& items) {
  std::size_t bytes = 0;
  for (const Item& item : items) {
    bytes += item.name.size() + 16;
    if (const auto* text = std::get_if<Text>(&item.value))
      for (const std::string& value : text->values) bytes += value.size() + 2;
  }
  bytes_.reserve(bytes);
  for (const Item& item : items) push_back(item);
  bytes_.shrink_to_fit();
}

void ItemList::push_back(const Item& item) {
  std::string payload;
  std::string_view oneText;  // the payload of a text of one value, as it is
  Kind kind = kText;
  if (const auto* text = std::get_if<Text>(&item.value); text && text->values.size() == 1) {
    kind = kOneText;
    oneText = text->values.front();
  } else if (text) {
    PutSize(payload, text->values.size());
    for (const std::string& value : text->values) PutBytes(payload, value);
  } else if (const auto* numbers = std::get_if<Numbers>(&item.value)) {
    kind = kNumbers;
    PutArray(payload, numbers->values);
    PutArray(payload, numbers->ranges);
  } else if (const auto* datetimes = std::get_if<DateTimes>(&item.value)) {
    kind = kDateTimes;
    PutArray(payload, datetimes->values);
    PutArray(payload, datetimes->ranges);
  } else if (const auto* richText = std::get_if<RichText>(&item.value)) {
    kind = kRichText;
    if (!richTexts_) richTexts_.emplace();
    PutSize(payload, richTexts_->size());
    richTexts_->push_back(*richText);
  } else {
    const auto& unsupported = std::get<Unsupported>(item.value);
    kind = kUnsupported;
    payload.append(reinterpret_cast<const char*>(&unsupported.typeCode), sizeof unsupported.typeCode);
    payload += unsupported.kind;
  }
  PutBytes(bytes_, item.name);
  bytes_.append(reinterpret_cast<const char*>(&item.flags), sizeof item.flags);
  bytes_ += static_cast<char>(kind);
  PutBytes(bytes_, kind == kOneText ? oneText : std::string_view(payload));
  ++count_;
}

std::optional<Item> ItemList::Find(std::string_view name) const {
  for (std::size_t offset = 0; offset < bytes_.size();) {
    const Header header = ReadHeader(bytes_, offset);
    if (platform::EqualsIgnoringAsciiCase(header.name, name)) return *const_iterator(this, offset);
    offset = header.next;
  }
  return std::nullopt;
}

Item ItemList::operator[](std::size_t index) const {
  const_iterator it = begin();
  while (index-- > 0) ++it;
  return *it;
}

Item ItemList::const_iterator::operator*() const {
  const Header header = ReadHeader(list_->bytes_, offset_);
  Item item{std::string(header.name), {}, header.flags};
  Reader in(list_->bytes_, header.payload);
  switch (header.kind) {
    case kText: {
      Text text;
      text.values.resize(in.Size());
      for (std::string& value : text.values) value = in.Counted();
      item.value = std::move(text);
      break;
    }
    case kOneText:
      item.value = Text{{std::string(in.Bytes(header.next - in.At()))}};
      break;
    case kNumbers: {
      Numbers numbers;
      numbers.values = in.Array<double>();
      numbers.ranges = in.Array<NumberRange>();
      item.value = std::move(numbers);
      break;
    }
    case kDateTimes: {
      DateTimes datetimes;
      datetimes.values = in.Array<DateTime>();
      datetimes.ranges = in.Array<DateTimeRange>();
      item.value = std::move(datetimes);
      break;
    }
    case kRichText:
      item.value = (*list_->richTexts_)[in.Size()];
      break;
    case kUnsupported: {
      Unsupported unsupported;
      unsupported.typeCode = in.Fixed<std::uint32_t>();
      unsupported.kind = in.Bytes(header.next - in.At());
      item.value = std::move(unsupported);
      break;
    }
  }
  return item;
}

ItemList::const_iterator& ItemList::const_iterator::operator++() {
  offset_ = ReadHeader(list_->bytes_, offset_).next;
  return *this;
}

}  // namespace host::model
