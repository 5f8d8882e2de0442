#pragma once
// The library's one bilinear rule, for both of its pixel layouts: the
// viewport control's 32-bit top-down buffer (blue, green, red, x) and
// cDIBSection's 24-bit bottom-up bitmap (blue, green, red, scan lines padded
// to 4 bytes). The rule works on scan lines in memory order, so top-down and
// bottom-up pictures resample alike.
//
// For destination pixel (x, y) of a w x h destination from a W x H source:
//   sx = (W - 1) / w and sy = (H - 1) / h, divided in double and kept in single
//   precision (the full destination size is the denominator, so the last
//   pixel samples a little short of the last source pixel);
//   xs = sx * x, xi = floor(xs), fx = xs - xi, and likewise ys, yi, fy;
//   per channel: left  = round((1 - fy) * S[xi, yi]     + fy * S[xi, yi + 1]),
//                right = round((1 - fy) * S[xi + 1, yi] + fy * S[xi + 1, yi + 1]),
//                value = round((1 - fx) * left + fx * right), clamped to 0..255;
//   rounding is to nearest with halves to even, of the exact value.
// A 4-byte destination pixel gets 0 in its fourth byte.
#include <cstddef>
#include <cstdint>

struct PixelLayout {
  int width = 0;
  int height = 0;
  std::ptrdiff_t bytesPerLine = 0;  // from one scan line to the next in memory
  int bytesPerPixel = 3;            // 3 or 4; channels blue, green, red first
};

// What a read of the right or lower neighbour beyond the source does.
enum class EdgeReads {
  // Refused: the neighbour's bytes must lie inside the source's scan line
  // (its padding counts) and on an existing scan line.
  Checked,
  // Takes the last column or scan line instead.
  Clamped,
};

// Fills dst from src by the rule above. Both layouts have the same bytes per
// pixel. With EdgeReads::Checked, returns false and writes nothing when a
// read would fall outside the source.
bool ResampleBilinear(const uint8_t* src, const PixelLayout& srcLayout, uint8_t* dst, const PixelLayout& dstLayout,
                      EdgeReads edges);
