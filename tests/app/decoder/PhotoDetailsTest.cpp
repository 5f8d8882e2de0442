// A photo's EXIF details come back from the decoder only when asked for,
// cleaned (valid UTF-8, no control characters) and bounded.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

#include "app/engine/DecoderProcess.h"
#include "app/imaging/PhotoDetails.h"

namespace {

bool Run(const QString& program, const QStringList& args) {
  QProcess tool;
  tool.start(program, args);
  const bool ran = tool.waitForFinished(20000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
  EXPECT_TRUE(ran) << program.toStdString() << ": " << tool.readAllStandardError().toStdString();
  return ran;
}

// A JPEG with the given EXIF tags, written by exiftool (tag=value arguments);
// a TIFF or HEIC file made from it by vips or heif-enc when the name says so.
QString JpegWithExif(const QTemporaryDir& dir, const QString& name, const QStringList& tags) {
  const QString path = dir.filePath(name);
  const QString jpeg = dir.filePath(name + QStringLiteral(".jpg"));
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  EXPECT_TRUE(image.save(jpeg, "JPEG"));
  if (name.endsWith(QLatin1String(".tif")) || name.endsWith(QLatin1String(".png")))
    Run(QStringLiteral("vips"), {QStringLiteral("copy"), jpeg, path});
  else if (name.endsWith(QLatin1String(".heic")))
    Run(QStringLiteral("heif-enc"), {QStringLiteral("-q"), QStringLiteral("60"), jpeg, QStringLiteral("-o"), path});
  else
    QFile::rename(jpeg, path);
  QStringList args{QStringLiteral("-q"), QStringLiteral("-overwrite_original"), QStringLiteral("-charset"),
                   QStringLiteral("exif=utf8")};
  for (const QString& t : tags) args << QLatin1Char('-') + t;
  args << path;
  Run(QStringLiteral("exiftool"), args);  // libimage-exiftool-perl
  return path;
}

}  // namespace

TEST(PhotoDetails, DecoderSendsEachFieldOnlyWhenAsked) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = JpegWithExif(dir, QStringLiteral("exif.jpg"),
      {"DateTimeOriginal=2024:05:01 10:20:30", "Make=Canon", "Model=EOS R6", "LensModel=RF 50mm F1.8 STM",
       "ExposureTime=1/125", "FNumber=2.8", "ISO=400", "FocalLength=50", "GPSLatitude=48.8584",
       "GPSLatitudeRef=N", "GPSLongitude=2.2945", "GPSLongitudeRef=W"});
  DecoderProcess decoder;
  const DecodedImage plain = decoder.decode(path);
  ASSERT_TRUE(plain.ok());
  EXPECT_TRUE(plain.details.empty());
  const DecodedImage withDetails = decoder.decode(path, {}, {}, true);
  ASSERT_TRUE(withDetails.ok());
  const PhotoDetails& d = withDetails.details;
  EXPECT_EQ(d.dateTaken, "2024:05:01 10:20:30");
  EXPECT_EQ(d.camera, "Canon, EOS R6");
  EXPECT_EQ(d.lens, "RF 50mm F1.8 STM");
  EXPECT_NE(d.exposure.find("1/125"), std::string::npos) << d.exposure;
  EXPECT_NE(d.exposure.find("ISO 400"), std::string::npos) << d.exposure;
  EXPECT_NE(d.exposure.find("50"), std::string::npos) << d.exposure;
  EXPECT_EQ(d.location, "48.8584, -2.2945");
  EXPECT_EQ(withDetails.pixels, plain.pixels);

  // Hostile texts arrive as plain, bounded text; markup is escaped by the page.
  const QString hostile = JpegWithExif(dir, QStringLiteral("hostile.jpg"),
      {QStringLiteral("Make=<script>alert(\"x\")</script>&'"), QStringLiteral("Model=\u202Egpj.exe \U0001F600"),
       QStringLiteral("LensModel=") + QString(5000, QLatin1Char('L'))});
  const PhotoDetails h = decoder.decode(hostile, {}, {}, true).details;
  EXPECT_EQ(QString::fromStdString(h.camera), QStringLiteral("<script>alert(\"x\")</script>&', \u202Egpj.exe \U0001F600"));
  EXPECT_EQ(h.lens, std::string(kMaxDetailBytes, 'L'));
  EXPECT_TRUE(h.dateTaken.empty() && h.location.empty());
}

TEST(PhotoDetails, TextsAreCleanedAndBounded) {
  const std::string longEmoji = [] {
    std::string s;
    for (int i = 0; i < 100; ++i) s += "\xF0\x9F\x98\x80";  // 4 bytes each
    return s;
  }();
  struct Case {
    const char* name;
    std::string in, out;
  } cases[] = {
      {"plain", "Canon EOS R6", "Canon EOS R6"},
      {"control characters", "a\tb\nc\x7F" "d\xC2\x85" "e\x1B[31m", "abcde[31m"},
      {"blanks at the ends", "  Nikon  ", "Nikon"},
      {"invalid UTF-8", "a\xFF" "b\xC0\xAF" "c\xED\xA0\x80" "d\xE2\x82", "abcd"},
      {"right to left and emoji kept", "\xE2\x80\xAE" "abc \xF0\x9F\x93\xB7", "\xE2\x80\xAE" "abc \xF0\x9F\x93\xB7"},
      {"cut on a character boundary", longEmoji, longEmoji.substr(0, 256)},
      {"markup kept (the page escapes it)", "<b>&\"'", "<b>&\"'"},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanDetailText(c.in), c.out) << c.name;

  PhotoDetails d;
  d.camera = "Canon";
  d.location = "1.0000, 2.0000";
  const std::string packed = PackPhotoDetails(d);
  const PhotoDetails back = UnpackPhotoDetails(packed.data(), packed.size());
  EXPECT_EQ(back.camera, "Canon");
  EXPECT_EQ(back.location, "1.0000, 2.0000");
  EXPECT_TRUE(back.dateTaken.empty() && back.lens.empty() && back.exposure.empty());
  EXPECT_TRUE(PackPhotoDetails(PhotoDetails()).empty());
  // Whatever the decoder wrote is cleaned again; more than the bound is ignored.
  const std::string forged = "a\x01\n\xFF" "b\nc\nd\ne\nextra";
  EXPECT_EQ(UnpackPhotoDetails(forged.data(), forged.size()).camera, "b");
  const std::string tooLong(decoderproto::kMaxDetailsBytes + 1, 'x');
  EXPECT_TRUE(UnpackPhotoDetails(tooLong.data(), tooLong.size()).empty());
}

// Camera RAW files are mostly TIFF inside, iPhones write HEIC: their details
// come through as a JPEG's do; a format without them gives none.
TEST(PhotoDetails, TiffAndHeifFilesGiveTheirDetailsToo) {
  QTemporaryDir dir;
  const QStringList tags{"DateTimeOriginal=2024:05:01 10:20:30", "Make=Apple", "Model=iPhone 15", "ISO=64"};
  struct Case { const char* name; bool details; } cases[] = {
      {"photo.tif", true}, {"photo.heic", true}, {"photo.png", false}};
  DecoderProcess decoder;
  for (const Case& c : cases) {
    const QString path = JpegWithExif(dir, QString::fromLatin1(c.name), tags);
    const DecodedImage d = decoder.decode(path, {}, {}, true);
    ASSERT_TRUE(d.ok()) << c.name;
    EXPECT_EQ(d.details.camera, c.details ? "Apple, iPhone 15" : "") << c.name;
    EXPECT_EQ(d.details.dateTaken, c.details ? "2024:05:01 10:20:30" : "") << c.name;
  }
}
