// An album written from real thumbnails, opened from disk in headless Chromium:
// every image loads, every link reaches a file, titles and captions read right.
#include <gtest/gtest.h>

#include "tests/app/album/QStringPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "app/album/AlbumPages.h"
#include "app/engine/MFreeImage_2.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"
#include "tests/support/TestImages.h"

namespace {

// The local file a resolved file: address names, or an empty text.
QString LocalFile(const QString& address) {
  const QUrl url(address);
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

TEST(AlbumInBrowser, ImagesLoadLinksResolveAndTextsReadRight) {
  const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (chromium.isEmpty() || python.isEmpty()) {
    const std::string message =
        std::string(chromium.isEmpty() ? "chromium" : "python3") +
        " is not installed; install it with `apt-get install chromium python3` (scripts/build.sh installs the "
        "packages in scripts/test-packages.txt)";
    if (qgetenv("CI") == "true") FAIL() << message;
    GTEST_SKIP() << message;
  }

  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString sourceFolder = root.filePath(QStringLiteral("source"));
  const QString albumFolder = root.filePath(QStringLiteral("album"));
  ASSERT_TRUE(QDir().mkpath(sourceFolder));
  ASSERT_TRUE(QDir().mkpath(albumFolder + QStringLiteral("/thumbs")));

  const QStringList sources = {
      QStringLiteral("beach day.png"),     QStringLiteral("my%20photo.png"), QStringLiteral("fish & chips.jpg"),
      QStringLiteral("say \"cheese\".png"), QStringLiteral("caf\u00E9.bmp"),   QStringLiteral("\u0444\u043E\u0442\u043E.png"),
      QStringLiteral("a<b>c.png"),         QStringLiteral("p08.png"),        QStringLiteral("p09.jpg"),
      QStringLiteral("p10.png"),           QStringLiteral("p11.png"),        QStringLiteral("p12.tar.png"),
  };
  AlbumOptions options;
  options.rowsPerPage = 2;
  options.columnsPerRow = 3;
  options.pageTitle = QStringLiteral("\u00C9t\u00E9 \u0444\u043E\u0442\u043E ");

  // Sources, their copies beside the pages, and thumbnails made by the engine.
  ThumbStage stage;
  QStringList thumbnails;
  QStringList bases;
  for (int i = 0; i < sources.size(); ++i) {
    const QString sourcePath = sourceFolder + QLatin1Char('/') + sources[i];
    ASSERT_TRUE(testimages::Gradient(90 + 10 * i, 60 + 5 * i).save(sourcePath)) << sourcePath.toStdString();
    ASSERT_TRUE(QFile::copy(sourcePath, albumFolder + QLatin1Char('/') + sources[i]));
    const QString base = sources[i].section(QLatin1Char('.'), 0, 0);
    bases << base;
    thumbnails << base + QStringLiteral(".jpg");
    ASSERT_TRUE(LoadImageFile(sourcePath, stage.PicLoad)) << sourcePath.toStdString();
    ComposePlainThumb(stage, 120, 120, kResizeKeepAspect, kResampleHalftone);
    ASSERT_EQ(SaveThumbCanvas(stage.picThumb, albumFolder + QStringLiteral("/thumbs/TH_") + base + QStringLiteral(".jpg"),
                              FIF_JPEG),
              kSaveOk);
  }
  const QFontMetrics metrics(QApplication::font());
  const AlbumWriteResult result =
      WriteAlbumPages(thumbnails, sources, albumFolder, QStringLiteral("TH_"), QString(), options, 200,
                      [&metrics](const QString& text) { return metrics.horizontalAdvance(text); });
  ASSERT_EQ(result.pagesWritten, 2);

  const QStringList pages = {albumFolder + QStringLiteral("/gallery1.htm"), albumFolder + QStringLiteral("/gallery2.htm")};
  QStringList arguments = {QStringLiteral(QM_BROWSER_PROBE), chromium, root.filePath(QStringLiteral("profile"))};
  for (const QString& page : pages) arguments << QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
  QProcess probe;
  probe.start(python, arguments);
  ASSERT_TRUE(probe.waitForFinished(120000)) << "the browser did not finish";
  ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  const QList<QByteArray> lines = probe.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2);

  const QSet<QString> pageFiles(pages.begin(), pages.end());
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const QJsonObject facts = QJsonDocument::fromJson(lines[p]).object();
    EXPECT_EQ(facts[QStringLiteral("title")].toString(), QStringLiteral("\u00C9t\u00E9 \u0444\u043E\u0442\u043E%1").arg(p + 1));

    const QJsonArray images = facts[QStringLiteral("images")].toArray();
    ASSERT_EQ(images.size(), 6);
    for (int k = 0; k < 6; ++k) {
      const QJsonObject image = images[k].toObject();
      const QString file = LocalFile(image[QStringLiteral("src")].toString());
      EXPECT_GT(image[QStringLiteral("naturalWidth")].toInt(), 0) << file.toStdString();
      EXPECT_EQ(file, albumFolder + QStringLiteral("/thumbs/TH_") + bases[6 * p + k] + QStringLiteral(".jpg"));
      // The alternative text is the entry as the link writes it ("%20" kept visible as "%2520").
      EXPECT_EQ(image[QStringLiteral("alt")].toString(),
                QString(thumbnails[6 * p + k]).replace(QStringLiteral("%20"), QStringLiteral("%2520")));
    }

    // Six image links, then the page index.
    const QJsonArray links = facts[QStringLiteral("links")].toArray();
    ASSERT_EQ(links.size(), 8);
    for (int k = 0; k < 6; ++k) {
      const QString file = LocalFile(links[k].toString());
      EXPECT_EQ(file, albumFolder + QLatin1Char('/') + sources[6 * p + k]);
      EXPECT_TRUE(QFileInfo(file).isFile()) << links[k].toString().toStdString();
    }
    for (int i = 0; i < 2; ++i) {
      const QString file = LocalFile(links[6 + i].toString());
      EXPECT_EQ(file, pages[i]);
      EXPECT_TRUE(pageFiles.contains(file) && QFileInfo(file).isFile());
    }

    // Thumbnail cells have no text; caption cells carry the base names.
    QStringList captions;
    for (const QJsonValue& cell : facts[QStringLiteral("cells")].toArray())
      if (!cell.toString().isEmpty()) captions << cell.toString();
    EXPECT_EQ(captions, bases.mid(6 * p, 6));
  }
}

}  // namespace
