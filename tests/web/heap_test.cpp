// The web page's allocator on a region of its own here: blocks reused by
// class, aligned, resized with their contents, and a clean nullptr when the
// region can grow no further.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "window/web/heap.h"

namespace velmora::web {
namespace {

// A region of 64 KiB that grows in steps of 4 KiB, as far as it goes.
alignas(64) unsigned char region[65536];
unsigned char* Grow(unsigned char* end, std::size_t bytes) {
  const std::size_t step = (bytes + 4095) / 4096 * 4096;
  return step <= static_cast<std::size_t>(region + sizeof region - end) ? end + step : nullptr;
}

std::uintptr_t At(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

TEST(Heap, BlocksAreAlignedAndDoNotOverlap) {
  Heap heap(region, Grow);
  struct Case { std::size_t size, alignment; };
  const std::vector<Case> cases = {{0, 16}, {1, 16}, {16, 16}, {17, 16}, {100, 64}, {3, 256}, {4000, 16}};
  std::vector<std::pair<unsigned char*, std::size_t>> blocks;
  for (const auto& [size, alignment] : cases) {
    auto* p = static_cast<unsigned char*>(heap.Allocate(size, alignment));
    ASSERT_NE(p, nullptr) << size;
    EXPECT_EQ(At(p) % alignment, 0u) << size << " aligned to " << alignment;
    EXPECT_GE(heap.Capacity(p), size);
    std::memset(p, 0xAB, heap.Capacity(p));
    for (const auto& [q, n] : blocks) EXPECT_TRUE(p + size <= q || q + n <= p) << size << " overlaps";
    blocks.push_back({p, heap.Capacity(p)});
  }
}

TEST(Heap, AFreedBlockIsReusedByItsClass) {
  Heap heap(region, Grow);
  void* a = heap.Allocate(40);
  heap.Free(a);
  EXPECT_EQ(heap.Allocate(33), a);  // the same class of 64 bytes
  // An over-aligned block goes back whole: a plain request of its class
  // gets the same memory.
  auto* big = static_cast<unsigned char*>(heap.Allocate(500, 128));
  heap.Free(big);
  auto* again = static_cast<unsigned char*>(heap.Allocate(500 + 112));
  EXPECT_LE(again, big);
  EXPECT_GT(again + 1024, big);
  heap.Free(nullptr);  // ignored
}

TEST(Heap, ResizeKeepsTheContents) {
  Heap heap(region, Grow);
  auto* p = static_cast<char*>(heap.Allocate(10));
  std::memcpy(p, "0123456789", 10);
  EXPECT_EQ(heap.Resize(p, 12), p);  // still fits its class
  auto* q = static_cast<char*>(heap.Resize(p, 1000));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(std::memcmp(q, "0123456789", 10), 0);
  EXPECT_EQ(heap.Allocate(10), p);  // the old block went back
}

TEST(Heap, RunsOutCleanly) {
  Heap heap(region, Grow);
  EXPECT_EQ(heap.Allocate(SIZE_MAX), nullptr);
  EXPECT_EQ(heap.Allocate(SIZE_MAX / 2), nullptr);
  EXPECT_EQ(heap.Allocate(16, SIZE_MAX / 4), nullptr);
  EXPECT_EQ(heap.Allocate(70000), nullptr);  // past the region
  auto* p = static_cast<char*>(heap.Allocate(100));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "kept", 5);
  EXPECT_EQ(heap.Resize(p, 70000), nullptr);
  EXPECT_STREQ(p, "kept");  // untouched when there is no room
  int blocks = 0;
  while (heap.Allocate(1000) != nullptr) ++blocks;
  EXPECT_GT(blocks, 20);  // the region filled up to its end, then nullptr
}

}  // namespace
}  // namespace velmora::web
