#pragma once
// Pixels as the program and its decoder pass them around, in no codec's
// types: 32-bit words 0xAARRGGBB (the byte order of a little-endian RGB32
// image), rows top down.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Someone else's pixels, read only. stride: words from one row to the next.
struct PixelView {
  const uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  size_t stride = 0;
  bool empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  const uint32_t* row(int32_t y) const { return pixels + static_cast<size_t>(y) * stride; }
};

// Pixels of one's own, with the colour facts of the file they came from. The
// fourth byte is 255 (opaque) unless the maker says otherwise.
struct PixelBuffer {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;  // width * height words, no padding
  uint32_t sourceBpp = 0;        // bits per pixel of the file as decoded (0: made, not decoded)

  bool empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
  PixelView view() const { return {pixels.data(), width, height, static_cast<size_t>(width)}; }
};

// Gives room for width x height RGB32 pixels (rows top down, no padding), or
// null when there is none.
using PixelTarget = std::function<uint32_t*(uint32_t width, uint32_t height)>;
