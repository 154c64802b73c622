// Every plain allocation of the test program goes through here, so that the
// largest block asked for can be checked (the array forms forward to these).
// Apart from the tests, so that the compiler does not pair our malloc and
// free with the operator new and delete it sees.

#include <atomic>
#include <cstdlib>
#include <new>

namespace kelvane::testing {
std::atomic<std::size_t> largestAllocation{0};
}  // namespace kelvane::testing

void* operator new(std::size_t size) {
    using kelvane::testing::largestAllocation;
    std::size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
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
