#include "tests/support/FormatSamples.h"

#include <tiffio.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <vector>

#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"

namespace formatsamples {
namespace {

PixelView ViewOf(const QImage& rgb32) {
  return {reinterpret_cast<const uint32_t*>(rgb32.constBits()), rgb32.width(), rgb32.height(),
          static_cast<size_t>(rgb32.bytesPerLine() / 4)};
}

// Saved with FreeImage, the ICC profile embedded when there is one.
bool SaveWithLibrary(const QImage& image, FREE_IMAGE_FORMAT fif, const QString& path, const QByteArray& icc,
                     QString* why) {
  const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
  FiBitmap rgba = BitmapFromPixels(ViewOf(rgb32));
  FiBitmap bitmap(fif == FIF_EXR ? FreeImage_ConvertToRGBF(rgba.get()) : FreeImage_ConvertTo24Bits(rgba.get()));
  if (!bitmap) return *why = "no bitmap", false;
  if (fif == FIF_EXR) {  // OpenEXR holds linear light
    for (unsigned y = 0; y < FreeImage_GetHeight(bitmap.get()); ++y) {
      auto* px = reinterpret_cast<float*>(FreeImage_GetScanLine(bitmap.get(), static_cast<int>(y)));
      for (unsigned i = 0; i < FreeImage_GetWidth(bitmap.get()) * 3; ++i)
        px[i] = px[i] <= 0.04045f ? px[i] / 12.92f : std::pow((px[i] + 0.055f) / 1.055f, 2.4f);
    }
  }
  if (!icc.isEmpty())
    FreeImage_CreateICCProfile(bitmap.get(), const_cast<char*>(icc.constData()), static_cast<long>(icc.size()));
  const int flags = fif == FIF_JPEG ? 100 : 0;  // JPEG at its best quality
  if (!FreeImage_Save(fif, bitmap.get(), QFile::encodeName(path).constData(), flags))
    return *why = "FreeImage could not save " + path, false;
  return true;
}

bool Run(const QString& program, const QStringList& arguments, QString* why) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted()) return *why = program + " is not installed (scripts/test-packages.txt)", false;
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return *why = program + " failed: " + QString::fromLocal8Bit(process.readAllStandardError()), false;
  return true;
}

}  // namespace

bool Write(const QImage& image, const QString& path, QString* why, const QByteArray& icc) {
  const QString ext = QFileInfo(path).suffix().toLower();
  if (ext == "png" && icc.isEmpty()) return SaveWithLibrary(image, FIF_PNG, path, icc, why);
  if (ext == "tif" || ext == "tiff") return SaveWithLibrary(image, FIF_TIFF, path, icc, why);
  if (ext == "jpg") return SaveWithLibrary(image, FIF_JPEG, path, icc, why);
  if (ext == "exr") return SaveWithLibrary(image, FIF_EXR, path, icc, why);
  QTemporaryDir dir;
  const QString png = dir.filePath("source.png");
  if (icc.isEmpty() ? !SaveWithLibrary(image, FIF_PNG, png, icc, why)
                    // FreeImage writes no iCCP chunk; vips carries a TIFF's profile over.
                    : !(SaveWithLibrary(image, FIF_TIFF, dir.filePath("source.tif"), icc, why) &&
                        Run("vips", {"copy", dir.filePath("source.tif"), png}, why)))
    return false;
  if (ext == "png") return QFile::copy(png, path) || (*why = "cannot copy " + png, false);
  if (ext == "webp") return Run("cwebp", {"-quiet", "-q", "95", "-metadata", "icc", png, "-o", path}, why);
  if (ext == "jp2" || ext == "j2k") return Run("opj_compress", {"-i", png, "-o", path}, why);
  if (ext == "heic") return Run("heif-enc", {"-q", "95", png, "-o", path}, why);
  if (ext == "avif") return Run("heif-enc", {"-A", "-q", "95", png, "-o", path}, why);
  if (ext == "jxl") return Run("cjxl", {png, path, "-d", "0.5"}, why);
  return *why = "no writer for ." + ext, false;
}

bool WriteDng(const QImage& image, const QSize& previewSize, int orientation, const QString& path) {
  TIFF* tif = TIFFOpen(QFile::encodeName(path).constData(), "w");
  if (!tif) return false;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const QImage preview = previewSize.isEmpty()
                             ? QImage()
                             : rgb.scaled(previewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  static const uint8_t kDngVersion[4] = {1, 4, 0, 0};
  static const float kIdentity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  static const float kNeutral[3] = {1, 1, 1};
  bool ok = true;
  // IFD 0: the preview (or a one-pixel stand-in), the camera's tags and the sub-IFD of the raw data.
  const QImage first = preview.isNull() ? QImage(1, 1, QImage::Format_RGB888) : preview;
  uint64_t subIfd = 0;
  TIFFSetField(tif, TIFFTAG_SUBFILETYPE, FILETYPE_REDUCEDIMAGE);
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, first.width());
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, first.height());
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
  TIFFSetField(tif, TIFFTAG_MAKE, "Quillmora");
  TIFFSetField(tif, TIFFTAG_MODEL, "Test Camera");
  TIFFSetField(tif, TIFFTAG_DNGVERSION, kDngVersion);
  TIFFSetField(tif, TIFFTAG_DNGBACKWARDVERSION, kDngVersion);
  TIFFSetField(tif, TIFFTAG_UNIQUECAMERAMODEL, "Quillmora Test Camera");
  TIFFSetField(tif, TIFFTAG_COLORMATRIX1, 9, kIdentity);
  TIFFSetField(tif, TIFFTAG_ASSHOTNEUTRAL, 3, kNeutral);
  TIFFSetField(tif, TIFFTAG_CALIBRATIONILLUMINANT1, 21);  // D65
  TIFFSetField(tif, TIFFTAG_SUBIFD, 1, &subIfd);
  for (int y = 0; ok && y < first.height(); ++y)
    ok = TIFFWriteScanline(tif, const_cast<uchar*>(first.constScanLine(y)), y, 0) >= 0;
  ok = ok && TIFFWriteDirectory(tif);
  // The raw data: 16-bit RGGB mosaic of the image.
  TIFFSetField(tif, TIFFTAG_SUBFILETYPE, 0);
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, rgb.width());
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, rgb.height());
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, 32803);  // colour filter array
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
  static const uint16_t kRepeat[2] = {2, 2};
  static const uint8_t kPattern[4] = {0, 1, 1, 2};
  TIFFSetField(tif, TIFFTAG_CFAREPEATPATTERNDIM, kRepeat);
  TIFFSetField(tif, TIFFTAG_CFAPATTERN, 4, kPattern);
  const uint32_t white = 65535;
  TIFFSetField(tif, TIFFTAG_WHITELEVEL, 1, &white);
  std::vector<uint16_t> row(static_cast<size_t>(rgb.width()));
  for (int y = 0; ok && y < rgb.height(); ++y) {
    const uchar* src = rgb.constScanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const int channel = (y % 2 == 0) ? (x % 2 == 0 ? 0 : 1) : (x % 2 == 0 ? 1 : 2);
      row[static_cast<size_t>(x)] = static_cast<uint16_t>(src[x * 3 + channel] * 257);
    }
    ok = TIFFWriteScanline(tif, row.data(), static_cast<uint32_t>(y), 0) >= 0;
  }
  ok = ok && TIFFWriteDirectory(tif);
  TIFFClose(tif);
  return ok;
}

}  // namespace formatsamples
