// Memory for stores that grow to many megabytes a block at a time: blocks of whole huge pages
// (2 MiB), on huge pages where the system has them, so that filling a block costs one page
// fault instead of 512. Where the system has none, small pages work as well.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/api.h"

namespace platform {

inline constexpr std::size_t kLargeBlockAlignment = std::size_t{2} << 20;

struct PLATFORM_API FreeLargeBlock {
  std::size_t bytes = 0;
  void operator()(char* block) const;
};
using LargeBlock = std::unique_ptr<char[], FreeLargeBlock>;

// A zero-filled block of at least `bytes` (a multiple of kLargeBlockAlignment), aligned to
// kLargeBlockAlignment. Throws std::bad_alloc when the system has no memory for it.
PLATFORM_API LargeBlock AllocateLargeBlock(std::size_t bytes);

// The size AllocateLargeBlock gives for `bytes`.
constexpr std::size_t LargeBlockSize(std::size_t bytes) {
  return bytes == 0 ? kLargeBlockAlignment : (bytes + kLargeBlockAlignment - 1) / kLargeBlockAlignment * kLargeBlockAlignment;
}

}  // namespace platform
