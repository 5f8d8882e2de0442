#include <gtest/gtest.h>

#include <FreeImage.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include <QDir>
#include <QDirIterator>
#include <QProcessEnvironment>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/engine/BatchRun.h"
#include "app/engine/FileMasks.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "app/main/HeadlessBatchHost.h"
#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"
#include "app/settings/SettingsFormat.h"
#include "app/settings/SettingsRecord.h"
#include "tests/app/main/BatchCli.h"
#include "tests/support/TestImages.h"

namespace {

QSize DecodedSize(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(name.constData(), 0);
  FiBitmap bitmap(fif == FIF_UNKNOWN ? nullptr : FreeImage_Load(fif, name.constData(), 0));
  return bitmap ? QSize(FreeImage_GetWidth(bitmap.get()), FreeImage_GetHeight(bitmap.get())) : QSize();
}

// One file of every input kind FreeImage can write here, each 90 x 60 (icons
// 48 x 48), with the thumbnail size it must get.
struct GoodKind {
  QString name;
  QSize thumb;
};
std::vector<GoodKind> WriteEveryKind(const QString& src) {
  struct Kind { FREE_IMAGE_FORMAT fif; const char* ext; int bpp; QSize thumb; };
  const Kind kinds[] = {
      {FIF_BMP, "bmp", 24, {120, 80}}, {FIF_PNG, "png", 24, {120, 80}}, {FIF_JPEG, "jpg", 24, {120, 80}},
      {FIF_TIFF, "tiff", 24, {120, 80}}, {FIF_TARGA, "tga", 24, {120, 80}}, {FIF_GIF, "gif", 8, {120, 80}},
      {FIF_PPM, "ppm", 24, {120, 80}}, {FIF_PGM, "pgm", 8, {120, 80}}, {FIF_XPM, "xpm", 24, {120, 80}},
      {FIF_ICO, "ico", 24, {120, 120}}, {FIF_PBM, "pbm", 1, {120, 80}}, {FIF_WBMP, "wbmp", 1, {120, 80}},
  };
  std::vector<GoodKind> written;
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
    EXPECT_TRUE(FreeImage_Save(k.fif, converted.get(), QFile::encodeName(QDir(src).filePath(name)).constData(), 0))
        << k.ext;
    written.push_back({name, k.thumb});
  }
  return written;
}

}  // namespace

