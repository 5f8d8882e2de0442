#include "orvellan/dib/Bilinear.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <vector>

namespace {

// Keeps the floating-point rounding mode at round-to-nearest-even for one
// resampling pass, so Mix rounds halves to even throughout.
class NearestRounding {
 public:
  NearestRounding() : saved_(std::fegetround()) {
    if (saved_ != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  }
  ~NearestRounding() {
    if (saved_ != FE_TONEAREST) std::fesetround(saved_);
  }
  NearestRounding(const NearestRounding&) = delete;
  NearestRounding& operator=(const NearestRounding&) = delete;

 private:
  int saved_;
};

// Interpolates a + f * (b - a) and rounds half to even. With f a single and
// a, b bytes the double arithmetic is exact, so this is the rounded value of
// (1 - f) * a + f * b. Adding and taking away 1.5 * 2^52 leaves no fraction
// bits, so the sum itself is rounded to nearest, halves to even (the mode the
// pass pins); it is the inline form of std::rint for values this small.
inline int Mix(int a, int b, double f) {
  constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52
  const double v = a + f * (b - a);
  return static_cast<int>((v + kRound) - kRound);
}

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Where one destination column reads: the byte offset of its left source
// pixel within a scan line, the step to its right neighbour (0 where that is
// clamped to the left one), and its horizontal fraction.
struct Column {
  std::ptrdiff_t left;
  std::ptrdiff_t right;  // step from left
  double fx;
};

// kNextPixel: every column's right neighbour is the next pixel (no column
// clamped), which lets the compiler fold the step.
template <int Bpp, bool kNextPixel>
void Fill(const uint8_t* S, const PixelLayout s, uint8_t* D, const PixelLayout d, const std::vector<Column>& columns,
          float sy, EdgeReads edges) {
  // The layouts are copies and the columns are read through a pointer of
  // their own, so the pixel stores cannot make the compiler read them again.
  const Column* const column0 = columns.data();
  NearestRounding rounding;
  // The vertical pair of a scan line has one fraction fy, so its rounded
  // result is a + offset(b - a), where the offset depends only on b - a and
  // on the parity of a (which way a half rounds). The 2 x 511 offsets are
  // worked out once a scan line with the same rule, and the pixels then only
  // look them up.
  int16_t verticalOffset[2][511];
  float lastFy = -1.0f;
  for (int y = 0; y < d.height; ++y) {
    const float ys = sy * static_cast<float>(y);
    const float yiF = std::floor(ys);
    const float fy = ys - yiF;
    std::ptrdiff_t yi = static_cast<std::ptrdiff_t>(yiF);
    std::ptrdiff_t yb = yi + 1;
    if (edges == EdgeReads::Clamped) {
      yi = std::min<std::ptrdiff_t>(yi, s.height - 1);
      yb = std::min<std::ptrdiff_t>(yb, s.height - 1);
    }
    if (fy != lastFy) {
      for (int parity = 0; parity < 2; ++parity)
        for (int diff = -255; diff <= 255; ++diff)
          verticalOffset[parity][diff + 255] = static_cast<int16_t>(Mix(parity, parity + diff, fy) - parity);
      lastFy = fy;
    }
    const uint8_t* row0 = S + yi * s.bytesPerLine;
    const uint8_t* row1 = S + yb * s.bytesPerLine;
    uint8_t* out = D + static_cast<std::ptrdiff_t>(y) * d.bytesPerLine;
    for (int x = 0; x < d.width; ++x, out += Bpp) {
      const Column column = column0[x];
      const uint8_t* a = row0 + column.left;
      const uint8_t* b = row1 + column.left;
      const uint8_t* ar = a + (kNextPixel ? Bpp : column.right);
      const uint8_t* br = b + (kNextPixel ? Bpp : column.right);
      for (int c = 0; c < 3; ++c) {
        const int left = a[c] + verticalOffset[a[c] & 1][b[c] - a[c] + 255];
        const int right = ar[c] + verticalOffset[ar[c] & 1][br[c] - ar[c] + 255];
        out[c] = ClampByte(Mix(left, right, column.fx));
      }
      if constexpr (Bpp == 4) out[3] = 0;
    }
  }
}

}  // namespace

bool ResampleBilinear(const uint8_t* src, const PixelLayout& s, uint8_t* dst, const PixelLayout& d,
                      EdgeReads edges) {
  if (d.width <= 0 || d.height <= 0) return true;
  if (!src || !dst || s.width <= 0 || s.height <= 0 || s.bytesPerPixel != d.bytesPerPixel) return false;
  const int bpp = s.bytesPerPixel;
  if (bpp != 3 && bpp != 4) return false;

  const float sx = static_cast<float>(static_cast<double>(s.width - 1) / d.width);
  const float sy = static_cast<float>(static_cast<double>(s.height - 1) / d.height);

  // Every source read is settled before any pixel is written. Sample
  // positions only grow with x and y, so a checked read that fails shows
  // before the pass starts.
  std::vector<Column> columns(static_cast<size_t>(d.width));
  bool nextPixel = true;
  for (int x = 0; x < d.width; ++x) {
    const float xs = sx * static_cast<float>(x);
    const float xiF = std::floor(xs);
    std::ptrdiff_t xi = static_cast<std::ptrdiff_t>(xiF);
    std::ptrdiff_t xr = xi + 1;
    if (edges == EdgeReads::Clamped) {
      xi = std::min<std::ptrdiff_t>(xi, s.width - 1);
      xr = std::min<std::ptrdiff_t>(xr, s.width - 1);
    } else if (xi < 0 || bpp * xr + 2 > s.bytesPerLine - 1) {
      return false;
    }
    columns[static_cast<size_t>(x)] = Column{bpp * xi, bpp * (xr - xi), static_cast<double>(xs - xiF)};
    nextPixel = nextPixel && xr == xi + 1;
  }
  if (edges == EdgeReads::Checked) {
    const float ys = sy * static_cast<float>(d.height - 1);
    const std::ptrdiff_t yi = static_cast<std::ptrdiff_t>(std::floor(ys));
    if (yi < 0 || yi + 1 > s.height - 1) return false;
  }

  if (bpp == 3) {
    if (nextPixel)
      Fill<3, true>(src, s, dst, d, columns, sy, edges);
    else
      Fill<3, false>(src, s, dst, d, columns, sy, edges);
  } else {
    if (nextPixel)
      Fill<4, true>(src, s, dst, d, columns, sy, edges);
    else
      Fill<4, false>(src, s, dst, d, columns, sy, edges);
  }
  return true;
}
