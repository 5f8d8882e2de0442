// Ordinary JPEGs are read, and JPEG files written, with libjpeg directly;
// the pixels must be exactly those the codec library's own loader gives, at
// every reduction and orientation, what it does not read is left to it, and
// the files written are the library writer's bytes.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "app/decoder/ImageDecoder.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/CodecFile.h"
#include "app/imaging/JpegFile.h"
#include "tests/support/TestImages.h"

namespace {

std::vector<uint32_t> LoaderPixels(const char* path, uint32_t sizeRequest, QSize* size) {
  const FileFormat format = DetectFileFormat(path);
  CodecImage image = CodecImage::Load(format, path, sizeRequest);
  if (!image) return {};
  image.ConvertToSrgb();
  *size = QSize(static_cast<int>(image.width()), static_cast<int>(image.height()));
  std::vector<uint32_t> pixels(size_t{image.width()} * image.height());
  if (!image.CopyPixels(pixels.data())) return {};
  return pixels;
}

}  // namespace

TEST(JpegRead, GivesTheLibraryLoadersPixelsAtEveryReductionAndOrientation) {
  QTemporaryDir dir;
  const QImage photo = testimages::Gradient(200, 120);
  QByteArray cut = testimages::JpegWithOrientation(photo, 1);
  cut.truncate(cut.size() * 2 / 3);  // libjpeg fills in the rest, as the loader lets it
  struct Case { const char* name; QByteArray bytes; };
  std::vector<Case> cases = {
      {"grey.jpg", testimages::JpegWithOrientation(photo.convertToFormat(QImage::Format_Grayscale8), 1)},
      {"cut.jpg", cut},
  };
  for (quint16 o = 1; o <= 8; ++o)
    cases.push_back({"", testimages::JpegWithOrientation(photo, o, 85)});
  int n = 0;
  for (const Case& c : cases) {
    const QString path = dir.filePath(*c.name ? QString::fromLatin1(c.name) : QStringLiteral("o%1.jpg").arg(++n));
    ASSERT_TRUE(testimages::WriteBytes(path, c.bytes));
    const QByteArray file = QFile::encodeName(path);
    for (uint32_t request : {0u, 150u, 60u, 50u, 20u}) {  // whole, 1/1, 1/2, 1/4, 1/8
      QSize expectedSize;
      const std::vector<uint32_t> expected = LoaderPixels(file.constData(), request, &expectedSize);
      ASSERT_FALSE(expected.empty()) << path.toStdString();
      std::vector<uint32_t> pixels;
      const JpegRead read = ReadJpeg(file.constData(), request, [&pixels](uint32_t w, uint32_t h) {
        pixels.assign(size_t{w} * h, 0);
        return pixels.data();
      });
      ASSERT_EQ(read.status, JpegReadStatus::Decoded) << path.toStdString() << " at " << request;
      EXPECT_EQ(QSize(int(read.width), int(read.height)), expectedSize) << path.toStdString() << " at " << request;
      EXPECT_TRUE(pixels == expected) << path.toStdString() << " at " << request;
      // The same file held in memory (as a camera RAW file's preview is).
      std::vector<uint32_t> fromMemory;
      ReadJpegBytes(reinterpret_cast<const uint8_t*>(c.bytes.constData()), size_t(c.bytes.size()), request,
                    [&fromMemory](uint32_t w, uint32_t h) {
                      fromMemory.assign(size_t{w} * h, 0);
                      return fromMemory.data();
                    });
      EXPECT_TRUE(fromMemory == expected) << path.toStdString() << " from memory at " << request;
    }
  }
}

