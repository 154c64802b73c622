#include "largest_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> largest{0};
}  // namespace

namespace kelvane::testing {

std::size_t largestAllocation() {
    return largest.load();
}

void resetLargestAllocation() {
    largest.store(0);
}

}  // namespace kelvane::testing

// Replaces the global operator new and its matching deletes (array forms
// forward to these by default).
void* operator new(std::size_t size) {
    std::size_t seen = largest.load();
    while (size > seen && !largest.compare_exchange_weak(seen, size)) {
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
