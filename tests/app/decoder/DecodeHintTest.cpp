// A size hint lets the decoder shrink a JPEG while decoding, never below what
// the hint asks for, and the reply still carries the image's own size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QTemporaryDir>

#include <QFile>

#include "app/decoder/ImageDecoder.h"
#include "app/decoder/JpegFrameSize.h"
#include "app/imaging/AreaAverage.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/Resample.h"
#include "app/engine/DecoderProcess.h"
#include "tests/support/TestImages.h"

TEST(DecodeHint, JpegSizeRequestKeepsTheScaleAskedFor) {
  struct Case { uint32_t w, h, minShort, permille, request; } cases[] = {
      {6000, 4000, 240, 0, 360},   // scale 0.06: the long edge keeps 360
      {4000, 6000, 240, 0, 360},   // the same turned
      {1600, 1200, 240, 0, 320},
      {1000, 750, 0, 320, 320},    // 32 % of the image
      {1000, 750, 400, 0, 0},      // needs over half: natural size
      {1000, 750, 0, 500, 0},
      {1000, 750, 0, 0, 0},        // no hint
  };
  for (const auto& c : cases)
    EXPECT_EQ(JpegSizeRequest(c.w, c.h, {c.minShort, c.permille}), c.request) << c.w << "x" << c.h;
}

// JPEGs shrink in the codec (by halves), other formats are scaled in the
// decoder to exactly what the hint allows; every one keeps its natural size
// and the bits per pixel of the file.
TEST(DecodeHint, ShrunkImagesKeepTheirNaturalSizeAndDepth) {
  QTemporaryDir dir;
  const QImage photo = testimages::Gradient(1600, 1200);
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("wide.jpg"), testimages::JpegWithOrientation(photo, 1, 90)));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("turned.jpg"), testimages::JpegWithOrientation(photo, 6, 90)));
  ASSERT_TRUE(photo.save(dir.filePath("wide.png")));
  ASSERT_TRUE(photo.convertToFormat(QImage::Format_Grayscale8).save(dir.filePath("grey.png")));
  {  // JPEG 2000 by the codec library, with its default resolution levels
    const QImage rgb = photo.convertToFormat(QImage::Format_RGB32);
    FiBitmap jp2 = BitmapFromPixels({reinterpret_cast<const uint32_t*>(rgb.constBits()), rgb.width(), rgb.height(),
                                     static_cast<size_t>(rgb.width())});
    FiBitmap rgb24(FreeImage_ConvertTo24Bits(jp2.get()));
    ASSERT_TRUE(FreeImage_Save(FIF_JP2, rgb24.get(), QFile::encodeName(dir.filePath("wide.jp2")).constData(), 0));
  }
  struct Case { const char* name; decoderproto::SizeHint hint; QSize decoded, natural; int bpp; } cases[] = {
      {"wide.jpg", {240, 0}, {400, 300}, {1600, 1200}, 24},     // a quarter: 1/8 would leave 150 rows
      {"wide.jpg", {100, 0}, {200, 150}, {1600, 1200}, 24},     // an eighth
      {"turned.jpg", {240, 0}, {300, 400}, {1200, 1600}, 24},   // upright, natural size turned too
      {"wide.jpg", {0, 0}, {1600, 1200}, {1600, 1200}, 24},
      {"wide.jpg", {1000, 0}, {1600, 1200}, {1600, 1200}, 24},  // no shrinking would do
      {"wide.jpg", {0, 0, 400, 300}, {400, 300}, {1600, 1200}, 24},  // what a 400 x 300 box shows
      {"wide.png", {100, 0}, {200, 150}, {1600, 1200}, 24},     // scaled in the decoder, as far as 1/8
      {"wide.png", {0, 0, 400, 300}, {400, 300}, {1600, 1200}, 24},
      {"wide.png", {0, 0, 150, 100}, {200, 150}, {1600, 1200}, 24},  // 1/8, not 1/16: that would show less
      {"wide.png", {12, 0}, {25, 19}, {1600, 1200}, 24},        // 1/64
      {"wide.png", {700, 0}, {1600, 1200}, {1600, 1200}, 24},   // over half: every pixel
      {"grey.png", {100, 0}, {200, 150}, {1600, 1200}, 8},
      // A resolution level is already a filtered picture: the thumbnail's own
      // 120 rows will do, not twice that.
      {"wide.jp2", {240, 0}, {200, 150}, {1600, 1200}, 24},
      {"wide.jp2", {0, 0, 400, 300}, {400, 300}, {1600, 1200}, 24},  // what a box shows, still whole
  };
  DecoderProcess decoder;
  for (const auto& c : cases) {
    const DecodedImage d = decoder.decode(dir.filePath(c.name), c.hint);
    ASSERT_EQ(d.outcome, DecodeOutcome::Decoded) << c.name;
    EXPECT_EQ(d.pixels.size(), c.decoded) << c.name << " " << c.hint.minShortEdge << " " << c.hint.fitWidth;
    EXPECT_EQ(d.naturalSize, c.natural) << c.name << " " << c.hint.minShortEdge;
    EXPECT_EQ(d.bpp, c.bpp) << c.name;
  }
}

