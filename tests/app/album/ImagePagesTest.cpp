// Image pages as files: navigation at the ends and in the middle, the album
// page each one returns to, hostile names, the original shown where a copy
// is missing.
#include <gtest/gtest.h>

#include "tests/app/album/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/album/ImagePages.h"

namespace {

// Image pages are UTF-8; album pages single-byte.
QString ReadPage(const QString& path, bool utf8 = true) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  const QByteArray bytes = file.readAll();
  if (!utf8) return QString::fromLatin1(bytes);
  const QString text = QString::fromUtf8(bytes);
  return text.toUtf8() == bytes ? text : QStringLiteral("<not UTF-8>");
}

// The href of the link with this id, or empty when the page has none.
QString LinkOf(const QString& page, const char* id) {
  const QRegularExpression link(QStringLiteral("id=\"%1\" href=\"([^\"]*)\"").arg(QLatin1String(id)));
  return link.match(page).captured(1);
}

QStringList Numbered(const char* pattern, int count) {
  QStringList names;
  for (int i = 1; i <= count; ++i) names << QString::fromLatin1(pattern).arg(i);
  return names;
}

// The web-size copies the run would have made, in dir's "images" folder.
void MakeCopies(const QTemporaryDir& dir, const QStringList& thumbnails) {
  QDir(dir.path()).mkpath(QStringLiteral("images"));
  for (const QString& name : thumbnails) {
    QFile copy(dir.filePath(QStringLiteral("images/") + name));
    copy.open(QIODevice::WriteOnly);
  }
}

AlbumOptions WithPages() {
  AlbumOptions options;
  options.rowsPerPage = 2;
  options.columnsPerRow = 3;
  options.createFullsizePages = true;
  return options;
}

TEST(ImagePages, FirstMiddleAndLastImagesLinkTheirNeighboursAndTheirAlbumPage) {
  struct Case {
    int count, image;
    const char *prev, *next, *first, *last, *album, *position;
  };
  const Case cases[] = {
      {1, 1, "", "", "", "", "gallery1.htm", "1 of 1"},
      {2, 1, "", "gallery_img0002.htm", "", "gallery_img0002.htm", "gallery1.htm", "1 of 2"},
      {2, 2, "gallery_img0001.htm", "", "gallery_img0001.htm", "", "gallery1.htm", "2 of 2"},
      {36, 1, "", "gallery_img0002.htm", "", "gallery_img0036.htm", "gallery1.htm", "1 of 36"},
      {36, 7, "gallery_img0006.htm", "gallery_img0008.htm", "gallery_img0001.htm", "gallery_img0036.htm",
       "gallery2.htm", "7 of 36"},
      {36, 36, "gallery_img0035.htm", "", "gallery_img0001.htm", "", "gallery6.htm", "36 of 36"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.image) + " of " + std::to_string(c.count));
    QTemporaryDir dir;
    // Every copy but the last one's, as when its copy could not be written.
    MakeCopies(dir, Numbered("p%1.jpg", c.count).mid(0, c.count - 1));
    const bool copied = c.image < c.count;
    const AlbumWriteResult result = WriteAlbumPages(Numbered("p%1.jpg", c.count), Numbered("p%1.png", c.count),
                                                    dir.path(), QStringLiteral("TH_"), QString(), WithPages(), 120,
                                                    [](const QString& t) { return 10 * static_cast<int>(t.size()); });
    EXPECT_EQ(result.pagesWritten, c.count + (c.count + 5) / 6);
    EXPECT_EQ(result.pagesFailed, 0);
    const QString page = ReadPage(dir.filePath(ImagePageFileName(WithPages(), c.image)));
    const QStringList links{LinkOf(page, "prev"), LinkOf(page, "next"), LinkOf(page, "first"), LinkOf(page, "last"),
                            LinkOf(page, "album")};
    EXPECT_EQ(links, (QStringList{c.prev, c.next, c.first, c.last, c.album}));
    EXPECT_TRUE(page.contains(QStringLiteral("<li>%1</li>").arg(QLatin1String(c.position))));
    const QString shown = copied ? QStringLiteral("images/p%1.jpg").arg(c.image) : QStringLiteral("p%1.png").arg(c.image);
    EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"%1\" alt=\"p%2.png\">").arg(shown).arg(c.image)));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"p%1.png\">Original</a>").arg(c.image)));
    // The thumbnail on the album page opens the image's page, not the original.
    const QString album = ReadPage(dir.filePath(QLatin1String(c.album)), false);
    EXPECT_TRUE(album.contains(QStringLiteral("<a href=\"gallery_img%1.htm\"><img src=\"thumbs/TH_p%2.jpg\"")
                                   .arg(c.image, 4, 10, QLatin1Char('0'))
                                   .arg(c.image)));
    EXPECT_FALSE(album.contains(QStringLiteral("href=\"p%1.png\"").arg(c.image)));
  }
}

