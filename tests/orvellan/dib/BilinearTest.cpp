// The one bilinear rule gives the same pixels in both of the library's
// layouts: 24-bit scan lines padded to 4 bytes (cDIBSection) and 32-bit
// pixels (the control's buffer).
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "orvellan/dib/Bilinear.h"

namespace {

struct Picture {
  PixelLayout layout;
  std::vector<uint8_t> bytes;
  Picture(int w, int h, int bpp) {
    layout = {w, h, bpp == 3 ? ((w * 3 + 3) & ~3) : w * 4, bpp};
    bytes.assign(static_cast<size_t>(layout.bytesPerLine) * h, 0xA5);  // padding and fourth bytes show up
  }
  uint8_t* pixel(int x, int y) { return bytes.data() + y * layout.bytesPerLine + x * layout.bytesPerPixel; }
};

}  // namespace

TEST(BilinearRule, BothLayoutsGiveTheSamePixels) {
  const struct { int w, h, newW, newH; } cases[] = {
      {2, 2, 4, 4}, {3, 3, 2, 2}, {5, 7, 13, 3}, {17, 9, 4, 11}, {6, 6, 6, 6}, {31, 2, 7, 5}};
  std::mt19937 random(20240611u);
  for (const auto& c : cases) {
    Picture src24(c.w, c.h, 3), src32(c.w, c.h, 4);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        for (int ch = 0; ch < 3; ++ch) src24.pixel(x, y)[ch] = src32.pixel(x, y)[ch] = static_cast<uint8_t>(random());
    Picture out24(c.newW, c.newH, 3), out32(c.newW, c.newH, 4), clamped32(c.newW, c.newH, 4);
    ASSERT_TRUE(ResampleBilinear(src24.bytes.data(), src24.layout, out24.bytes.data(), out24.layout,
                                 EdgeReads::Checked));
    ASSERT_TRUE(ResampleBilinear(src32.bytes.data(), src32.layout, out32.bytes.data(), out32.layout,
                                 EdgeReads::Checked));
    ASSERT_TRUE(ResampleBilinear(src32.bytes.data(), src32.layout, clamped32.bytes.data(), clamped32.layout,
                                 EdgeReads::Clamped));
    EXPECT_EQ(out32.bytes, clamped32.bytes) << "no read reaches past the source, so the edge rule changes nothing";
    for (int y = 0; y < c.newH; ++y) {
      for (int x = 0; x < c.newW; ++x) {
        for (int ch = 0; ch < 3; ++ch)
          ASSERT_EQ(out24.pixel(x, y)[ch], out32.pixel(x, y)[ch])
              << c.w << "x" << c.h << " to " << c.newW << "x" << c.newH << " at " << x << "," << y;
        EXPECT_EQ(out32.pixel(x, y)[3], 0);
      }
      const uint8_t* padding = out24.pixel(c.newW, y);
      for (uint8_t* end = out24.bytes.data() + (y + 1) * out24.layout.bytesPerLine; padding < end; ++padding)
        EXPECT_EQ(*padding, 0xA5) << "padding of scan line " << y;
    }
  }
}

TEST(BilinearRule, ANeighbourBeyondTheSourceIsRefusedOrClamped) {
  // One pixel wide: the right neighbour of column 0 does not exist.
  Picture src(1, 4, 4), out(3, 4, 4);
  for (int y = 0; y < 4; ++y) src.pixel(0, y)[0] = static_cast<uint8_t>(40 * y);
  const std::vector<uint8_t> untouched = out.bytes;
  EXPECT_FALSE(ResampleBilinear(src.bytes.data(), src.layout, out.bytes.data(), out.layout, EdgeReads::Checked));
  EXPECT_EQ(out.bytes, untouched);
  EXPECT_TRUE(ResampleBilinear(src.bytes.data(), src.layout, out.bytes.data(), out.layout, EdgeReads::Clamped));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(out.pixel(x, 3)[0], 90) << x;  // sy = 3/4: row 3 samples 2.25
}