// The newer formats' decodes are shrunk by plain block averages: each output
// pixel the rounded mean of its block, the blocks at the edges narrower.
TEST(DecodeHint, BlockAveragesAreTheRoundedMeansOfTheirBlocks) {
  std::vector<uint32_t> pixels(7 * 5);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = 0xFF000000u | uint32_t(i * 37 % 256) << 16 | uint32_t(i * 11 % 256) << 8 | uint32_t(i * 5 % 256);
  const PixelView view{pixels.data(), 7, 5, 7};
  for (int32_t divisor : {1, 2, 3, 8}) {
    const PixelBuffer out = AverageBlocks(view, divisor);
    ASSERT_EQ(out.width, (7 + divisor - 1) / divisor) << divisor;
    ASSERT_EQ(out.height, (5 + divisor - 1) / divisor) << divisor;
    for (int32_t oy = 0; oy < out.height; ++oy)
      for (int32_t ox = 0; ox < out.width; ++ox)
        for (int shift : {0, 8, 16}) {
          double sum = 0;
          int n = 0;
          for (int32_t y = oy * divisor; y < std::min(5, (oy + 1) * divisor); ++y)
            for (int32_t x = ox * divisor; x < std::min(7, (ox + 1) * divisor); ++x, ++n) sum += view.row(y)[x] >> shift & 0xFF;
          const uint32_t got = out.pixels[size_t(oy) * out.width + ox];
          EXPECT_EQ(got >> shift & 0xFF, uint32_t(std::floor(sum / n + 0.5))) << divisor << " " << ox << "," << oy;
          EXPECT_EQ(got >> 24, 0xFFu);
        }
  }
}

