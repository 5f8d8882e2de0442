#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <FreeImage.h>

#include "app/engine/ImageBridge.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"
#include "tests/support/TestImages.h"

namespace {

// Reads a file back with FreeImage, independently of the code under test.
FiBitmap Decode(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(name.constData(), 0);
  return FiBitmap(fif == FIF_UNKNOWN ? nullptr : FreeImage_Load(fif, name.constData(), 0));
}

// The Compression tag (259) of the first directory of a little- or big-endian TIFF file.
int TiffCompression(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray b = f.readAll();
  if (b.size() < 8) return -1;
  const bool le = b.startsWith("II");
  auto u16 = [&](int at) {
    return le ? qFromLittleEndian<quint16>(b.constData() + at) : qFromBigEndian<quint16>(b.constData() + at);
  };
  auto u32 = [&](int at) {
    return le ? qFromLittleEndian<quint32>(b.constData() + at) : qFromBigEndian<quint32>(b.constData() + at);
  };
  const int ifd = static_cast<int>(u32(4));
  const int count = u16(ifd);
  for (int i = 0; i < count; ++i) {
    const int entry = ifd + 2 + i * 12;
    if (u16(entry) == 259) return u16(entry + 8);
  }
  return -1;
}

// The RGB32 image of a library bitmap.
QImage ImageFromBitmap(FIBITMAP* bitmap) {
  const PixelBuffer pixels = PixelsFromBitmap(bitmap);
  return ImageOf(pixels);
}

using F = ImageFileFormat;
struct FormatCase {
  ImageFileFormat format;
  const char* ext;
  unsigned bpp;
};
const FormatCase kFormats[] = {{F::Bmp, "bmp", 32},  {F::Gif, "gif", 8},   {F::Ico, "ico", 32},
                               {F::Jpeg, "jpg", 24}, {F::Png, "png", 24},  {F::Targa, "tga", 32},
                               {F::Tiff, "tif", 24}};

}  // namespace

