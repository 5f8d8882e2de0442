#pragma once
// Shrinks an image whose rows arrive top down, one at a time, exactly as the
// codec library's box rescale shrinks the whole decoded image: each row is
// filtered across into a narrow row (rounded to bytes, as the library's
// intermediate image is), and each output row is summed from the few narrow
// rows below and above it, bottom row first (the library's rows run bottom
// up). Only those few narrow rows are kept.
#include <cstdint>
#include <vector>

#include "app/imaging/BoxTaps.h"
#include "app/imaging/MemoryTally.h"

class RowShrinker {
 public:
  // out: outWidth x outHeight RGB32 words, rows top down.
  RowShrinker(uint32_t width, uint32_t height, uint32_t outWidth, uint32_t outHeight, uint32_t* out,
              MemoryTally* tally);
  ~RowShrinker();
  RowShrinker(const RowShrinker&) = delete;
  RowShrinker& operator=(const RowShrinker&) = delete;

  // The next row (top down) as width R, G, B bytes.
  void AddRow(const uint8_t* rgb);

 private:
  void EmitReadyRows();

  uint32_t width_, height_, outWidth_, outHeight_;
  uint32_t* out_;
  MemoryTally* tally_;
  BoxTaps across_, down_;  // down_ counts rows bottom up, as the library does
  uint32_t rowsIn_ = 0;
  uint32_t nextOut_ = 0;       // top down
  std::vector<uint8_t> ring_;  // the latest narrow rows, outWidth_ x R, G, B each
  uint32_t ringRows_;
  size_t heldBytes_ = 0;
};
