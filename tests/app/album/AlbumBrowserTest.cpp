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
#include <algorithm>
#include <cctype>

#include "app/album/AlbumPages.h"
#include "app/album/ImagePages.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"
#include "tests/support/TestImages.h"

namespace {

// The local file a resolved file: address names (what comes before any query
// or fragment), or an empty text. Decoded the way the browser reads a file
// address: "%" and two hex digits is a byte, any other "%" stays. (QUrl takes a
// stray "%" as a sign that nothing in the address is encoded.)
QString LocalFile(const QString& address) {
  const QLatin1String scheme("file://");
  if (!address.startsWith(scheme)) return QString();
  QByteArray path = address.mid(scheme.size()).toUtf8();
  for (const char stop : {'?', '#'}) {
    const qsizetype at = path.indexOf(stop);
    if (at >= 0) path.truncate(at);
  }
  QByteArray bytes;
  for (qsizetype i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() && std::isxdigit(static_cast<unsigned char>(path[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(path[i + 2]))) {
      bytes += static_cast<char>(path.mid(i + 1, 2).toInt(nullptr, 16));
      i += 2;
    } else {
      bytes += path[i];
    }
  }
  return QString::fromUtf8(bytes);
}

// What the browser tests need, or why they cannot run (empty when they can).
std::string MissingBrowserTool(QString* chromium, QString* python) {
  *chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
  *python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (!chromium->isEmpty() && !python->isEmpty()) return std::string();
  return std::string(chromium->isEmpty() ? "chromium" : "python3") +
         " is not installed; install it with `apt-get install chromium python3` (scripts/build.sh installs the "
         "packages in scripts/test-packages.txt)";
}

// Fails under CI, skips with the reason elsewhere.
#define REQUIRE_TOOL(missing)                           \
  if (!(missing).empty()) {                             \
    if (qgetenv("CI") == "true") FAIL() << (missing);   \
    GTEST_SKIP() << (missing);                          \
  }

TEST(AlbumInBrowser, ImagesLoadLinksResolveAndTextsReadRight) {
  QString chromium;
  QString python;
  REQUIRE_TOOL(MissingBrowserTool(&chromium, &python));

  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString sourceFolder = root.filePath(QStringLiteral("source"));
  const QString albumFolder = root.filePath(QStringLiteral("album"));
  // Folder and page names that a link must escape too.
  const QString thumbFolder = albumFolder + QStringLiteral("/thumbs #1%41");
  ASSERT_TRUE(QDir().mkpath(sourceFolder));
  ASSERT_TRUE(QDir().mkpath(thumbFolder));

  // Names a browser reads as they are, and names whose links must be
  // percent-encoded to reach the file: fragment, query, backslash, "%XX",
  // controls, blanks at the ends, a scheme-like start.
  const QStringList sources = {
      QStringLiteral("beach day.png"),       QStringLiteral("my%20photo.png"),   QStringLiteral("fish & chips.jpg"),
      QStringLiteral("say \"cheese\".png"),  QStringLiteral("caf\u00E9.bmp"),     QStringLiteral("\u0444\u043E\u0442\u043E.png"),
      QStringLiteral("a<b>c.png"),           QStringLiteral("a#1.jpg"),          QStringLiteral("what?.jpg"),
      QStringLiteral("back\\slash.jpg"),     QStringLiteral("50%25off.jpg"),     QStringLiteral("%41 %zz 100%.png"),
      QStringLiteral("%2e%2e.png"),          QStringLiteral("tab\there.png"),    QStringLiteral("line\nend.png"),
      QStringLiteral("c1\u0085x.png"),       QStringLiteral("del\x7F esc\x1B.png"), QStringLiteral("photo:1.png"),
      QStringLiteral(" lead.png"),           QStringLiteral("end blank.png "),   QString::fromUtf8("\xE2\x82\xAC sun \xF0\x9F\x8C\x9E.png"),
      QStringLiteral("p12.tar.png"),         QStringLiteral("it's (1) +[2]=!~;,@$.png"),
  };
  AlbumOptions options;
  options.rowsPerPage = 3;
  options.columnsPerRow = 4;
  options.thumbFolderName = QStringLiteral("thumbs #1%41");
  options.pageFileName = QStringLiteral("page?");
  options.pageTitle = QStringLiteral("\u00C9t\u00E9 \u0444\u043E\u0442\u043E ");
  const int perPage = options.rowsPerPage * options.columnsPerRow;
  const int pageCount = (static_cast<int>(sources.size()) + perPage - 1) / perPage;
  ASSERT_EQ(pageCount, 2);

  // Sources, their copies beside the pages, and thumbnails made by the engine.
  ThumbStage stage;
  QStringList thumbnails;
  QStringList bases;
  for (int i = 0; i < sources.size(); ++i) {
    const QString sourcePath = sourceFolder + QLatin1Char('/') + sources[i];
    const QByteArray format = sources[i].section(QLatin1Char('.'), -1).trimmed().toUpper().toLatin1();
    ASSERT_TRUE(testimages::Gradient(90 + 5 * i, 60 + 3 * i).save(sourcePath, format.constData()))
        << sourcePath.toStdString();
    ASSERT_TRUE(QFile::copy(sourcePath, albumFolder + QLatin1Char('/') + sources[i]));
    const QString base = sources[i].section(QLatin1Char('.'), 0, 0);
    bases << base;
    thumbnails << base + QStringLiteral(".jpg");
    ASSERT_TRUE(LoadImageFile(sourcePath, stage.PicLoad)) << sourcePath.toStdString();
    ComposePlainThumb(stage, 120, 120, kResizeKeepAspect, ResampleFilter::Halftone);
    ASSERT_TRUE(SaveThumbCanvas(stage.picThumb, thumbFolder + QStringLiteral("/TH_") + base + QStringLiteral(".jpg"),
                                ImageFileFormat::Jpeg)
                    .ok());
  }
  const QFontMetrics metrics(QApplication::font());
  const AlbumWriteResult result =
      WriteAlbumPages(thumbnails, sources, albumFolder, QStringLiteral("TH_"), QString(), options, 200,
                      [&metrics](const QString& text) { return metrics.horizontalAdvance(text); });
  ASSERT_EQ(result.pagesWritten, pageCount);

  QStringList pages;
  for (int p = 1; p <= pageCount; ++p) pages << albumFolder + QStringLiteral("/page?%1.htm").arg(p);
  QStringList arguments = {QStringLiteral(QM_BROWSER_PROBE), chromium, root.filePath(QStringLiteral("profile"))};
  for (const QString& page : pages) arguments << QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
  QProcess probe;
  probe.start(python, arguments);
  ASSERT_TRUE(probe.waitForFinished(120000)) << "the browser did not finish";
  ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  const QList<QByteArray> lines = probe.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(lines.size(), pageCount);

  const QSet<QString> pageFiles(pages.begin(), pages.end());
  for (int p = 0; p < pageCount; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const QJsonObject facts = QJsonDocument::fromJson(lines[p]).object();
    EXPECT_EQ(facts[QStringLiteral("title")].toString(), QStringLiteral("\u00C9t\u00E9 \u0444\u043E\u0442\u043E%1").arg(p + 1));
    const int first = p * perPage;
    const int cells = std::min(perPage, static_cast<int>(sources.size()) - first);

    const QJsonArray images = facts[QStringLiteral("images")].toArray();
    ASSERT_EQ(images.size(), cells);
    for (int k = 0; k < cells; ++k) {
      const QJsonObject image = images[k].toObject();
      const QString file = LocalFile(image[QStringLiteral("src")].toString());
      EXPECT_GT(image[QStringLiteral("naturalWidth")].toInt(), 0) << file.toStdString();
      EXPECT_EQ(file, thumbFolder + QStringLiteral("/TH_") + bases[first + k] + QStringLiteral(".jpg"));
      // The alternative text is the entry as written ("%20" kept visible as
      // "%2520"); C1 controls there are page bytes the browser reads otherwise.
      if (!thumbnails[first + k].contains(QChar(0x85))) {
        EXPECT_EQ(image[QStringLiteral("alt")].toString(),
                  QString(thumbnails[first + k]).replace(QStringLiteral("%20"), QStringLiteral("%2520")));
      }
    }

    // The image links, then the page index.
    const QJsonArray links = facts[QStringLiteral("links")].toArray();
    ASSERT_EQ(links.size(), cells + pageCount);
    for (int k = 0; k < cells; ++k) {
      const QString file = LocalFile(links[k].toString());
      EXPECT_EQ(file, albumFolder + QLatin1Char('/') + sources[first + k]) << links[k].toString().toStdString();
      EXPECT_TRUE(QFileInfo(file).isFile()) << links[k].toString().toStdString();
    }
    for (int i = 0; i < pageCount; ++i) {
      const QString file = LocalFile(links[cells + i].toString());
      EXPECT_EQ(file, pages[i]);
      EXPECT_TRUE(pageFiles.contains(file) && QFileInfo(file).isFile());
    }

    // Thumbnail cells have no text; caption cells carry the base names.
    QStringList captions;
    for (const QJsonValue& cell : facts[QStringLiteral("cells")].toArray())
      if (!cell.toString().isEmpty()) captions << cell.toString();
    ASSERT_EQ(captions.size(), cells);
    for (int k = 0; k < cells; ++k) {
      if (!bases[first + k].contains(QChar(0x85))) {
        EXPECT_EQ(captions[k], bases[first + k]);
      }
    }
  }
}

// An image page in the middle of three, at a phone's and a desktop's size: no
// sideways scrolling, the image inside the window, every address reaching a
// file, no accessibility violation, and the keys and a swipe move as labelled.
TEST(AlbumInBrowser, WebpAndAvifThumbnailsShowInTheBrowser) {
  QString chromium;
  QString python;
  REQUIRE_TOOL(MissingBrowserTool(&chromium, &python));
  QTemporaryDir root;
  const QString albumFolder = root.filePath(QStringLiteral("album"));
  ASSERT_TRUE(QDir().mkpath(albumFolder + QStringLiteral("/thumbs")));
  const struct {
    ImageFileFormat format;
    const char* extension;
  } formats[] = {{ImageFileFormat::Webp, ".webp"}, {ImageFileFormat::Avif, ".avif"}};
  ThumbStage stage;
  QStringList thumbnails;
  QStringList sources;
  for (const auto& f : formats) {
    const QString base = QStringLiteral("photo") + QLatin1String(f.extension).mid(1);
    sources << base + QStringLiteral(".png");
    thumbnails << base + QLatin1String(f.extension);
    ASSERT_TRUE(testimages::Gradient(160, 100).save(albumFolder + QLatin1Char('/') + sources.last()));
    stage.PicLoad.setImage(testimages::Gradient(160, 100));
    ComposePlainThumb(stage, 120, 120, kResizeKeepAspect, ResampleFilter::Halftone);
    ASSERT_TRUE(SaveThumbCanvas(stage.picThumb, albumFolder + QStringLiteral("/thumbs/TH_") + thumbnails.last(), f.format)
                    .ok());
  }
  const QFontMetrics metrics(QApplication::font());
  ASSERT_EQ(WriteAlbumPages(thumbnails, sources, albumFolder, QStringLiteral("TH_"), QString(), AlbumOptions(), 120,
                            [&metrics](const QString& text) { return metrics.horizontalAdvance(text); })
                .pagesWritten,
            1);
  QProcess probe;
  probe.start(python, {QStringLiteral(QM_BROWSER_PROBE), chromium, root.filePath(QStringLiteral("profile")),
                       QUrl::fromLocalFile(albumFolder + QStringLiteral("/gallery1.htm")).toString(QUrl::FullyEncoded)});
  ASSERT_TRUE(probe.waitForFinished(120000)) << "the browser did not finish";
  ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  const QJsonArray images =
      QJsonDocument::fromJson(probe.readAllStandardOutput().trimmed()).object()[QStringLiteral("images")].toArray();
  ASSERT_EQ(images.size(), 2);
  for (const QJsonValue& image : images)  // a format the browser cannot show has no natural size
    EXPECT_EQ(image.toObject()[QStringLiteral("naturalWidth")].toInt(), 120)
        << image.toObject()[QStringLiteral("src")].toString().toStdString();
}

TEST(AlbumInBrowser, ImagePageFitsEveryWindowPassesTheAuditAndMovesByKey) {
  QString chromium;
  QString python;
  REQUIRE_TOOL(MissingBrowserTool(&chromium, &python));
  REQUIRE_TOOL(QFileInfo::exists(QStringLiteral(QM_AXE_JS))
                   ? std::string()
                   : std::string("axe-core is not installed; scripts/build.sh installs it with npm into build/node"));
  QTemporaryDir root;
  const QString album = root.filePath(QStringLiteral("album"));
  ASSERT_TRUE(QDir().mkpath(album + QStringLiteral("/images")));
  // Copies larger than either window, the middle one tall; originals beside the pages.
  const QStringList bases = {QStringLiteral("wide"), QStringLiteral("tall #1 %41"), QString::fromUtf8("sun \xF0\x9F\x8C\x9E")};
  const QSize copies[] = {{2000, 1333}, {900, 1600}, {800, 600}};
  QStringList sources;
  QStringList thumbnails;
  for (int i = 0; i < 3; ++i) {
    sources << bases[i] + QStringLiteral(".png");
    thumbnails << bases[i] + QStringLiteral(".jpg");
    ASSERT_TRUE(testimages::Gradient(60, 40).save(album + QLatin1Char('/') + sources[i]));
    ASSERT_TRUE(testimages::Gradient(copies[i].width(), copies[i].height()).save(album + "/images/" + thumbnails[i]));
  }
  AlbumOptions options;
  options.createFullsizePages = true;
  options.pageColor = 0x203040;  // a dark page: the text turns light
  options.headerColor = 0x80FFFF;
  ASSERT_EQ(WriteAlbumPages(thumbnails, sources, album, QStringLiteral("TH_"), QString(), options, 120,
                            [](const QString& t) { return 7 * static_cast<int>(t.size()); }).pagesWritten, 4);
  const auto page = [&](int k) { return album + QLatin1Char('/') + ImagePageFileName(options, k); };

  QProcess probe;
  probe.start(python, {QStringLiteral(QM_IMAGE_PAGE_PROBE), chromium, root.filePath(QStringLiteral("profile")),
                       QStringLiteral(QM_AXE_JS), QUrl::fromLocalFile(page(2)).toString(QUrl::FullyEncoded)});
  ASSERT_TRUE(probe.waitForFinished(120000)) << "the browser did not finish";
  ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  const QList<QByteArray> lines = probe.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 3);
  for (const int width : {360, 1920}) {
    SCOPED_TRACE(width);
    const QJsonObject facts = QJsonDocument::fromJson(lines[width == 360 ? 0 : 1]).object();
    const QJsonObject image = facts[QStringLiteral("image")].toObject();
    EXPECT_EQ(facts[QStringLiteral("innerWidth")].toInt(), width);
    EXPECT_LE(facts[QStringLiteral("scrollWidth")].toInt(), width);
    EXPECT_EQ(image[QStringLiteral("naturalWidth")].toInt(), 900);
    EXPECT_GE(image[QStringLiteral("left")].toDouble(), 0);
    EXPECT_LE(image[QStringLiteral("right")].toDouble(), width);
    EXPECT_LE(image[QStringLiteral("bottom")].toDouble(), facts[QStringLiteral("innerHeight")].toInt());
    EXPECT_EQ(facts[QStringLiteral("charset")].toString(), QStringLiteral("UTF-8"));
    EXPECT_EQ(facts[QStringLiteral("title")].toString(), QStringLiteral("tall #1 %41.png (2 of 3) - Gallery"));
    for (const QJsonValue address : facts[QStringLiteral("addresses")].toArray())
      EXPECT_TRUE(QFileInfo(LocalFile(address.toString())).isFile()) << address.toString().toStdString();
    const QJsonArray violations = facts[QStringLiteral("violations")].toArray();
    EXPECT_TRUE(violations.isEmpty()) << QJsonDocument(violations).toJson().toStdString();
  }
  const QJsonObject moves = QJsonDocument::fromJson(lines[2]).object();
  const std::pair<const char*, QString> expected[] = {
      {"ArrowRight", page(3)}, {"ArrowLeft", page(1)}, {"Home", page(1)},
      {"End", page(3)},        {"Escape", album + QStringLiteral("/gallery1.htm")}, {"swipe", page(3)},
  };
  for (const auto& [key, target] : expected) EXPECT_EQ(LocalFile(moves[QLatin1String(key)].toString()), target) << key;
}

}  // namespace
