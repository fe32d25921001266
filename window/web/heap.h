#pragma once
// The web page's memory allocator: blocks in power-of-two size classes from
// 16 bytes up, each class with its own list of freed blocks, carved from a
// region that only grows. The page's module makes few and small allocations
// (the window, its texts, one answer at a time), so a freed block is simply
// reused by the next request of its class; nothing is coalesced, and at
// most twice the largest use of each class is ever held. A few hundred
// bytes of code where a general allocator takes several kilobytes.
// Knows nothing of the browser: `grow` gives it more of its region.

#include <cstddef>
#include <cstdint>
#include <limits>

namespace velmora::web {

class Heap {
 public:
  // Extends the region by at least `bytes` beyond `end`, and answers the
  // region's new end, or nullptr when there is no more memory.
  using Grow = unsigned char* (*)(unsigned char* end, std::size_t bytes);

  // The region starts empty at `start` (aligned to 16 here).
  Heap(unsigned char* start, Grow grow) noexcept;

  // `size` bytes aligned to `alignment` (a power of two; 16 is always
  // given), or nullptr when memory is exhausted or the size is too large.
  //   Allocate(0) -> a block of 16 bytes   Allocate(SIZE_MAX) -> nullptr
  void* Allocate(std::size_t size, std::size_t alignment = kAlignment) noexcept;
  // Gives a block back; nullptr is ignored.
  void Free(void* block) noexcept;
  // The block's contents moved to one of `size` bytes (the same block when
  // it fits its class); nullptr, with `block` kept, when there is no memory.
  void* Resize(void* block, std::size_t size) noexcept;
  // How many bytes the block holds: its class's size less its header.
  std::size_t Capacity(const void* block) const noexcept;

  static constexpr std::size_t kAlignment = 16;

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  // 16 bytes and up, as far as a request may go (a quarter of the address space).
  static constexpr int kClasses = std::numeric_limits<std::size_t>::digits - 4;

  unsigned char* Carve(std::size_t bytes) noexcept;

  unsigned char* top_;  // where the next new block is carved
  unsigned char* end_;  // the region's end
  Grow grow_;
  FreeBlock* free_[kClasses] = {};
};

}  // namespace velmora::web
