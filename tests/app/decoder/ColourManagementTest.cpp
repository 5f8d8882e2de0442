// Pictures with an embedded colour profile reach the program in sRGB: each
// file's patches land within a colour difference (CIEDE2000) of 2 from
// lcms2's own conversion of the source colours, and an untagged file keeps
// its colours.
#include <gtest/gtest.h>
#include <lcms2.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "app/imaging/FiBitmap.h"
#include "platform/drawing/Surface.h"
#include "tests/support/FormatSamples.h"

namespace {

struct ProfileClose {
  void operator()(void* p) const { cmsCloseProfile(p); }
};
using Profile = std::unique_ptr<void, ProfileClose>;

enum class Space { None, AdobeRgb, DisplayP3, Cmyk };

Profile RgbProfile(Space space) {
  const cmsCIExyY d65{0.3127, 0.3290, 1.0};
  const cmsCIExyYTRIPLE adobe{{0.64, 0.33, 1}, {0.21, 0.71, 1}, {0.15, 0.06, 1}};
  const cmsCIExyYTRIPLE p3{{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}};
  const cmsFloat64Number srgbCurve[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  cmsToneCurve* curve = space == Space::AdobeRgb ? cmsBuildGamma(nullptr, 563.0 / 256.0)
                                                 : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
  cmsToneCurve* curves[3] = {curve, curve, curve};
  Profile profile(cmsCreateRGBProfile(&d65, space == Space::AdobeRgb ? &adobe : &p3, curves));
  cmsFreeToneCurve(curve);
  return profile;
}

QByteArray Bytes(const Profile& profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile.get(), nullptr, &size);
  QByteArray bytes(static_cast<int>(size), '\0');
  cmsSaveProfileToMem(profile.get(), bytes.data(), &size);
  return bytes;
}

// lcms2's conversion of source values (3 or 4 bytes) to sRGB, perceptual with black-point compensation.
QRgb ToSrgb(void* profile, cmsUInt32Number format, const uint8_t* source) {
  Profile srgb(cmsCreate_sRGBProfile());
  cmsHTRANSFORM t = cmsCreateTransform(profile, format, srgb.get(), TYPE_RGB_8, INTENT_PERCEPTUAL,
                                       cmsFLAGS_BLACKPOINTCOMPENSATION);
  uint8_t out[3] = {};
  cmsDoTransform(t, source, out, 1);
  cmsDeleteTransform(t);
  return qRgb(out[0], out[1], out[2]);
}

double DeltaE2000(QRgb a, QRgb b) {
  Profile srgb(cmsCreate_sRGBProfile());
  Profile lab(cmsCreateLab4Profile(nullptr));
  cmsHTRANSFORM t = cmsCreateTransform(srgb.get(), TYPE_RGB_8, lab.get(), TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0);
  const uint8_t rgb[6] = {uint8_t(qRed(a)), uint8_t(qGreen(a)), uint8_t(qBlue(a)),
                          uint8_t(qRed(b)), uint8_t(qGreen(b)), uint8_t(qBlue(b))};
  cmsCIELab labs[2];
  cmsDoTransform(t, rgb, labs, 2);
  cmsDeleteTransform(t);
  return cmsCIE2000DeltaE(&labs[0], &labs[1], 1, 1, 1);
}

// The CMYK values and profile at (x, y) of a CMYK JPEG, as the file holds them.
QRgb CmykJpegInSrgb(const QString& path, int x, int y) {
  FiBitmap cmyk(FreeImage_Load(FIF_JPEG, QFile::encodeName(path).constData(), JPEG_CMYK | JPEG_ACCURATE));
  const FIICCPROFILE* icc = cmyk ? FreeImage_GetICCProfile(cmyk.get()) : nullptr;
  if (!icc || icc->size <= 0) return 0;
  Profile profile(cmsOpenProfileFromMem(icc->data, static_cast<cmsUInt32Number>(icc->size)));
  const BYTE* source = FreeImage_GetScanLine(cmyk.get(), static_cast<int>(FreeImage_GetHeight(cmyk.get())) - 1 - y) + x * 4;
  return ToSrgb(profile.get(), TYPE_CMYK_8, source);
}

}  // namespace

