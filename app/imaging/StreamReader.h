#pragma once
// Large PNG and TIFF files read a few rows (or one row of tiles) at a time and
// shrunk while they are read, so that the whole image is never held. Only the
// layouts whose pixels come out as the whole-image path gives them are taken
// (8-bit grey, palette, 8- and 16-bit RGB with or without alpha); for the
// rest OpenStreamReader gives nothing and the caller decodes the usual way.
#include <cstdint>
#include <memory>
#include <vector>

#include "app/imaging/MemoryTally.h"
#include "app/imaging/Outcome.h"

class StreamReader {
 public:
  virtual ~StreamReader() = default;

  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  uint32_t bpp() const { return bpp_; }  // bits per pixel as the whole-image path reports them
  // The embedded colour profile (PNG iCCP, TIFF ICC tag); empty without one.
  const std::vector<uint8_t>& iccProfile() const { return icc_; }
  // Everything the reader and its codec library allocated, the output aside.
  const MemoryTally& tally() const { return tally_; }

  // Reads the pixels shrunk by divisor (a power of two) into out:
  // ShrunkExtent(width(), divisor) x ShrunkExtent(height(), divisor) RGB32
  // words, rows top down, fourth byte 255 (alpha is not kept, as on the
  // whole-image path). With the library's box weights, so that rows read in
  // order come out as the whole-image path shrinks them. Once per reader.
  virtual Outcome ReadShrunk(uint32_t divisor, uint32_t* out) = 0;

 protected:
  uint32_t width_ = 0;
  uint32_t height_ = 0;
  uint32_t bpp_ = 0;
  std::vector<uint8_t> icc_;
  MemoryTally tally_;
};

// A reader for a PNG or TIFF file (known by its first bytes) in a layout the
// readers take, its header read; null otherwise.
std::unique_ptr<StreamReader> OpenStreamReader(const char* path);