TEST(SaveThumbCanvas, EveryStyleFilterAndFormatWritesADecodableFileOfTheRightShape) {
  QTemporaryDir dir;
  ThumbStage stage;
  stage.SetThumbBackColor(0x336699);
  stage.PicLoad.setImage(testimages::Gradient(90, 60));
  for (int style = 0; style <= 3; ++style) {
    for (int32_t f = 0; f <= 6; ++f) {
      const auto filter = static_cast<ResampleFilter>(f);
      if (style == kStyleNormal) {
        ComposePlainThumb(stage, 64, 48, kResizeKeepAspect, filter);
      } else {
        stage.SetCanvasSize(64, 48);
        ComposeStyledThumb(stage.PicLoad, stage.picThumb, stage.picBknd, style, 4, true, filter);
      }
      const QSize canvas = stage.picThumb.image().size();
      ASSERT_EQ(canvas, style == kStyleNormal ? QSize(64, 43) : QSize(64, 48));
      for (const FormatCase& f : kFormats) {
        SCOPED_TRACE(testing::Message() << "style " << style << " filter " << int(filter) << " " << f.ext);
        const QString path = dir.filePath(QStringLiteral("t%1_%2.%3").arg(style).arg(int(filter)).arg(f.ext));
        ASSERT_TRUE(SaveThumbCanvas(stage.picThumb, path, f.format, filter).ok());
        FiBitmap back = Decode(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(FreeImage_GetBPP(back.get()), f.bpp);
        if (f.format == F::Ico) {
          // Not a square of 16-256: centred on a transparent square.
          EXPECT_EQ(FreeImage_GetWidth(back.get()), 64u);
          EXPECT_EQ(FreeImage_GetHeight(back.get()), 64u);
          if (canvas.height() < 64) {
            EXPECT_EQ(FreeImage_GetScanLine(back.get(), 63)[FI_RGBA_ALPHA], 0);  // top padding row
            EXPECT_EQ(FreeImage_GetScanLine(back.get(), 32)[FI_RGBA_ALPHA], 255);
          }
        } else {
          EXPECT_EQ(static_cast<int>(FreeImage_GetWidth(back.get())), canvas.width());
          EXPECT_EQ(static_cast<int>(FreeImage_GetHeight(back.get())), canvas.height());
        }
        if (f.format == F::Gif) {
          EXPECT_NE(FreeImage_GetPalette(back.get()), nullptr);
        }
        if (f.bpp == 32 && f.format != F::Ico) {
          EXPECT_EQ(FreeImage_GetScanLine(back.get(), 0)[FI_RGBA_ALPHA], 255);  // opaque fourth byte
        }
        if (f.format == F::Tiff) {
          EXPECT_EQ(TiffCompression(path), 1);  // uncompressed
        }
      }
    }
  }
  // Only the thumbnails are left: no temporary files.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4 * 7 * 7);
}

TEST(SaveThumbCanvas, SquareIconsOf16To256AreWrittenAs24BitsAndLargeCanvasesShrinkTo256) {
  QTemporaryDir dir;
  struct Case { int w, h; unsigned side, bpp; } cases[] = {{32, 32, 32, 24}, {256, 256, 256, 24},
                                                          {8, 8, 16, 32},   {600, 300, 256, 32}};
  for (const Case& c : cases) {
    Surface canvas;
    canvas.setImage(testimages::Solid(c.w, c.h, QColor(200, 100, 50)));
    const QString path = dir.filePath(QStringLiteral("i%1x%2.ico").arg(c.w).arg(c.h));
    ASSERT_TRUE(SaveThumbCanvas(canvas, path, F::Ico, ResampleFilter::Bilinear).ok()) << c.w;
    FiBitmap back = Decode(path);
    ASSERT_TRUE(back) << c.w;
    EXPECT_EQ(FreeImage_GetWidth(back.get()), c.side) << c.w;
    EXPECT_EQ(FreeImage_GetHeight(back.get()), c.side) << c.w;
    EXPECT_EQ(FreeImage_GetBPP(back.get()), c.bpp) << c.w;
  }
}

TEST(SaveThumbCanvas, UnwritablePathsSayWhyAndLeaveNoFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("file.txt"), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("taken.jpg"));
  Surface canvas;
  canvas.setImage(testimages::Solid(20, 20, Qt::red));
  const struct { QString path; Failure why; } cases[] = {{dir.filePath("file.txt/thumb.jpg"), Failure::NotFound},
                                                         {dir.filePath("missing/thumb.jpg"), Failure::NotFound},
                                                         {dir.filePath("taken.jpg"), Failure::NameRefused},
                                                         {"/sys/thumb.jpg", Failure::PermissionDenied}};
  for (const auto& c : cases)
    EXPECT_EQ(SaveThumbCanvas(canvas, c.path, F::Jpeg).failure, c.why) << c.path.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // file.txt only
  // An existing thumbnail survives a failed save: the folder-file case above never
  // touched it; a failed conversion is reported before anything is written.
  Surface empty;
  EXPECT_EQ(SaveThumbCanvas(empty, dir.filePath("e.png"), F::Png).failure, Failure::NoImage);
  EXPECT_FALSE(QFile::exists(dir.filePath("e.png")));
}

TEST(LoadImageFile, DecodesAtNaturalSizeWithTheFileDepthAndUnicodeNames) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QString::fromUtf8("Фото zoë.png"));
  ASSERT_TRUE(testimages::Gradient(37, 23).save(png));
  const QString grey = dir.filePath("grey.png");
  ASSERT_TRUE(testimages::Gradient(10, 5).convertToFormat(QImage::Format_Grayscale8).save(grey));
  const QString misnamed = dir.filePath("really-a-png.jpg");
  ASSERT_TRUE(QFile::copy(png, misnamed));

  struct Case { QString path; int w, h, bpp; } cases[] = {{png, 37, 23, 24}, {grey, 10, 5, 8}, {misnamed, 37, 23, 24}};
  for (const Case& c : cases) {
    Surface load;
    ASSERT_TRUE(LoadImageFile(c.path, load)) << c.path.toStdString();
    EXPECT_EQ(load.image().size(), QSize(c.w, c.h));
    EXPECT_EQ(load.outerWidth(), c.w);
    EXPECT_EQ(LastLoaded().width, c.w);
    EXPECT_EQ(LastLoaded().height, c.h);
    EXPECT_EQ(LastLoaded().bpp, c.bpp);
  }
  Surface load;
  ASSERT_TRUE(LoadImageFile(png, load));
  EXPECT_EQ(load.image().pixel(5, 7), qRgb(5, 7, 12));  // exact pixels, upright
}