// Names are shown escaped (and isolated, for right-to-left text) and linked
// percent-encoded where a browser would not keep the character; nothing of a
// name or a title becomes markup.
TEST(ImagePages, HostileNamesAreEscapedInTextAndEncodedInLinks) {
  struct Case {
    QString source, copyLink, originalLink, shown;
  };
  const QString rtl = QStringLiteral("\u202Egnp.exe");
  const QString emoji = QString::fromUtf8("sun \xF0\x9F\x8C\x9E");
  const Case cases[] = {
      {"<script>alert(1)<\\script>.png", "&lt;script&gt;alert(1)&lt;%5Cscript&gt;.jpg",
       "&lt;script&gt;alert(1)&lt;%5Cscript&gt;.png", "&lt;script&gt;alert(1)&lt;\\script&gt;.png"},
      {"say \"hi\" & 'bye'.png", "say &quot;hi&quot; &amp; 'bye'.jpg", "say &quot;hi&quot; &amp; 'bye'.png",
       "say &quot;hi&quot; &amp; 'bye'.png"},
      {"a#1?.png", "a%231%3F.jpg", "a%231%3F.png", "a#1?.png"},
      {"%41.png", "%2541.jpg", "%2541.png", "%41.png"},
      {rtl + ".png", rtl + ".jpg", rtl + ".png", rtl + ".png"},
      {emoji + ".png", emoji + ".jpg", emoji + ".png", emoji + ".png"},
  };
  QStringList sources;
  QStringList thumbnails;
  for (const Case& c : cases) {
    sources << c.source;
    thumbnails << c.source.section(QLatin1Char('.'), 0, -2) + QStringLiteral(".jpg");
  }
  AlbumOptions options = WithPages();
  options.pageTitle = QStringLiteral("</title><script>x()</script>");
  QTemporaryDir dir;
  MakeCopies(dir, thumbnails);
  ASSERT_EQ(WriteImagePages(thumbnails, sources, dir.path(), options).pagesWritten, static_cast<int>(sources.size()));
  for (int i = 0; i < static_cast<int>(sources.size()); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.source.toStdString());
    const QString page = ReadPage(dir.filePath(ImagePageFileName(options, i + 1)));
    EXPECT_TRUE(page.contains(QStringLiteral("<img src=\"images/") + c.copyLink + QLatin1String("\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("<a href=\"") + c.originalLink + QLatin1String("\">Original</a>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<h1><bdi>") + c.shown + QLatin1String("</bdi></h1>")));
    EXPECT_TRUE(page.contains(QStringLiteral("&lt;/title&gt;&lt;script&gt;x()&lt;/script&gt;</title>")));
    EXPECT_EQ(page.count(QStringLiteral("<script")), 1);  // the page's own
    EXPECT_EQ(page.count(QStringLiteral("</title>")), 1);
  }
}

TEST(ImagePages, PhotoDetailsAreEscapedAndShownOnlyWithTheirBox) {
  const QStringList sources{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
  const QStringList thumbnails = sources;
  const QString rtl = QStringLiteral("\u202Egpj.exe");
  const QList<QStringList> details{
      {QStringLiteral("2024:05:01 10:20:30"), QStringLiteral("<script>x()</script> & \"Canon\" 'R6'"), rtl,
       QString::fromUtf8("\xF0\x9F\x93\xB7 1/125 sec"), QStringLiteral("48.8584, 2.2945")},
      {}};
  struct Case {
    const char* name;
    bool box;
    QList<QStringList> details;
  };
  const Case cases[] = {{"box off, no details", false, {}}, {"box off, details", false, details},
                        {"box on, details", true, details}};
  QByteArray before;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AlbumOptions options = WithPages();
    options.showPhotoDetails = c.box;
    QTemporaryDir dir;
    ASSERT_EQ(WriteImagePages(thumbnails, sources, dir.path(), options, {}, c.details).pagesWritten, 2);
    QFile first(dir.filePath(ImagePageFileName(options, 1)));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray bytes = first.readAll();
    const QString page = QString::fromUtf8(bytes);
    if (!c.box) {
      // With the box off the page is what it was without details.
      if (before.isEmpty()) before = bytes;
      EXPECT_EQ(bytes, before);
      EXPECT_FALSE(page.contains(QStringLiteral("details")));
      continue;
    }
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<p class=\"details\"><bdi>2024:05:01 10:20:30</bdi><br>"
        "<bdi>&lt;script&gt;x()&lt;/script&gt; &amp; &quot;Canon&quot; 'R6'</bdi><br><bdi>") + rtl +
        QStringLiteral("</bdi><br><bdi>") + QString::fromUtf8("\xF0\x9F\x93\xB7 1/125 sec") +
        QStringLiteral("</bdi><br><bdi>48.8584, 2.2945</bdi></p>")));
    EXPECT_EQ(page.count(QStringLiteral("<script")), 1);  // the page's own
    // An image without details gets no empty paragraph.
    EXPECT_FALSE(ReadPage(dir.filePath(ImagePageFileName(options, 2))).contains(QStringLiteral("details")));
  }
}

}  // namespace