TEST(QuillmoraBatch, BadArgumentsExitWith2AndAMessage) {
  QTemporaryDir dir;
  struct Case { QStringList args; const char* says; } cases[] = {
      {{"--bogus", dir.path(), "--dest", dir.path()}, "unknown option --bogus"},
      {{dir.path(), "--dest", dir.path(), "--bogus"}, "unknown option --bogus"},  // last, with no value after it
      {{"--platform", "nosuch", dir.path(), "--dest", dir.path()}, "unknown option --platform"},  // never Qt's
      {{"-style", "fusion", dir.path(), "--dest", dir.path()}, "unknown option -style"},
      {{"--style", "abc", dir.path(), "--dest", dir.path()}, "--style must be a whole number from 0 to 3"},
      {{"--style", "4", dir.path(), "--dest", dir.path()}, "--style must be a whole number from 0 to 3"},
      {{"--prefix", "../", dir.path(), "--dest", dir.path()}, "prefix \"../\" cannot contain \"/\""},
      {{"--suffix", "a/b", dir.path(), "--dest", dir.path()}, "suffix \"a/b\" cannot contain \"/\""},
      {{dir.path(), "--dest"}, "--dest needs a value"},
      {{"--width", "5", dir.path(), "--dest", dir.path()}, "--width must be a whole number from 16 to 25000"},
      {{"--format", "9", dir.path(), "--dest", dir.path()}, "--format"},  // 7 and 8 are WebP and AVIF
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

  const std::vector<GoodKind> kinds = WriteEveryKind(src);
  QStringList good;
  for (const GoodKind& k : kinds) good << k.name;
  ASSERT_TRUE(testimages::WriteBytes(src + "/broken.jpg", QByteArray("\xFF\xD8\xFF\xE0 truncated", 15)));
  QStringList bad{"broken.jpg"};
  const QString hostile = QStringLiteral(HOSTILE_DIR) + "/psd-segv-1c31.psd";
  ASSERT_TRUE(QFile::copy(hostile, src + "/hostile.psd")) << "hostile sample files not found at " << HOSTILE_DIR;
  bad << "hostile.psd";

  const CliResult r = RunCli({"--album", "--dest", out, "--format", "4", src});
  EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
  const int total = static_cast<int>(good.size() + bad.size());
  EXPECT_TRUE(r.out.contains(QStringLiteral("Processing 1 of %1\n").arg(total)));
  EXPECT_TRUE(r.out.endsWith(QStringLiteral("Completed %1 of %1 images, %2 failed\n").arg(total).arg(bad.size())))
      << r.out.toStdString();
  for (int i = 0; i < static_cast<int>(kinds.size()); ++i) {
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

namespace {

QImage ImageOf(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  const FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(name.constData(), 0);
  FiBitmap bitmap(fif == FIF_UNKNOWN ? nullptr : FreeImage_Load(fif, name.constData(), 0));
  return ImageOf(PixelsFromBitmap(bitmap.get()));
}

bool Near(QRgb pixel, QRgb expected) {
  return std::abs(qRed(pixel) - qRed(expected)) < 40 && std::abs(qGreen(pixel) - qGreen(expected)) < 40 &&
         std::abs(qBlue(pixel) - qBlue(expected)) < 40;
}

}  // namespace

// Every documented option changes the output it names: each case runs on a
// fresh folder holding a.png (300 x 200) and b.jpg (90 x 60) and checks what
// was written.
TEST(QuillmoraBatch, EveryOptionChangesWhatItNames) {
  QTemporaryDir dir;
  const QString bg = dir.filePath("bg.png");
  ASSERT_TRUE(testimages::Solid(200, 200, QColor(0, 255, 0)).save(bg));
  SettingsRecord record = DefaultSettings();
  record.thumbWidth = record.thumbHeight = 60;
  record.outputFormatIndex = 4;
  record.prefix = QStringLiteral("S_");
  record.alwaysCreateHtml = kFlagOn;
  record.thumbFolderName = QStringLiteral("small");
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("qmsetup.dat"), EncodeSettings(record)));

  struct Case {
    const char* name;
    QStringList args;  // after the source folder; "OUT" and "SRC" stand for the two folders
    std::function<void(const QString& src, const QString& out)> check;
  };
  const auto size = [](const QString& path) { return ImageOf(path).size(); };
  const std::vector<Case> cases{
      {"plain", {"--dest", "OUT"},
       [&](auto, auto out) {
         EXPECT_EQ(FilesUnder(out), (QStringList{"TH_a.jpg", "TH_b.jpg"}));
         EXPECT_EQ(size(out + "/TH_a.jpg"), QSize(120, 80));
       }},
      {"--width", {"--dest", "OUT", "--width", "60"}, [&](auto, auto out) { EXPECT_EQ(size(out + "/TH_a.jpg"), QSize(60, 40)); }},
      {"--height", {"--dest", "OUT", "--width", "300", "--height", "40"},
       [&](auto, auto out) { EXPECT_EQ(size(out + "/TH_a.jpg"), QSize(60, 40)); }},
      {"--mode", {"--dest", "OUT", "--mode", "2", "--width", "50", "--height", "50"},
       [&](auto, auto out) { EXPECT_EQ(size(out + "/TH_a.jpg"), QSize(50, 50)); }},
      {"--style", {"--dest", "OUT", "--style", "2"},
       [&](auto, auto out) {
         const QImage t = ImageOf(out + "/TH_a.jpg");
         EXPECT_EQ(t.size(), QSize(120, 120));  // the framed canvas, not the plain 120 x 80
         EXPECT_TRUE(Near(t.pixel(60, 8), 0xC0C0C0)) << std::hex << t.pixel(60, 8);  // the button face above the image
       }},
      {"--back-color", {"--dest", "OUT", "--style", "1", "--back-color", "0x0000FF"},
       [&](auto, auto out) { EXPECT_TRUE(Near(ImageOf(out + "/TH_a.jpg").pixel(60, 8), qRgb(255, 0, 0))); }},
      {"--back-image", {"--dest", "OUT", "--style", "1", "--back-image", bg},
       [&](auto, auto out) { EXPECT_TRUE(Near(ImageOf(out + "/TH_a.jpg").pixel(60, 8), qRgb(0, 255, 0))); }},
      {"--padding", {"--dest", "OUT", "--style", "1", "--padding", "40", "--format", "4"},
       [&](auto, auto out) {
         const QImage t = ImageOf(out + "/TH_a.png");
         EXPECT_EQ(t.pixel(10, 60), qRgb(192, 192, 192));  // background where the unpadded image would be
         EXPECT_NE(t.pixel(60, 60), qRgb(192, 192, 192));
       }},
      {"--filter", {"--dest", "OUT", "--filter", "4", "--format", "4", "--prefix", "F_"},
       [&](auto src, auto out) {
         ASSERT_EQ(RunCli({src, "a.png", "--dest", out, "--format", "4"}).exitCode, 0);  // "None" beside it
         EXPECT_NE(ImageOf(out + "/F_a.png"), ImageOf(out + "/TH_a.png"));
       }},
      {"--format", {"--dest", "OUT", "--format", "0"},
       [&](auto, auto out) { EXPECT_EQ(FilesUnder(out), (QStringList{"TH_a.bmp", "TH_b.bmp"})); }},
      {"--prefix --suffix", {"--dest", "OUT", "--prefix", "P_", "--suffix", "_s"},
       [&](auto, auto out) { EXPECT_EQ(FilesUnder(out), (QStringList{"P_a_s.jpg", "P_b_s.jpg"})); }},
      {"--mask", {"--dest", "OUT", "--mask", "17"}, [&](auto, auto out) { EXPECT_EQ(FilesUnder(out), QStringList{"TH_a.jpg"}); }},
      {"FILE", {"b.jpg", "--dest", "OUT"}, [&](auto, auto out) { EXPECT_EQ(FilesUnder(out), QStringList{"TH_b.jpg"}); }},
      {"--album", {"--dest", "OUT", "--album"},
       [&](auto, auto out) {
         EXPECT_EQ(FilesUnder(out),
                   (QStringList{"a.png", "b.jpg", "gallery1.htm", "thumbs/TH_a.jpg", "thumbs/TH_b.jpg"}));
       }},
      {"--image-pages --image-size", {"--dest", "OUT", "--album", "--image-pages", "--image-size", "200"},
       [&](auto, auto out) {
         EXPECT_EQ(FilesUnder(out), (QStringList{"a.png", "b.jpg", "gallery1.htm", "gallery_img0001.htm",
                                                 "gallery_img0002.htm", "images/a.jpg", "images/b.jpg",
                                                 "thumbs/TH_a.jpg", "thumbs/TH_b.jpg"}));
         EXPECT_EQ(size(out + "/images/a.jpg"), QSize(200, 133));
         EXPECT_EQ(size(out + "/images/b.jpg"), QSize(90, 60));  // never enlarged
       }},
      {"--auto-create", {"--auto-create"},
       [&](auto src, auto out) {
         EXPECT_TRUE(FilesUnder(out).isEmpty());
         EXPECT_EQ(FilesUnder(src + "/gallery"), (QStringList{"TH_a.jpg", "TH_b.jpg"}));
       }},
      {"--settings", {"--dest", "OUT", "--settings", dir.filePath("qmsetup.dat")},
       [&](auto, auto out) {
         EXPECT_TRUE(FilesUnder(out).contains("small/S_a.png"));  // "Always create HTML Gallery." from the file
         EXPECT_EQ(size(out + "/small/S_a.png"), QSize(60, 40));
       }},
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString src = dir.filePath(QStringLiteral("src%1").arg(n));
    const QString out = dir.filePath(QStringLiteral("out%1").arg(n++));
    ASSERT_TRUE(QDir().mkpath(src));
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(testimages::Gradient(300, 200).save(src + "/a.png"));
    ASSERT_TRUE(testimages::Gradient(90, 60).save(src + "/b.jpg", "JPEG"));
    QStringList args{src};
    for (const QString& a : c.args) args << (a == "OUT" ? out : a == "SRC" ? src : a);
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err.toStdString();
    c.check(src, out);
  }
  const CliResult help = RunCli({"--help"});
  for (const char* option : {"--dest", "--settings", "--mask", "--style", "--width", "--height", "--mode", "--filter",
                             "--padding", "--format", "--back-color", "--back-image", "--prefix", "--suffix",
                             "--album", "--image-pages", "--image-size", "--auto-create", "--help", "--version"})
    EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;  // every option tested above is documented
  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, QStringLiteral("quillmora-batch %1\n").arg(QUILLMORA_VERSION));
}