TEST(LoadImageFile, JpegStandsUprightAndDecodesAccurately) {
  QTemporaryDir dir;
  QImage wide(40, 20, QImage::Format_RGB32);
  wide.fill(QColor(255, 0, 0));
  for (int y = 0; y < 20; ++y)
    for (int x = 20; x < 40; ++x) wide.setPixel(x, y, qRgb(0, 0, 255));
  const QString rotated = dir.filePath("IMG_0001.JPG");
  ASSERT_TRUE(testimages::WriteBytes(rotated, testimages::JpegWithOrientation(wide, 6)));
  Surface load;
  ASSERT_TRUE(LoadImageFile(rotated, load));
  ASSERT_EQ(load.image().size(), QSize(20, 40));  // turned a quarter clockwise
  EXPECT_EQ(LastLoaded().width, 20);
  EXPECT_EQ(LastLoaded().height, 40);
  EXPECT_GT(qRed(load.image().pixel(10, 5)), 200);   // left half of the file is now on top
  EXPECT_GT(qBlue(load.image().pixel(10, 35)), 200);

  // The accurate DCT gives exactly what FreeImage's accurate decode gives, which
  // differs from the fast one on a busy image.
  const QString busy = dir.filePath("busy.jpg");
  ASSERT_TRUE(testimages::Gradient(96, 64).save(busy, "JPEG", 90));
  ASSERT_TRUE(LoadImageFile(busy, load));
  const QByteArray name = QFile::encodeName(busy);
  FiBitmap accurate(FreeImage_Load(FIF_JPEG, name.constData(), JPEG_ACCURATE));
  FiBitmap fast(FreeImage_Load(FIF_JPEG, name.constData(), JPEG_FAST));
  const QImage a = ImageFromBitmap(accurate.get());
  EXPECT_EQ(load.image(), a);
  EXPECT_NE(ImageFromBitmap(fast.get()), a);
}

TEST(LoadImageFile, FilesThatDoNotDecodeLeaveTheLoadSurfaceAsItWas) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.png");
  ASSERT_TRUE(testimages::Gradient(30, 20).save(good));
  QFile g(good);
  ASSERT_TRUE(g.open(QIODevice::ReadOnly));
  const QByteArray pngBytes = g.readAll();
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("notes.txt"), "just text, nothing else"));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("noise.xyz"), QByteArray(300, '\x5A')));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("empty.jpg"), QByteArray()));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("cut.png"), pngBytes.left(60)));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("text.bmp"), "BM not really a bitmap"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.jpg"));

  Surface load;
  ASSERT_TRUE(LoadImageFile(good, load));
  const QImage before = load.image();
  const LastLoadedImage last = LastLoaded();
  for (const char* name : {"notes.txt", "noise.xyz", "empty.jpg", "cut.png", "text.bmp", "folder.jpg", "absent.png"}) {
    EXPECT_FALSE(LoadImageFile(dir.filePath(name), load)) << name;
    EXPECT_EQ(load.image(), before) << name;
    EXPECT_EQ(LastLoaded().width, last.width) << name;
    EXPECT_EQ(LastLoaded().bpp, last.bpp) << name;
  }
}

TEST(RescaleImage, MissingSidesFollowTheAspectRatioAndZeroSizesGiveTheSourceBack) {
  const QImage source = testimages::Gradient(200, 100);
  const QImage same = RescaleImage(source, 0, 0, ResampleFilter::Bilinear);
  EXPECT_EQ(same.constBits(), source.constBits());
  struct Case { int w, h, ew, eh; } cases[] = {{0, 50, 100, 50}, {50, 0, 50, 25}, {30, 70, 30, 70}};
  for (const Case& c : cases) {
    const QImage out = RescaleImage(source, c.w, c.h, ResampleFilter::Box);
    EXPECT_EQ(out.size(), QSize(c.ew, c.eh));
  }
}
