#include "platform/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace platform {

void FreeLargeBlock::operator()(char* block) const {
  if (block) munmap(block, bytes);
}

LargeBlock AllocateLargeBlock(std::size_t bytes) {
  const std::size_t size = LargeBlockSize(bytes);
  // Mapped with room to spare, then cut to the aligned part: only an aligned range can be one
  // huge page.
  const std::size_t mapped = size + kLargeBlockAlignment;
  void* memory = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t aligned = (start + kLargeBlockAlignment - 1) & ~(kLargeBlockAlignment - 1);
  if (aligned > start) munmap(memory, aligned - start);
  const std::uintptr_t tail = aligned + size;
  if (start + mapped > tail) munmap(reinterpret_cast<void*>(tail), start + mapped - tail);
  madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // advice only
  return LargeBlock(reinterpret_cast<char*>(aligned), FreeLargeBlock{size});
}

}  // namespace platform
