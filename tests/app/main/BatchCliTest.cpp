#include <gtest/gtest.h>

#include <FreeImage.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "app/imaging/FiBitmap.h"
#include "app/settings/SettingsFormat.h"
#include "app/settings/SettingsRecord.h"
#include "tests/support/TestImages.h"

namespace {

struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

CliResult RunCli(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(QUILLMORA_BATCH_PATH), arguments);
  EXPECT_TRUE(process.waitForFinished(60000));
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

QSize DecodedSize(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(name.constData(), 0);
  FiBitmap bitmap(fif == FIF_UNKNOWN ? nullptr : FreeImage_Load(fif, name.constData(), 0));
  return bitmap ? QSize(FreeImage_GetWidth(bitmap.get()), FreeImage_GetHeight(bitmap.get())) : QSize();
}

}  // namespace

TEST(QuillmoraBatch, BadArgumentsExitWith2AndAMessage) {
  QTemporaryDir dir;
  struct Case { QStringList args; const char* says; } cases[] = {
      {{"--bogus", dir.path(), "--dest", dir.path()}, "unknown option --bogus"},
      {{"--width", "5", dir.path(), "--dest", dir.path()}, "--width must be a whole number from 16 to 25000"},
      {{"--format", "7", dir.path(), "--dest", dir.path()}, "--format"},
      {{dir.filePath("absent"), "--dest", dir.path()}, "source folder not found"},
      {{dir.path(), "--dest", dir.filePath("absent")}, "destination folder not found"},
      {{dir.path()}, "missing --dest"},
      {{}, "missing SOURCE_FOLDER"},
      {{"--settings", dir.filePath("empty.dat"), dir.path(), "--dest", dir.path()}, "settings file is empty"},
  };
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("empty.dat"), QByteArray()));
  for (const auto& c : cases) {
    const CliResult r = RunCli(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.says;
    EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
  EXPECT_TRUE(QFile::exists(dir.filePath("empty.dat")));  // a settings file given is only read
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.startsWith("Usage: quillmora-batch"));
}

TEST(QuillmoraBatch, MixedFolderWithAlbumWritesEveryGoodThumbnailAndReportsTheFailures) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  const QString out = dir.filePath("out");
  ASSERT_TRUE(QDir().mkpath(src));
  ASSERT_TRUE(QDir().mkpath(out));

  // Every input kind FreeImage can write here, each 90 x 60 (icons 48 x 48).
  struct Kind { FREE_IMAGE_FORMAT fif; const char* ext; int bpp; QSize thumb; };
  const Kind kinds[] = {
      {FIF_BMP, "bmp", 24, {120, 80}}, {FIF_PNG, "png", 24, {120, 80}}, {FIF_JPEG, "jpg", 24, {120, 80}},
      {FIF_TIFF, "tiff", 24, {120, 80}}, {FIF_TARGA, "tga", 24, {120, 80}}, {FIF_GIF, "gif", 8, {120, 80}},
      {FIF_PPM, "ppm", 24, {120, 80}}, {FIF_PGM, "pgm", 8, {120, 80}}, {FIF_XPM, "xpm", 24, {120, 80}},
      {FIF_ICO, "ico", 24, {120, 120}}, {FIF_PBM, "pbm", 1, {120, 80}}, {FIF_WBMP, "wbmp", 1, {120, 80}},
  };
  QStringList good;
  for (const Kind& k : kinds) {
    const bool icon = k.fif == FIF_ICO;
    QImage image = testimages::Gradient(icon ? 48 : 90, icon ? 48 : 60);
    FiBitmap bitmap(FreeImage_Allocate(image.width(), image.height(), 24));
    for (int y = 0; y < image.height(); ++y) {
      BYTE* line = FreeImage_GetScanLine(bitmap.get(), image.height() - 1 - y);
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        line[x * 3 + FI_RGBA_RED] = qRed(p);
        line[x * 3 + FI_RGBA_GREEN] = qGreen(p);
        line[x * 3 + FI_RGBA_BLUE] = qBlue(p);
      }
    }
    FiBitmap converted(k.bpp == 8 ? FreeImage_ColorQuantize(bitmap.get(), FIQ_WUQUANT)
                       : k.bpp == 1 ? FreeImage_Threshold(bitmap.get(), 128)
                                    : FreeImage_Clone(bitmap.get()));
    const QString name = QStringLiteral("k_%1.%2").arg(k.ext, k.ext);
    ASSERT_TRUE(FreeImage_Save(k.fif, converted.get(), QFile::encodeName(QDir(src).filePath(name)).constData(), 0))
        << k.ext;
    good << name;
  }
  ASSERT_TRUE(testimages::WriteBytes(src + "/broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 truncated", 15)));
  QStringList bad{"broken.jpg"};
  const QString hostile = QStringLiteral(HOSTILE_DIR) + "/psd-segv-1c31.psd";
  if (QFile::exists(hostile)) {
    ASSERT_TRUE(QFile::copy(hostile, src + "/hostile.psd"));
    bad << "hostile.psd";
  } else {
    ADD_FAILURE() << "hostile sample files not found at " << HOSTILE_DIR;
  }

  const CliResult r = RunCli({"--album", "--dest", out, "--format", "4", src});
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  const int total = static_cast<int>(good.size() + bad.size());
  EXPECT_TRUE(r.out.contains(QStringLiteral("Processing 1 of %1\n").arg(total)));
  EXPECT_TRUE(r.out.endsWith(QStringLiteral("Completed %1 of %1 images, %2 failed\n").arg(total).arg(bad.size())))
      << r.out.toStdString();
  for (int i = 0; i < static_cast<int>(std::size(kinds)); ++i) {
    const QString base = good[i].left(good[i].indexOf('.'));
    EXPECT_EQ(DecodedSize(out + "/thumbs/TH_" + base + ".png"), kinds[i].thumb) << good[i].toStdString();
    EXPECT_TRUE(QFile::exists(out + "/" + good[i])) << good[i].toStdString();  // full-size copy
  }
  EXPECT_FALSE(QFile::exists(out + "/thumbs/TH_broken.png"));
  EXPECT_FALSE(QFile::exists(out + "/thumbs/TH_hostile.png"));
  EXPECT_TRUE(QFile::exists(out + "/gallery1.htm"));
}

TEST(QuillmoraBatch, ASettingsFileGivesTheOptionsAndCommandLineOptionsOverrideThem) {
  QTemporaryDir dir;
  const QString out = dir.filePath("out");
  ASSERT_TRUE(QDir().mkpath(out));
  ASSERT_TRUE(testimages::Gradient(90, 60).save(dir.filePath("a.png")));
  SettingsRecord record = DefaultSettings();
  record.thumbWidth = 45;
  record.thumbHeight = 45;
  record.outputFormatIndex = 4;  // PNG
  record.prefix = QStringLiteral("S_");
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("qmsetup.dat"), EncodeSettings(record)));

  CliResult r = RunCli({"--settings", dir.filePath("qmsetup.dat"), "--dest", out, dir.path(), "a.png"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(DecodedSize(out + "/S_a.png"), QSize(45, 30));
  r = RunCli({"--settings", dir.filePath("qmsetup.dat"), "--width", "30", "--prefix", "W_", "--dest", out, dir.path(),
              "a.png"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(DecodedSize(out + "/W_a.png"), QSize(30, 20));
}
