// A size hint lets the decoder shrink a JPEG while decoding, never below what
// the hint asks for, and the reply still carries the image's own size.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/decoder/ImageDecoder.h"
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

TEST(DecodeHint, ShrunkJpegsKeepTheirNaturalSizeAndOtherFormatsDecodeWhole) {
  QTemporaryDir dir;
  const QImage photo = testimages::Gradient(1600, 1200);
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("wide.jpg"), testimages::JpegWithOrientation(photo, 1, 90)));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("turned.jpg"), testimages::JpegWithOrientation(photo, 6, 90)));
  ASSERT_TRUE(photo.save(dir.filePath("wide.png")));
  struct Case { const char* name; decoderproto::SizeHint hint; QSize decoded, natural; } cases[] = {
      {"wide.jpg", {240, 0}, {400, 300}, {1600, 1200}},     // a quarter: 1/8 would leave 150 rows
      {"wide.jpg", {100, 0}, {200, 150}, {1600, 1200}},     // an eighth
      {"turned.jpg", {240, 0}, {300, 400}, {1200, 1600}},   // upright, natural size turned too
      {"wide.jpg", {0, 0}, {1600, 1200}, {1600, 1200}},
      {"wide.jpg", {1000, 0}, {1600, 1200}, {1600, 1200}},  // no shrinking would do
      {"wide.png", {100, 0}, {1600, 1200}, {1600, 1200}},   // only JPEG shrinks
  };
  DecoderProcess decoder;
  for (const auto& c : cases) {
    QImage pixels;
    int32_t bpp = 0;
    QSize natural;
    ASSERT_EQ(decoder.decode(dir.filePath(c.name), &pixels, &bpp, &natural, c.hint), DecodeOutcome::Decoded)
        << c.name;
    EXPECT_EQ(pixels.size(), c.decoded) << c.name << " " << c.hint.minShortEdge;
    EXPECT_EQ(natural, c.natural) << c.name << " " << c.hint.minShortEdge;
    EXPECT_EQ(bpp, 24) << c.name;
  }
}
