// Expected entry-record bytes, written out field by field in tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace host::index::testing {

class Bytes {
 public:
  Bytes& U16(std::uint16_t value) { return Put(value); }
  Bytes& U32(std::uint32_t value) { return Put(value); }
  Bytes& U64(std::uint64_t value) { return Put(value); }
  Bytes& F64(double value) { return Put(value); }
  Bytes& Str(std::string_view text) {
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
  }
  Bytes& Raw(const std::vector<std::uint8_t>& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
  }
  const std::vector<std::uint8_t>& Get() const { return bytes_; }
  operator const std::vector<std::uint8_t>&() const { return bytes_; }  // NOLINT

 private:
  template <typename T>
  Bytes& Put(T value) {
    std::uint8_t raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    bytes_.insert(bytes_.end(), raw, raw + sizeof value);
    return *this;
  }
  std::vector<std::uint8_t> bytes_;
};

}  // namespace host::index::testing