// The command line never opens a window: a desktop platform without a display,
// or Qt's own options, change nothing. Standard error carries only the
// program's own messages (none for a run without failures), also where there
// is no runtime folder (cron, ssh, containers), which Qt warns about.
TEST(QuillmoraBatch, RunsWithoutADisplayWhateverTheEnvironmentSays) {
  struct Case {
    const char* what;
    std::function<void(QProcessEnvironment&)> change;
  };
  const Case cases[] = {
      {"desktop platform without a display",
       [](QProcessEnvironment& env) {
         env.insert("QT_QPA_PLATFORM", "xcb");
         env.remove("DISPLAY");
         env.remove("WAYLAND_DISPLAY");
       }},
      {"no XDG_RUNTIME_DIR", [](QProcessEnvironment& env) { env.remove("XDG_RUNTIME_DIR"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    ASSERT_TRUE(testimages::Gradient(90, 60).save(dir.filePath("a.png")));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    c.change(env);
    const CliResult r =
        RunCli({dir.path(), "--dest", dir.path(), "--prefix", "x_"}, QStringLiteral(QUILLMORA_BATCH_PATH), env);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err.toStdString(), "");
    EXPECT_TRUE(QFile::exists(dir.filePath("x_a.jpg")));
  }
}

// Without its decoder the command line says why on standard error and exits 1.
TEST(QuillmoraBatch, AMissingDecoderIsOneClearLineAndExit1) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::Gradient(90, 60).save(dir.filePath("a.png")));
  const QString alone = dir.filePath("quillmora-batch");
  ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLMORA_BATCH_PATH), alone));
  const CliResult r = RunCli({dir.path(), "--dest", dir.path()}, alone);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("quillmora-batch: Images cannot be read: the image decoder")) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains("is missing")) << r.err.toStdString();
  EXPECT_TRUE(r.out.endsWith("Completed 1 of 1 images, 1 failed\n")) << r.out.toStdString();
}

