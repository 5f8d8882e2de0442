#pragma once
// Shrinks an image whose pixels arrive in any order (the passes of an
// interlaced PNG) with the codec library's box weights, across and down at
// once: every pixel adds its weighted share to the output pixels it falls
// in. The sums are kept for the whole output (three floats per output pixel,
// never a source-sized buffer). Without the library's rounding between its
// two passes the result may differ from it by a level here and there.
#include <cstdint>
#include <vector>

#include "app/imaging/BoxTaps.h"
#include "app/imaging/MemoryTally.h"

class ScatterShrinker {
 public:
  ScatterShrinker(uint32_t width, uint32_t height, uint32_t outWidth, uint32_t outHeight, MemoryTally* tally);
  ~ScatterShrinker();
  ScatterShrinker(const ScatterShrinker&) = delete;
  ScatterShrinker& operator=(const ScatterShrinker&) = delete;

  // count pixels of source row y (top down), as R, G, B bytes, at x = x0,
  // x0 + step, ...
  void Add(uint32_t y, uint32_t x0, uint32_t step, const uint8_t* rgb, uint32_t count);
  // The output, RGB32 words, rows top down.
  void Finish(uint32_t* out) const;

 private:
  // For each source position, the output positions it counts in and how much.
  struct Shares {
    Shares(const BoxTaps& taps, uint32_t src, bool bottomUp);
    std::vector<uint32_t> start;  // into index/weight, one more than sources
    std::vector<uint32_t> index;  // output position, top down
    std::vector<float> weight;
  };

  uint32_t outWidth_, outHeight_;
  MemoryTally* tally_;
  Shares across_, down_;
  std::vector<float> sums_;
  size_t heldBytes_ = 0;
};
