// The decoder reads the program's input formats and nothing else: files in
// other formats the library knows fail to load, whatever their names say.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "platform/drawing/Surface.h"
#include "tests/support/TestImages.h"

namespace {

// A w x h bitmap of the test gradient in the library's own depth for the format.
FiBitmap BitmapFor(FREE_IMAGE_FORMAT fif, int w, int h) {
  const QImage gradient = testimages::Gradient(w, h).convertToFormat(QImage::Format_RGB32);
  FiBitmap rgb = BitmapFromPixels(ViewOf(gradient));
  FiBitmap rgb24(FreeImage_ConvertTo24Bits(rgb.get()));
  switch (fif) {
    case FIF_PBM:
    case FIF_PBMRAW:
    case FIF_WBMP:
      return FiBitmap(FreeImage_Threshold(rgb24.get(), 128));
    case FIF_PGM:
    case FIF_PGMRAW:
      return FiBitmap(FreeImage_ConvertToGreyscale(rgb24.get()));
    case FIF_GIF:
      return FiBitmap(FreeImage_ColorQuantize(rgb24.get(), FIQ_WUQUANT));
    case FIF_HDR:
    case FIF_EXR:
    case FIF_PFM:
      return FiBitmap(FreeImage_ConvertToRGBF(rgb24.get()));
    default:
      return rgb24;
  }
}

}  // namespace

TEST(DecoderFormats, InputFormatsLoadAndOthersAreRefusedWhateverTheirName) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ConfigureSharedDecoder({});
  struct Case {
    FREE_IMAGE_FORMAT fif;
    const char* ext;
    bool loads;
  };
  const Case cases[] = {
      {FIF_BMP, "bmp", true},     {FIF_BMP, "dib", true},      {FIF_ICO, "ico", true},
      {FIF_JPEG, "jpeg", true},   {FIF_JPEG, "jfif", true},    {FIF_JNG, "jng", true},
      {FIF_PBM, "pbm", true},     {FIF_PBMRAW, "pbm", true},   {FIF_PGM, "pgm", true},
      {FIF_PGMRAW, "pgm", true},  {FIF_PNG, "png", true},      {FIF_PPM, "ppm", true},
      {FIF_PPMRAW, "ppm", true},  {FIF_TARGA, "tga", true},    {FIF_TIFF, "tiff", true},
      {FIF_WBMP, "wbmp", true},   {FIF_PSD, "psd", true},      {FIF_XPM, "xpm", true},
      {FIF_GIF, "gif", true},     {FIF_HDR, "hdr", false},     {FIF_HDR, "jpg", false},
      {FIF_EXR, "exr", true},     {FIF_EXR, "png", true},      {FIF_PFM, "pfm", false},
      {FIF_PFM, "bmp", false},    {FIF_J2K, "j2k", true},      {FIF_JP2, "jp2", true},
      {FIF_JP2, "tif", true},     {FIF_WEBP, "webp", true},    {FIF_WEBP, "gif", true},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString label = QStringLiteral("%1 as .%2").arg(QLatin1String(FreeImage_GetFormatFromFIF(c.fif)),
                                                           QLatin1String(c.ext));
    // Icons are squares; JPEG 2000 wants room for its resolution levels.
    const bool jpeg2000 = c.fif == FIF_J2K || c.fif == FIF_JP2;
    const QSize size = c.fif == FIF_ICO ? QSize(32, 32) : c.loads && !jpeg2000 ? QSize(32, 20) : QSize(128, 96);
    FiBitmap bitmap = BitmapFor(c.fif, size.width(), size.height());
    ASSERT_TRUE(bitmap) << label.toStdString();
    const QString path = dir.filePath(QStringLiteral("file%1.%2").arg(n++).arg(QLatin1String(c.ext)));
    ASSERT_TRUE(FreeImage_Save(c.fif, bitmap.get(), QFile::encodeName(path).constData(), 0)) << label.toStdString();
    Surface picLoad;
    EXPECT_EQ(LoadImageFile(path, picLoad), c.loads) << label.toStdString();
    if (c.loads) {
      EXPECT_EQ(picLoad.image().size(), size) << label.toStdString();
      EXPECT_EQ(LastLoaded().bpp, static_cast<int32_t>(FreeImage_GetBPP(bitmap.get()))) << label.toStdString();
    }
  }
}
