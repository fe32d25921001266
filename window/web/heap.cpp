#include "window/web/heap.h"

#include <bit>
#include <cstring>

namespace velmora::web {

namespace {

// A block keeps 16 bytes of room in front of the address it hands out (more
// for an over-aligned address), and its header sits in the last 8 of them,
// at address - 8: the block's size class, and how far back from the
// address the block starts.
struct Header {
  std::uint32_t size_class;  // the block holds 16 << size_class bytes
  std::uint32_t offset;      // from the block's start to the address handed out
};
constexpr std::size_t kHeaderRoom = Heap::kAlignment;

std::size_t ClassBytes(std::uint32_t size_class) noexcept { return Heap::kAlignment << size_class; }

Header* HeaderOf(const void* address) noexcept {
  return reinterpret_cast<Header*>(const_cast<unsigned char*>(static_cast<const unsigned char*>(address)) -
                                   sizeof(Header));
}

unsigned char* AlignUp(unsigned char* p, std::size_t alignment) noexcept {
  const auto at = reinterpret_cast<std::uintptr_t>(p);
  return p + ((alignment - at % alignment) % alignment);
}

}  // namespace

Heap::Heap(unsigned char* start, Grow grow) noexcept
    : top_(AlignUp(start, kAlignment)), end_(top_), grow_(grow) {}

unsigned char* Heap::Carve(std::size_t bytes) noexcept {
  if (static_cast<std::size_t>(end_ - top_) < bytes) {
    unsigned char* end = grow_(end_, bytes - static_cast<std::size_t>(end_ - top_));
    if (end == nullptr) return nullptr;
    end_ = end;
  }
  unsigned char* block = top_;
  top_ += bytes;
  return block;
}

void* Heap::Allocate(std::size_t size, std::size_t alignment) noexcept {
  if (alignment < kAlignment) alignment = kAlignment;
  if (alignment > SIZE_MAX / 8) return nullptr;
  // Room for the header and for moving to an over-aligned address.
  const std::size_t slack = kHeaderRoom + (alignment - kAlignment);
  if (size > SIZE_MAX / 4 - slack) return nullptr;
  const std::size_t needed = size + slack;
  // The smallest class that holds it: 16 << size_class >= needed.
  const auto size_class = static_cast<std::uint32_t>(std::bit_width((needed - 1) | 15) - 4);

  unsigned char* block;
  if (FreeBlock* reused = free_[size_class]) {
    free_[size_class] = reused->next;
    block = reinterpret_cast<unsigned char*>(reused);
  } else {
    block = Carve(ClassBytes(size_class));
    if (block == nullptr) return nullptr;
  }
  unsigned char* address = AlignUp(block + kHeaderRoom, alignment);
  *HeaderOf(address) = {size_class, static_cast<std::uint32_t>(address - block)};
  return address;
}

void Heap::Free(void* address) noexcept {
  if (address == nullptr) return;
  const Header header = *HeaderOf(address);
  auto* block = reinterpret_cast<FreeBlock*>(static_cast<unsigned char*>(address) - header.offset);
  block->next = free_[header.size_class];
  free_[header.size_class] = block;
}

std::size_t Heap::Capacity(const void* address) const noexcept {
  const Header header = *HeaderOf(address);
  return ClassBytes(header.size_class) - header.offset;
}

void* Heap::Resize(void* address, std::size_t size) noexcept {
  if (address == nullptr) return Allocate(size);
  const std::size_t capacity = Capacity(address);
  if (size <= capacity) return address;
  void* moved = Allocate(size);
  if (moved == nullptr) return nullptr;
  std::memcpy(moved, address, capacity);
  Free(address);
  return moved;
}

}  // namespace velmora::web
