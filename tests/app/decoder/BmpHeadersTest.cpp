// BMP files with version 4 and 5 info headers (what ImageMagick and most
// painting programs write) load through the isolated decoder with their
// pixels; hostile sizes in such headers are refused without a crash.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>

#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "tests/support/TestImages.h"

namespace {

constexpr int kW = 7;  // odd: 24- and 16-bit rows carry padding
constexpr int kH = 5;

QRgb Expected(int x, int y) { return qRgb(x * 36, y * 60, 255 - (x + y) * 21); }

struct Layout {
  const char* name;
  int bpp;
  uint32_t compression;              // 0 uncompressed, 3 bit fields
  uint32_t red, green, blue, alpha;  // masks (bit fields; alpha is ignored)
  int tolerance;                     // 16 bits keep 5 or 6 bits a channel
};

// One channel value into a mask's bits.
uint32_t Pack(int value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const uint32_t max = mask >> shift;
  return (static_cast<uint32_t>(value) * max / 255) << shift;
}

void Put16(QByteArray& b, int at, uint32_t v) { qToLittleEndian<quint16>(static_cast<quint16>(v), b.data() + at); }
void Put32(QByteArray& b, int at, uint32_t v) { qToLittleEndian<quint32>(v, b.data() + at); }

// A whole BMP file: 14-byte file header, a version 4 (108) or 5 (124) info
// header, the pixels of Expected() bottom up or top down.
QByteArray BmpFile(const Layout& l, int infoBytes, bool topDown, int width = kW, int height = kH) {
  const int stride = (width * l.bpp + 31) / 32 * 4;
  const int offset = 14 + infoBytes;
  QByteArray b(offset + stride * height, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, static_cast<uint32_t>(offset));
  Put32(b, 14, static_cast<uint32_t>(infoBytes));
  Put32(b, 18, static_cast<uint32_t>(width));
  Put32(b, 22, static_cast<uint32_t>(topDown ? -height : height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<uint32_t>(l.bpp));
  Put32(b, 30, l.compression);
  Put32(b, 34, static_cast<uint32_t>(stride * height));
  Put32(b, 54, l.red);
  Put32(b, 58, l.green);
  Put32(b, 62, l.blue);
  Put32(b, 66, l.alpha);
  Put32(b, 70, 0x73524742);  // "sRGB"
  if (infoBytes == 124) Put32(b, 14 + 108, 4);  // perceptual intent
  const uint32_t r = l.compression ? l.red : l.bpp == 16 ? 0x7C00 : 0xFF0000;
  const uint32_t g = l.compression ? l.green : l.bpp == 16 ? 0x03E0 : 0x00FF00;
  const uint32_t bl = l.compression ? l.blue : l.bpp == 16 ? 0x001F : 0x0000FF;
  for (int y = 0; y < height; ++y) {
    const int row = offset + (topDown ? y : height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const QRgb c = Expected(x % kW, y % kH);
      const uint32_t v = Pack(qRed(c), r) | Pack(qGreen(c), g) | Pack(qBlue(c), bl) | l.alpha;
      if (l.bpp == 24) {
        b[row + x * 3] = static_cast<char>(qBlue(c));
        b[row + x * 3 + 1] = static_cast<char>(qGreen(c));
        b[row + x * 3 + 2] = static_cast<char>(qRed(c));
      } else if (l.bpp == 16) {
        Put16(b, row + x * 2, v);
      } else {
        Put32(b, row + x * 4, v);
      }
    }
  }
  return b;
}

const Layout kLayouts[] = {
    {"16-bit 5-5-5", 16, 0, 0, 0, 0, 0, 8},
    {"16-bit 5-6-5 bit fields", 16, 3, 0xF800, 0x07E0, 0x001F, 0, 8},
    {"24-bit", 24, 0, 0, 0, 0, 0, 0},
    {"32-bit", 32, 0, 0, 0, 0, 0, 0},
    {"32-bit BGRA bit fields", 32, 3, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, 0},
    {"32-bit RGBA bit fields", 32, 3, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF, 0},
};

class BmpHeaders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ConfigureSharedDecoder({});
  }
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(testimages::WriteBytes(path, bytes));
    return path;
  }
  QTemporaryDir dir_;
};

}  // namespace

TEST_F(BmpHeaders, Version4And5HeadersLoadWithTheirPixelsEveryDepthAndDirection) {
  for (const Layout& l : kLayouts) {
    for (int infoBytes : {108, 124}) {
      for (bool topDown : {false, true}) {
        const std::string label = std::string(l.name) + (infoBytes == 108 ? " v4" : " v5") +
                                  (topDown ? " top down" : " bottom up");
        const QString path = Write(QStringLiteral("p.bmp"), BmpFile(l, infoBytes, topDown));
        Surface load;
        ASSERT_TRUE(LoadImageFile(path, load)) << label;
        ASSERT_EQ(load.image().size(), QSize(kW, kH)) << label;
        EXPECT_EQ(LastLoaded().bpp, l.bpp) << label;
        for (int y = 0; y < kH; ++y)
          for (int x = 0; x < kW; ++x) {
            const QRgb got = load.image().pixel(x, y);
            const QRgb want = Expected(x, y);
            EXPECT_LE(std::abs(qRed(got) - qRed(want)), l.tolerance) << label << " at " << x << "," << y;
            EXPECT_LE(std::abs(qGreen(got) - qGreen(want)), l.tolerance) << label << " at " << x << "," << y;
            EXPECT_LE(std::abs(qBlue(got) - qBlue(want)), l.tolerance) << label << " at " << x << "," << y;
          }
      }
    }
  }
  // A large one decoded with a size hint comes back shrunk, natural size kept.
  const QString big = Write(QStringLiteral("big.bmp"), BmpFile(kLayouts[2], 124, false, 700, 500));
  const DecodedImage shrunk = SharedDecoder().decode(big, {0, 0, 100, 100});
  ASSERT_TRUE(shrunk.ok());
  EXPECT_EQ(shrunk.naturalSize, QSize(700, 500));
  EXPECT_LT(shrunk.pixels.width(), 700);
}

TEST_F(BmpHeaders, HostileSizesAreRefusedWithoutReadingPastTheFile) {
  const QByteArray good = BmpFile(kLayouts[2], 124, false);
  struct Case {
    const char* name;
    int at;          // offset of a 32-bit field to overwrite, or -1 to cut the file
    uint32_t value;
    Failure why;
  };
  const Case cases[] = {
      {"width and height overflow 32 bits", 18, 0x7FFFFFFF, Failure::TooLarge},
      {"huge height", 22, 0x40000000, Failure::TooLarge},
      {"most negative height", 22, 0x80000000, Failure::Damaged},
      {"zero width", 18, 0, Failure::Damaged},
      {"negative width", 18, 0xFFFFFFF0, Failure::Damaged},
      {"more rows than the file holds", 22, 6, Failure::Damaged},
      {"pixels start past the end", 10, 0xFFFFFF00, Failure::Damaged},
      {"pixels start inside the header", 10, 20, Failure::Damaged},
      {"file cut short", -1, 60, Failure::Damaged},
  };
  for (const Case& c : cases) {
    QByteArray bytes = good;
    if (c.at < 0)
      bytes.truncate(static_cast<int>(c.value));
    else
      Put32(bytes, c.at, c.value);
    const QString path = Write(QStringLiteral("h.bmp"), bytes);
    const DecodedImage decoded = DecodeImageFile(path);
    EXPECT_EQ(decoded.outcome, DecodeOutcome::NotDecoded) << c.name;
    EXPECT_EQ(decoded.failure, c.why) << c.name;
  }
}
