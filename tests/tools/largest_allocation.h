#pragma once

#include <cstddef>

namespace kelvane::testing {

// The largest block asked of the global operator new since the last reset.
// The test program that links largest_allocation.cpp routes every plain
// allocation through it.
std::size_t largestAllocation();
void resetLargestAllocation();

}  // namespace kelvane::testing
