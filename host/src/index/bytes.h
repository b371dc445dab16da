// Little-endian integers and doubles at unaligned addresses, as entry records hold them.
//
// Internal to the host library.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace host::index {

static_assert(std::endian::native == std::endian::little, "entry records are written in the host's byte order");

template <typename T>
T Load(const std::uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <typename T>
void Store(std::uint8_t* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

template <typename T>
void Append(std::vector<std::uint8_t>& out, T value) {
  const std::size_t at = out.size();
  out.resize(at + sizeof value);
  Store(out.data() + at, value);
}

inline void AppendBytes(std::vector<std::uint8_t>& out, const void* bytes, std::size_t size) {
  const auto* first = static_cast<const std::uint8_t*>(bytes);
  out.insert(out.end(), first, first + size);
}

}  // namespace host::index
