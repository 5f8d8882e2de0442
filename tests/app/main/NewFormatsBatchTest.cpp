// Today's camera and web formats make thumbnails of the right size and way up,
// from quillmora-batch and in the window's own decoding, each file made by
// the tool that writes its format.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "platform/drawing/Surface.h"
#include "tests/support/FormatSamples.h"

namespace {

// 480 x 320: red top-left quadrant on blue, so a turned or mirrored result shows.
QImage Marked() {
  QImage image(480, 320, QImage::Format_RGB32);
  image.fill(QColor(40, 90, 200));
  QPainter(&image).fillRect(0, 0, 240, 160, QColor(220, 30, 30));
  return image;
}

bool IsRed(QRgb c) { return qRed(c) > 150 && qBlue(c) < 110 && qGreen(c) < 110; }
bool IsBlue(QRgb c) { return qBlue(c) > 150 && qRed(c) < 110; }

}  // namespace

TEST(NewFormats, EachFormatGivesAThumbnailOfTheRightSizeAndWayUp) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  const QString out = dir.filePath("out");
  ASSERT_TRUE(QDir().mkpath(src) && QDir().mkpath(out));
  struct Case {
    const char* name;
    bool turned;  // stored sideways with an orientation of 6 (turn right to show)
  };
  const Case cases[] = {
      {"webp.webp", false}, {"jp2.jp2", false}, {"j2k.j2k", false},  {"heic.heic", false},
      {"avif.avif", false}, {"jxl.jxl", false}, {"exr.exr", false},
      {"preview.dng", true},  // the embedded preview is large enough
      {"mosaic.dng", false},  // its preview is too small: demosaicked
  };
  const QImage marked = Marked();
  for (const Case& c : cases) {
    const QString path = src + "/" + c.name;
    QString why;
    if (QString(c.name) == "preview.dng")
      ASSERT_TRUE(formatsamples::WriteDng(marked, marked.size(), 6, path));
    else if (QString(c.name) == "mosaic.dng")
      ASSERT_TRUE(formatsamples::WriteDng(marked, QSize(24, 16), 1, path));
    else
      ASSERT_TRUE(formatsamples::Write(marked, path, &why)) << why.toStdString();
  }

  QProcess batch;
  batch.start(QStringLiteral(QUILLMORA_BATCH_PATH),
              {src, "--dest", out, "--mask", "0", "--width", "120", "--height", "120"});
  ASSERT_TRUE(batch.waitForFinished(60000));
  EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();

  ConfigureSharedDecoder({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QSize upright = c.turned ? QSize(320, 480) : QSize(480, 320);
    Surface picLoad;
    ASSERT_TRUE(LoadImageFile(src + "/" + c.name, picLoad));
    EXPECT_EQ(picLoad.image().size(), upright);

    const QImage thumb(out + "/TH_" + QFileInfo(c.name).completeBaseName() + ".jpg");
    ASSERT_FALSE(thumb.isNull());
    EXPECT_EQ(thumb.size(), upright.scaled(120, 120, Qt::KeepAspectRatio));
    // The red quadrant ends up top right when the picture was turned right.
    const QPoint red = c.turned ? QPoint(thumb.width() - 10, 10) : QPoint(10, 10);
    const QPoint blue = c.turned ? QPoint(10, 10) : QPoint(thumb.width() - 10, 10);
    EXPECT_TRUE(IsRed(thumb.pixel(red))) << std::hex << thumb.pixel(red);
    EXPECT_TRUE(IsBlue(thumb.pixel(blue))) << std::hex << thumb.pixel(blue);
    EXPECT_TRUE(IsBlue(thumb.pixel(thumb.width() - 10, thumb.height() - 10)));
  }
}

