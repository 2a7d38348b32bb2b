// The test program's operator new and delete: malloc and free, with the failures asked for.
#include "support/failing_allocations.h"

#include <cstdlib>
#include <new>

namespace {

thread_local long failing = 0;

}  // namespace

void FailAllocations(long count) { failing = count; }

void* operator new(std::size_t size) {
  if (failing > 0) {
    --failing;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// Every other form goes the same way, so that no allocation of one kind is freed by another
// (the sanitizers check that each block is released as it was allocated).
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return ::operator new(size, tag); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
