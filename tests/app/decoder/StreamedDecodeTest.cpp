// Large PNG and TIFF files decoded for a thumbnail are read a few rows at a
// time and shrunk while read: the shrunk pixels stay within the quality bound
// of the whole-image path, and the decoder's own accounting shows it never
// held more than a few rows of the source.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <vector>

#include "app/decoder/DecodeStreamed.h"
#include "app/decoder/ImageDecoder.h"
#include "app/imaging/Resample.h"
#include "tests/app/decoder/BigImageFiles.h"
#include "tests/support/TestImages.h"

namespace {

using bigimages::Container;
using bigimages::Pixels;

struct Case {
  const char* name;
  bigimages::Layout layout;
};

const Case kCases[] = {
    {"rgb8.png", {Container::Png, Pixels::Rgb8, 6000, 6000}},
    {"rgb8-interlaced.png", {Container::PngInterlaced, Pixels::Rgb8, 6000, 6000}},
    {"rgba16.png", {Container::Png, Pixels::Rgba16, 2500, 2000}},
    {"palette-interlaced.png", {Container::PngInterlaced, Pixels::Palette8, 2500, 2000}},
    {"grey8.png", {Container::Png, Pixels::Grey8, 2000, 2500}},
    {"rgb8-strips.tif", {Container::TiffStrips, Pixels::Rgb8, 2500, 2000}},
    {"rgba8-tiles.tif", {Container::TiffTiles, Pixels::Rgba8, 2500, 2000}},
    {"rgb16-strips.tif", {Container::TiffStrips, Pixels::Rgb16, 2500, 2000}},
    {"rgba16-tiles.tif", {Container::TiffTiles, Pixels::Rgba16, 2500, 2000}},
    {"palette-strips.tif", {Container::TiffStrips, Pixels::Palette8, 2500, 2000}},
    {"white-is-zero-tiles.tif", {Container::TiffTiles, Pixels::WhiteIsZero8, 2000, 2500}},
};

const decoderproto::SizeHint kThumbnailHint{240, 0};

// The case's file, written once for every test of this build (they are slow
// to make); a failure to write fails the test.
QString CaseFile(const Case& c) {
  const QString dir = QStringLiteral(QM_STREAM_TEST_DIR);
  QDir().mkpath(dir);
  const QString path = dir + QLatin1Char('/') + QLatin1String(c.name);
  if (!QFile::exists(path)) {
    EXPECT_TRUE(bigimages::Write(c.layout, path)) << c.name;
  }
  return path;
}

struct Decoded {
  std::vector<uint32_t> pixels;
  DecodeInfo info;
};

QImage Image(const Decoded& d) {
  return QImage(reinterpret_cast<const uchar*>(d.pixels.data()), int(d.info.width), int(d.info.height),
                QImage::Format_RGB32);
}

Decoded Decode(const QString& path, const decoderproto::SizeHint& hint) {
  Decoded d;
  d.info = DecodeFileToPixels(QFile::encodeName(path).constData(), [&d](uint32_t w, uint32_t h) {
    d.pixels.resize(size_t{w} * h);
    return d.pixels.data();
  }, hint);
  return d;
}

}  // namespace

// Each layout, shrunk while read, against the whole image decoded and shrunk
// by the box filter as before: the same pixels, byte for byte, for rows read
// in order; an interlaced file within the quality bound thumbnails of shrunk
// JPEGs meet (33 dB). The same size, natural size and bits per pixel.
TEST(StreamedDecode, ShrunkWhileReadMatchesTheWholeImagePath) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const QString path = CaseFile(c);
    const Decoded streamed = Decode(path, kThumbnailHint);
    const Decoded whole = Decode(path, {});
    ASSERT_EQ(streamed.info.status, decoderproto::DecodeStatus::Decoded);
    ASSERT_EQ(whole.info.status, decoderproto::DecodeStatus::Decoded);
    EXPECT_GT(streamed.info.streamPeakBytes, 0u) << "not streamed";
    EXPECT_EQ(whole.info.streamPeakBytes, 0u) << "no hint: the natural size, decoded whole";
    EXPECT_EQ(streamed.info.naturalWidth, c.layout.width);
    EXPECT_EQ(streamed.info.naturalHeight, c.layout.height);
    EXPECT_EQ(streamed.info.bpp, whole.info.bpp);
    const uint32_t divisor = ShrinkDivisor(c.layout.width, c.layout.height, kThumbnailHint);
    ASSERT_EQ(streamed.info.width, (c.layout.width + divisor - 1) / divisor);
    ASSERT_EQ(streamed.info.height, (c.layout.height + divisor - 1) / divisor);
    const PixelBuffer reference =
        ResamplePixels({whole.pixels.data(), int32_t(whole.info.width), int32_t(whole.info.height), whole.info.width},
                       int32_t(streamed.info.width), int32_t(streamed.info.height), ResampleFilter::Box);
    ASSERT_FALSE(reference.empty());
    if (c.layout.container == Container::PngInterlaced)
      EXPECT_GE(testimages::WorstChannelPsnr(Image(streamed), Image({reference.pixels, streamed.info})), 33.0);
    else
      EXPECT_TRUE(streamed.pixels == reference.pixels);
  }
}

// A hint that keeps the natural size (more than half of it is asked for)
// still streams, and gives the whole image's own pixels.
TEST(StreamedDecode, AHintForTheNaturalSizeGivesTheWholeImage) {
  const Case& c = kCases[5];  // striped TIFF
  const QString path = CaseFile(c);
  const Decoded streamed = Decode(path, {0, 600});
  const Decoded whole = Decode(path, {});
  EXPECT_GT(streamed.info.streamPeakBytes, 0u);
  ASSERT_EQ(streamed.info.width, c.layout.width);
  ASSERT_EQ(streamed.info.height, c.layout.height);
  EXPECT_TRUE(streamed.pixels == whole.pixels);
}

// What the reader and libpng allocated, by the decoder's own count: no buffer
// larger than eight rows of the source (as 32-bit pixels), and never more
// than sixteen rows together, besides what the container needs open at once
// (a strip, or a row of tiles) and an interlaced file's sums at the shrunk size. Small
// files keep the whole-image path.
TEST(StreamedDecode, NeverHoldsMoreThanAFewRows) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Decoded streamed = Decode(CaseFile(c), kThumbnailHint);
    ASSERT_EQ(streamed.info.status, decoderproto::DecodeStatus::Decoded);
    const uint64_t row = uint64_t{c.layout.width} * 4;
    const bool interlaced = c.layout.container == Container::PngInterlaced;
    const uint64_t sums = interlaced ? uint64_t{streamed.info.width} * streamed.info.height * 12 : 0;
    // A strip is read whole, as a row of tiles is (at most 8 bytes a pixel).
    const uint64_t open = c.layout.container == Container::TiffTiles    ? bigimages::kTileSide * row
                          : c.layout.container == Container::TiffStrips ? bigimages::kStripRows * 2 * row
                                                                        : 0;
    EXPECT_GT(streamed.info.streamLargestBuffer, 0u);
    EXPECT_LE(streamed.info.streamLargestBuffer, std::max(8 * row + open, sums));
    EXPECT_LE(streamed.info.streamPeakBytes, 16 * row + open + sums);
  }
  const Case small{"small.png", {Container::Png, Pixels::Rgb8, 2000, 1500}};
  ASSERT_LT(uint64_t{2000} * 1500, kStreamFromPixels);
  EXPECT_EQ(Decode(CaseFile(small), kThumbnailHint).info.streamPeakBytes, 0u);
}
