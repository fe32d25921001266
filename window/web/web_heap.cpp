// The C library's allocation functions for the page's module, on the
// module's own Heap (heap.h) over the WebAssembly memory above the static
// data: linked instead of the toolchain's allocator (-sMALLOC=none).
// The page's script reads the memory afresh after every call, so it keeps
// working when an allocation grows it.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "window/web/heap.h"

extern "C" unsigned char __heap_base;  // the linker's: the end of the static data and stack

namespace {

constexpr std::size_t kPage = 65536;

unsigned char* MemoryEnd() {
  return reinterpret_cast<unsigned char*>(__builtin_wasm_memory_size(0) * kPage);
}

// Grows the memory by whole pages until `bytes` more fit past `end`.
unsigned char* GrowMemory(unsigned char* end, std::size_t bytes) {
  const auto at = reinterpret_cast<std::uintptr_t>(end);
  if (bytes > UINTPTR_MAX - at) return nullptr;
  const std::uintptr_t wanted = at + bytes;
  const auto have = reinterpret_cast<std::uintptr_t>(MemoryEnd());
  if (wanted > have && __builtin_wasm_memory_grow(0, (wanted - have + kPage - 1) / kPage) == SIZE_MAX)
    return nullptr;
  return MemoryEnd();
}

velmora::web::Heap& TheHeap() {
  static velmora::web::Heap heap(&__heap_base, GrowMemory);
  return heap;
}

bool IsPowerOfTwo(std::size_t n) { return n != 0 && (n & (n - 1)) == 0; }

}  // namespace

extern "C" {

void* malloc(std::size_t size) { return TheHeap().Allocate(size); }

void free(void* block) { TheHeap().Free(block); }

void* calloc(std::size_t count, std::size_t size) {
  if (size != 0 && count > SIZE_MAX / size) return nullptr;
  void* block = TheHeap().Allocate(count * size);
  if (block != nullptr) std::memset(block, 0, count * size);
  return block;
}

void* realloc(void* block, std::size_t size) { return TheHeap().Resize(block, size); }

void* aligned_alloc(std::size_t alignment, std::size_t size) {
  return IsPowerOfTwo(alignment) ? TheHeap().Allocate(size, alignment) : nullptr;
}

void* memalign(std::size_t alignment, std::size_t size) { return aligned_alloc(alignment, size); }

int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
  if (!IsPowerOfTwo(alignment) || alignment % sizeof(void*) != 0) return EINVAL;
  void* allocated = TheHeap().Allocate(size, alignment);
  if (allocated == nullptr) return ENOMEM;
  *block = allocated;
  return 0;
}

std::size_t malloc_usable_size(void* block) { return block ? TheHeap().Capacity(block) : 0; }

// The names under which the toolchain's own library code asks for the same
// (a program with a main, such as the core's tests, links some of it).
void* __libc_malloc(std::size_t size) { return malloc(size); }
void* __libc_calloc(std::size_t count, std::size_t size) { return calloc(count, size); }
void __libc_free(void* block) { free(block); }
void* emscripten_builtin_malloc(std::size_t size) { return malloc(size); }
void emscripten_builtin_free(void* block) { free(block); }

}  // extern "C"