TEST(ColourManagement, ProfiledPicturesArriveInSrgbAndUntaggedOnesUnchanged) {
  QTemporaryDir dir;
  ConfigureSharedDecoder({});
  // Two flat patches side by side: a green and a purple.
  const QColor patches[2] = {QColor(40, 180, 90), QColor(200, 60, 150)};
  QImage image(96, 48, QImage::Format_RGB32);
  QPainter(&image).fillRect(0, 0, 48, 48, patches[0]);
  QPainter(&image).fillRect(48, 0, 48, 48, patches[1]);
  const struct {
    const char* name;
    Space space;
  } cases[] = {
      {"adobe.jpg", Space::AdobeRgb}, {"p3.heic", Space::DisplayP3}, {"p3.png", Space::DisplayP3},
      {"adobe.tif", Space::AdobeRgb}, {"p3.webp", Space::DisplayP3}, {"cmyk.jpg", Space::Cmyk},
      {"plain.jpg", Space::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir.filePath(c.name);
    QString why;
    Profile profile = c.space == Space::AdobeRgb || c.space == Space::DisplayP3 ? RgbProfile(c.space) : Profile();
    if (c.space == Space::Cmyk) {
      // libvips converts through its own CMYK profile and embeds it.
      const QString png = dir.filePath("cmyk-source.png");
      ASSERT_TRUE(formatsamples::Write(image, png, &why)) << why.toStdString();
      QProcess vips;
      vips.start("vips", {"icc_export", png, path, "--output-profile", "cmyk"});
      ASSERT_TRUE(vips.waitForFinished(60000) && vips.exitCode() == 0) << "vips (libvips-tools) is needed";
    } else {
      ASSERT_TRUE(formatsamples::Write(image, path, &why, profile ? Bytes(profile) : QByteArray())) << why.toStdString();
    }
    Surface picLoad;
    ASSERT_TRUE(LoadImageFile(path, picLoad));
    for (int i = 0; i < 2; ++i) {
      const int x = 24 + 48 * i, y = 24;
      const uint8_t source[3] = {uint8_t(patches[i].red()), uint8_t(patches[i].green()), uint8_t(patches[i].blue())};
      const QRgb expected = c.space == Space::Cmyk ? CmykJpegInSrgb(path, x, y)
                            : profile              ? ToSrgb(profile.get(), TYPE_RGB_8, source)
                                                   : patches[i].rgb();
      const QRgb got = picLoad.image().pixel(x, y);
      EXPECT_LT(DeltaE2000(got, expected), 2.0) << std::hex << "got " << got << " expected " << expected;
      if (profile && i == 0) {  // the green tells a dropped profile apart
        EXPECT_GT(std::abs(qRed(expected) - qRed(patches[i].rgb())), 8);
      }
    }
  }
}

TEST(ColourManagement, LargePngAndTiffShrunkWhileReadArriveInSrgb) {
  // Large enough to be read a few rows at a time for a thumbnail's size hint.
  QTemporaryDir dir;
  ConfigureSharedDecoder({});
  const QColor green(40, 180, 90);
  QImage image(2400, 2000, QImage::Format_RGB32);
  image.fill(green);
  Profile profile = RgbProfile(Space::DisplayP3);
  const uint8_t source[3] = {uint8_t(green.red()), uint8_t(green.green()), uint8_t(green.blue())};
  const QRgb expected = ToSrgb(profile.get(), TYPE_RGB_8, source);
  decoderproto::SizeHint hint;
  hint.minShortEdge = 240;
  for (const char* name : {"big.png", "big.tif"}) {
    SCOPED_TRACE(name);
    const QString path = dir.filePath(name);
    QString why;
    ASSERT_TRUE(formatsamples::Write(image, path, &why, Bytes(profile))) << why.toStdString();
    const DecodedImage decoded = SharedDecoder().decode(path, hint);
    ASSERT_TRUE(decoded.ok());
    ASSERT_LT(decoded.pixels.width(), image.width());  // shrunk while read
    const QRgb got = decoded.pixels.pixel(decoded.pixels.width() / 2, decoded.pixels.height() / 2);
    EXPECT_LT(DeltaE2000(got, expected), 2.0) << std::hex << "got " << got << " expected " << expected;
    EXPECT_LE(std::abs(qRed(got) - qRed(expected)), 6);  // the green's red tells a dropped profile apart
  }
}