// Pictures that are resampled again anyway (an image page's copy) may be
// decoded at any eighth: the fewest whose long edge reaches the request,
// turned upright, and the same picture as the whole decode shrunk.
TEST(JpegRead, DecodesAtTheFewestEighthsThatReachTheRequest) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("turned.jpg"));
  ASSERT_TRUE(testimages::WriteBytes(path, testimages::JpegWithOrientation(testimages::Gradient(200, 120), 6, 95)));
  const QByteArray file = QFile::encodeName(path);
  const auto read = [&](uint32_t request, JpegScales scales) {
    QImage image;
    const JpegRead r = ReadJpeg(file.constData(), request, [&](uint32_t w, uint32_t h) {
      image = QImage(int(w), int(h), QImage::Format_RGB32);
      return reinterpret_cast<uint32_t*>(image.bits());
    }, scales);
    return r.status == JpegReadStatus::Decoded ? image : QImage();
  };
  const QImage whole = read(0, JpegScales::Halvings);
  ASSERT_EQ(whole.size(), QSize(120, 200));
  struct Case { uint32_t request; QSize upright; } cases[] = {
      {0, {120, 200}}, {1, {15, 25}}, {75, {45, 75}}, {76, {60, 100}}, {175, {105, 175}}, {176, {120, 200}},
  };
  for (const auto& c : cases) {
    const QImage got = read(c.request, JpegScales::Eighths);
    ASSERT_EQ(got.size(), c.upright) << c.request;
    const QImage shrunk = whole.scaled(got.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double difference = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x)
        for (int shift : {0, 8, 16}) difference += std::abs(int(got.pixel(x, y) >> shift & 0xFF) - int(shrunk.pixel(x, y) >> shift & 0xFF));
    EXPECT_LT(difference / (3.0 * got.width() * got.height()), 4.0) << c.request;
  }
  // The size request the decoder makes of a hint allows the eighths only when asked.
  decoderproto::SizeHint hint;
  hint.minScalePermille = 600;
  EXPECT_EQ(JpegSizeRequest(1000, 750, hint), 0u);
  hint.jpegEighths = 1;
  EXPECT_EQ(JpegSizeRequest(1000, 750, hint), 600u);
  hint.minScalePermille = 900;
  EXPECT_EQ(JpegSizeRequest(1000, 750, hint), 0u);
}

TEST(JpegRead, LeavesToTheLoaderWhatItDoesNotReadAndAsksForNoRoomThen) {
  QTemporaryDir dir;
  QByteArray noScan = testimages::JpegWithOrientation(testimages::Gradient(64, 48), 1);
  noScan.truncate(noScan.indexOf(QByteArray("\xFF\xDA", 2)));
  struct Case { const char* name; QByteArray bytes; JpegReadStatus status; bool askedForRoom; } cases[] = {
      {"no-scan.jpg", noScan, JpegReadStatus::NotHandled, true},
      {"not-a-jpeg.jpg", QByteArray("GIF89a and more bytes"), JpegReadStatus::NotHandled, false},
      {"empty.jpg", QByteArray(), JpegReadStatus::NotHandled, false},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(testimages::WriteBytes(path, c.bytes));
    bool asked = false;
    std::vector<uint32_t> room;
    const JpegRead read = ReadJpeg(QFile::encodeName(path).constData(), 0, [&](uint32_t w, uint32_t h) {
      asked = true;
      room.assign(size_t{w} * h, 0);
      return room.data();
    });
    EXPECT_EQ(read.status, c.status) << c.name;
    EXPECT_LE(asked, c.askedForRoom) << c.name;
  }
  const QString full = dir.filePath(QStringLiteral("full.jpg"));
  ASSERT_TRUE(testimages::WriteBytes(full, testimages::JpegWithOrientation(testimages::Gradient(64, 48), 1)));
  EXPECT_EQ(ReadJpeg(QFile::encodeName(full).constData(), 0, [](uint32_t, uint32_t) { return nullptr; }).status,
            JpegReadStatus::NoRoom);
}

TEST(JpegWrite, WritesTheBytesOfTheLibraryWriter) {
  for (const QSize size : {QSize(1, 1), QSize(17, 9), QSize(300, 200), QSize(33, 250)}) {
    const QImage picture = testimages::Gradient(size.width(), size.height()).convertToFormat(QImage::Format_RGB32);
    const PixelView view{reinterpret_cast<const uint32_t*>(picture.constBits()), picture.width(), picture.height(),
                         static_cast<size_t>(picture.bytesPerLine() / 4)};
    FiBitmap bitmap = Bitmap24FromPixels(view);
    FIMEMORY* memory = FreeImage_OpenMemory();
    ASSERT_TRUE(FreeImage_SaveToMemory(FIF_JPEG, bitmap.get(), memory, 0));
    BYTE* data = nullptr;
    DWORD bytes = 0;
    FreeImage_AcquireMemory(memory, &data, &bytes);
    const std::vector<uint8_t> expected(data, data + bytes);
    FreeImage_CloseMemory(memory);
    EXPECT_TRUE(WriteJpeg(view, 75) == expected) << size.width() << "x" << size.height();
  }
}