// Album pages never replace a file the run was given, and a file named like a
// page is counted as failed rather than lost.
TEST(QuillmoraBatch, AlbumPagesNeverReplaceASourceFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::Gradient(90, 60).save(dir.filePath("a.png")));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath("gallery1.htm"), "my own page"));
  const CliResult r = RunCli({dir.path(), "--dest", dir.path(), "--album", "--mask", "28"});
  EXPECT_EQ(r.exitCode, 1);
  QFile page(dir.filePath("gallery1.htm"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_EQ(page.readAll(), QByteArray("my own page"));
  EXPECT_TRUE(r.out.endsWith("album not written\n")) << r.out.toStdString();
}

// Good images of every kind, every hostile sample and a slow file, with album
// output: every good thumbnail, copy and page is written, exactly the bad
// files fail, and the run reports failure. In-process, with a short decoder
// time limit, so the slow files cost half a second, not twenty.
TEST(QuillmoraBatch, AMixedFolderLosesNoGoodFileAndCountsExactlyTheBadOnes) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  const QString out = dir.filePath("out");
  ASSERT_TRUE(QDir().mkpath(src));
  ASSERT_TRUE(QDir().mkpath(out));
  const std::vector<GoodKind> kinds = WriteEveryKind(src);
  const QStringList hostile = QDir(QStringLiteral(HOSTILE_DIR)).entryList({QStringLiteral("*-*-*.*")}, QDir::Files);
  ASSERT_FALSE(hostile.isEmpty()) << "no hostile samples in " << HOSTILE_DIR;
  for (const QString& name : hostile)
    ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(HOSTILE_DIR)).filePath(name), src + "/" + name));
  DecoderSettings settings;
  settings.timeLimitMs = 500;
  ConfigureSharedDecoder(settings);

  QString outText, errText;
  QTextStream outStream(&outText), errStream(&errText);
  HeadlessBatchHost host(outStream, errStream);
  host.sourceFolder = src;
  host.destinationFolder = out;
  host.album = true;
  host.options.outputFormatIndex = 4;  // PNG
  host.selected = ListFolderFiles(src, QStringLiteral("*.*"));
  BatchRun run(host);
  run.Start();
  ConfigureSharedDecoder({});

  EXPECT_EQ(run.lastFailedCount(), hostile.size()) << errText.toStdString();
  EXPECT_FALSE(run.lastAlbumFailed());
  for (const GoodKind& k : kinds) {
    const QString base = k.name.left(k.name.indexOf('.'));
    EXPECT_EQ(DecodedSize(out + "/thumbs/TH_" + base + ".png"), k.thumb) << k.name.toStdString();
    EXPECT_TRUE(QFile::exists(out + "/" + k.name)) << k.name.toStdString();
  }
  for (const QString& name : hostile) {
    EXPECT_FALSE(QFile::exists(out + "/" + name)) << name.toStdString();
    EXPECT_TRUE(errText.contains(name + ": ")) << name.toStdString();
  }
  EXPECT_TRUE(QFile::exists(out + "/gallery1.htm"));
  EXPECT_TRUE(outText.endsWith(QStringLiteral("Completed %1 of %1 images, %2 failed\n")
                                   .arg(kinds.size() + hostile.size())
                                   .arg(hostile.size())))
      << outText.toStdString();
}