TEST(NewFormats, WebpAndAvifThumbnailsDecodeAgainAtTheirSizeAndTheAlbumLinksThem) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  ASSERT_TRUE(QDir().mkpath(src));
  QString why;
  ASSERT_TRUE(formatsamples::Write(Marked(), src + "/photo.jpg", &why)) << why.toStdString();
  ConfigureSharedDecoder({});
  const struct {
    const char* format;
    const char* extension;
  } cases[] = {{"7", ".webp"}, {"8", ".avif"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.extension);
    const QString out = dir.filePath(QStringLiteral("out%1").arg(c.format));
    ASSERT_TRUE(QDir().mkpath(out));
    QProcess batch;
    batch.start(QStringLiteral(QUILLMORA_BATCH_PATH), {src, "--dest", out, "--format", c.format, "--album"});
    ASSERT_TRUE(batch.waitForFinished(60000));
    EXPECT_EQ(batch.exitCode(), 0) << batch.readAllStandardError().toStdString();
    const QString thumb = QStringLiteral("thumbs/TH_photo") + c.extension;
    Surface picLoad;
    ASSERT_TRUE(LoadImageFile(out + "/" + thumb, picLoad));
    EXPECT_EQ(picLoad.image().size(), QSize(120, 80));  // the default 120 x 120 box
    EXPECT_TRUE(IsRed(picLoad.image().pixel(5, 5)));
    QFile page(out + "/gallery1.htm");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains(thumb.toLatin1()));
  }
}

TEST(NewFormats, DamagedFilesFailOneEachWithTheirFormatAndLeaveNoDecoder) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  const QString out = dir.filePath("out");
  ASSERT_TRUE(QDir().mkpath(src) && QDir().mkpath(out));
  const QDir hostile(QStringLiteral(HOSTILE_DIR));
  const QStringList damaged = hostile.entryList({"heic-*", "avif-*", "webp-*", "jp2-*", "dng-*"}, QDir::Files);
  ASSERT_GE(damaged.size(), 10) << "hostile samples missing from " << HOSTILE_DIR;
  for (const QString& name : damaged) ASSERT_TRUE(QFile::copy(hostile.filePath(name), src + "/" + name));
  QString why;
  ASSERT_TRUE(formatsamples::Write(Marked(), src + "/good.webp", &why)) << why.toStdString();

  // Every process the run starts inherits this mark, so a decoder left behind is found.
  const QByteArray mark = "QM_NEW_FORMATS_RUN=" + QByteArray::number(QCoreApplication::applicationPid());
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QM_NEW_FORMATS_RUN", QString::number(QCoreApplication::applicationPid()));
  QProcess batch;
  batch.setProcessEnvironment(environment);
  batch.start(QStringLiteral(QUILLMORA_BATCH_PATH), {src, "--dest", out, "--mask", "0"});
  ASSERT_TRUE(batch.waitForFinished(60000));
  EXPECT_EQ(batch.exitCode(), 1);
  const QStringList failures = QString::fromUtf8(batch.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(failures.size(), damaged.size()) << failures.join('\n').toStdString();
  for (const QString& name : damaged) {
    const QString ext = QFileInfo(name).suffix();
    const QString kind = ext == "jp2" ? "JPEG 2000" : ext == "webp" ? "WebP" : ext.toUpper();
    const bool named = failures.filter(name + ": ").size() == 1;
    EXPECT_TRUE(named) << name.toStdString();
    // A damaged container says what it is; a DNG is TIFF inside, so it is told by its name only.
    if (named && ext != "dng") {
      const QString text = failures.filter(name + ": ").first();
      EXPECT_TRUE(text.contains("this is a" + QString(ext == "avif" ? "n " : " ") + kind)) << text.toStdString();
    }
  }
  EXPECT_TRUE(QFile::exists(out + "/TH_good.jpg"));

  QThread::msleep(100);  // a decoder killed with its parent needs a moment to go
  for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
    QFile environ("/proc/" + pid + "/environ");
    if (pid.toInt() > 0 && environ.open(QIODevice::ReadOnly)) {
      EXPECT_FALSE(environ.readAll().split('\0').contains(mark)) << "process " << pid.toStdString() << " left behind";
    }
  }
}
