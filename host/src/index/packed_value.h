// One summary value in its packed form (type word and data, layouts in host/core.h): how large it
// is, packing it within a byte limit, and reading it back.
//
// Internal to the host library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model.h"

namespace host::index {

// The packed length of `value` whole, type word included.
std::size_t PackedSize(const model::Value& value);

// Appends `value` packed in at most `limit` bytes, cut as needed (text on a UTF-8 character
// boundary, lists losing trailing elements, ranges first). Returns the bytes appended; 0 when not
// even the value's empty form fits.
std::size_t AppendPacked(const model::Value& value, std::size_t limit, std::vector<std::uint8_t>& out);

// The value that packed bytes hold. `bytes` must be one value as AppendPacked writes it.
model::Value UnpackValue(std::span<const std::uint8_t> bytes);

}  // namespace host::index
