#pragma once
// What a streaming reader holds while it reads: every buffer it (or the codec
// library on its behalf) allocates is counted, so that the largest one and
// the peak of all together can be checked against the source's row size.
#include <algorithm>
#include <cstddef>

struct MemoryTally {
  size_t current = 0;
  size_t peak = 0;     // most held at once
  size_t largest = 0;  // the largest single buffer

  void Take(size_t bytes) {
    current += bytes;
    peak = std::max(peak, current);
    largest = std::max(largest, bytes);
  }
  void Give(size_t bytes) { current -= std::min(current, bytes); }
};