// A thumb folder name that comes to ".." once its blanks and control
// characters are trimmed is refused when the settings file is read: the
// thumbnails go into the default "thumbs" folder, never beside the destination.
TEST(QuillmoraBatch, ABlankLadenThumbFolderNameFromTheSettingsFileWritesNothingOutsideTheDestination) {
  for (const char* name : {"..\t", "..\r\n", "\t..", "..\v"}) {
    SCOPED_TRACE(QString::fromLatin1(name).toUtf8().toPercentEncoding().toStdString());
    QTemporaryDir dir;
    const QString src = dir.filePath("src");
    const QString dest = dir.filePath("dest");
    ASSERT_TRUE(QDir().mkpath(src) && QDir().mkpath(dest));
    ASSERT_TRUE(testimages::Gradient(90, 60).save(src + "/a.png"));
    SettingsRecord record = DefaultSettings();
    record.alwaysCreateHtml = kFlagOn;
    record.thumbFolderName = QString::fromLatin1(name);
    ASSERT_TRUE(testimages::WriteBytes(dir.filePath("qmsetup.dat"), EncodeSettings(record)));

    const CliResult r = RunCli({"--settings", dir.filePath("qmsetup.dat"), "--dest", dest, src});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(FilesUnder(dir.path()),
              QStringList({"dest/1.htm", "dest/a.png", "dest/thumbs/a.bmp", "qmsetup.dat", "src/a.png"}));
  }
}