// Web-size copies are shrunk by area averages: each output pixel the mean of
// the source area it covers, partly covered pixels by their share. Compared
// with the same average in double precision, within one step of rounding.
TEST(AreaAverage, EveryPixelIsTheMeanOfTheAreaItCovers) {
  struct Case { int32_t w, h, toW, toH; } cases[] = {
      {300, 200, 205, 137},  // the ratio of a 24 MP photo at 2048
      {7, 5, 3, 2}, {7, 5, 7, 2}, {7, 5, 2, 5}, {5, 5, 5, 5},
      {1, 9, 1, 4}, {9, 1, 4, 1}, {64, 64, 1, 1},
      {2, 300, 1, 1},        // more rows to one than the fast path takes
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> pixels(size_t(c.w) * c.h);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | uint32_t((i * 2654435761u) >> 8 & 0xFFFFFF);
    const PixelView view{pixels.data(), c.w, c.h, size_t(c.w)};
    const size_t stride = size_t(c.toW) + 3;  // rows wider than the image: only toW words each are written
    std::vector<uint32_t> out(stride * c.toH, 0x12345678u);
    ASSERT_TRUE(AverageArea(view, out.data(), c.toW, c.toH, stride)) << c.w << "x" << c.h;
    int worst = 0;
    for (int32_t oy = 0; oy < c.toH; ++oy) {
      for (int32_t ox = 0; ox < c.toW; ++ox)
        for (int shift : {0, 8, 16}) {
          double sum = 0;
          for (int32_t y = 0; y < c.h; ++y) {
            const double wy = std::max(0.0, std::min(double(y + 1), double(oy + 1) * c.h / c.toH) - std::max(double(y), double(oy) * c.h / c.toH));
            for (int32_t x = 0; wy > 0 && x < c.w; ++x) {
              const double wx = std::max(0.0, std::min(double(x + 1), double(ox + 1) * c.w / c.toW) - std::max(double(x), double(ox) * c.w / c.toW));
              sum += wx * wy * (view.row(y)[x] >> shift & 0xFF);
            }
          }
          const double mean = sum * c.toW * c.toH / (double(c.w) * c.h);
          const uint32_t got = out[size_t(oy) * stride + ox];
          worst = std::max(worst, int(std::ceil(std::fabs(double(got >> shift & 0xFF) - mean) - 0.5)));
          ASSERT_EQ(got >> 24, 0xFFu);
        }
      EXPECT_EQ(out[size_t(oy) * stride + c.toW], 0x12345678u);
    }
    EXPECT_LE(worst, 1) << c.w << "x" << c.h << " to " << c.toW << "x" << c.toH;
  }
  // It only shrinks; nothing is written when it refuses.
  std::vector<uint32_t> pixels(25, 0xFF808080u), out(36, 7);
  const PixelView view{pixels.data(), 5, 5, 5};
  for (const std::pair<int, int>& size : {std::pair{6, 5}, std::pair{5, 6}, std::pair{0, 3}, std::pair{3, 0}}) {
    EXPECT_FALSE(AverageArea(view, out.data(), size.first, size.second, 6)) << size.first << "x" << size.second;
    EXPECT_EQ(out[0], 7u);
  }
}

TEST(JpegFrameSize, WalksTheMarkersToTheFrameAndRefusesWhatItCannotRead) {
  QTemporaryDir dir;
  const QByteArray jpeg = testimages::JpegWithOrientation(testimages::Gradient(37, 21), 6);  // EXIF before the frame
  const int scan = jpeg.indexOf(QByteArray("\xFF\xDA", 2));
  ASSERT_GT(scan, 0);
  struct Case { const char* name; QByteArray bytes; bool reads; } cases[] = {
      {"whole file", jpeg, true},
      {"cut before the scan", jpeg.left(scan), true},
      {"only the start marker", jpeg.left(2), false},
      {"cut inside the first segment", jpeg.left(9), false},
      {"not a JPEG", QByteArray("GIF89a and more bytes"), false},
      {"scan before any frame", QByteArray("\xFF\xD8\xFF\xDA\x00\x08\x01\x02\x03\x04\x05\x06", 12), false},
      {"segment length below 2", QByteArray("\xFF\xD8\xFF\xE0\x00\x01", 6), false},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(testimages::WriteBytes(path, c.bytes));
    uint32_t w = 0, h = 0;
    EXPECT_EQ(ReadJpegFrameSize(QFile::encodeName(path).constData(), &w, &h), c.reads) << c.name;
    if (c.reads) {
      EXPECT_EQ(w, 37u) << c.name;  // the stored frame, before any turning
      EXPECT_EQ(h, 21u) << c.name;
    }
  }
}

TEST(DecoderMemory, AnIdleDecoderGivesBackALargeBufferAndStillDecodes) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::Solid(600, 500, Qt::darkCyan).save(dir.filePath("big.png")));  // 1.2 MB of pixels
  DecoderProcess decoder;
  ASSERT_TRUE(decoder.decode(dir.filePath("big.png")).ok());
  decoder.releaseLargeBuffer(2 << 20);
  EXPECT_NE(decoder.processId(), 0);  // small enough to keep
  decoder.releaseLargeBuffer(1 << 20);
  EXPECT_EQ(decoder.processId(), 0);
  const DecodedImage again = decoder.decode(dir.filePath("big.png"));
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(again.pixels.pixel(599, 499), QColor(Qt::darkCyan).rgb());
}
