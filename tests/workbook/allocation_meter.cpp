#include "tests/workbook/allocation_meter.hpp"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> live{0};
std::atomic<long long> peak{0};

void* allocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (!p) throw std::bad_alloc();
  if (counting.load(std::memory_order_relaxed)) {
    const long long now = live += static_cast<long long>(malloc_usable_size(p));
    for (long long seen = peak.load(); now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
  }
  return p;
}

void release(void* p) noexcept {
  if (!p) return;
  if (counting.load(std::memory_order_relaxed)) live -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

namespace vt::testing {

AllocationMeter::AllocationMeter() {
  live = 0;
  peak = 0;
  counting = true;
}

AllocationMeter::~AllocationMeter() { counting = false; }

std::size_t AllocationMeter::peakBytes() const { return static_cast<std::size_t>(peak.load()); }

}  // namespace vt::testing
