#include "app/album/ImagePages.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/album/AlbumPageFile.h"
#include "app/album/AlbumText.h"
#include "app/engine/OutputNames.h"
#include "app/engine/mUtils.h"

namespace {

// Relative luminance of a colour (sRGB), 0 for black to 1 for white.
double Luminance(ColorValue color) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(RedOf(color)) + 0.7152 * linear(GreenOf(color)) + 0.0722 * linear(BlueOf(color));
}

double Contrast(ColorValue a, ColorValue b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The page's colours: the album's page colour behind text in black or white,
// whichever reads better on it; the header in the album's header colour when
// that reads on the page colour too (4.5:1), else in the text colour.
struct PageColors {
  QString page, text, header;
};
PageColors ColorsOf(const AlbumOptions& o) {
  const ColorValue page = o.pageColor & 0xFFFFFF;
  const ColorValue text = Contrast(page, 0x000000) >= Contrast(page, 0xFFFFFF) ? 0x000000 : 0xFFFFFF;
  const ColorValue header = Contrast(page, o.headerColor & 0xFFFFFF) >= 4.5 ? o.headerColor : text;
  return {HtmlColorText(page), HtmlColorText(text), HtmlColorText(header)};
}

// Moves by key and by swipe follow the page's own links, so the page does
// the same with script and without.
const char kScript[] =
    "<script>\n"
    "(function () {\n"
    "  var keys = {ArrowLeft: 'prev', ArrowRight: 'next', Home: 'first', End: 'last', Escape: 'album'};\n"
    "  function go(id) {\n"
    "    var link = document.getElementById(id);\n"
    "    if (!link) return false;\n"
    "    location.href = link.href;\n"
    "    return true;\n"
    "  }\n"
    "  document.addEventListener('keydown', function (e) {\n"
    "    if (e.defaultPrevented || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;\n"
    "    if (keys.hasOwnProperty(e.key) && go(keys[e.key])) e.preventDefault();\n"
    "  });\n"
    "  var startX = null, startY = 0;\n"
    "  document.addEventListener('touchstart', function (e) {\n"
    "    var zoomed = window.visualViewport && window.visualViewport.scale > 1.01;\n"
    "    if (e.touches.length !== 1 || zoomed) { startX = null; return; }\n"
    "    startX = e.touches[0].clientX;\n"
    "    startY = e.touches[0].clientY;\n"
    "  }, {passive: true});\n"
    "  document.addEventListener('touchend', function (e) {\n"
    "    if (startX === null) return;\n"
    "    var dx = e.changedTouches[0].clientX - startX, dy = e.changedTouches[0].clientY - startY;\n"
    "    startX = null;\n"
    "    if (Math.abs(dx) > 50 && Math.abs(dx) > 2 * Math.abs(dy)) go(dx < 0 ? 'next' : 'prev');\n"
    "  }, {passive: true});\n"
    "})();\n"
    "</script>\n";

// The style sheet: the image fits the window's width and leaves room for the
// header, the links and the caption in its height, at any window size.
QString StyleSheet(const PageColors& c) {
  return QStringLiteral(
             "<style>\n"
             "* { box-sizing: border-box; }\n"
             "html, body { margin: 0; }\n"
             "body { background: %1; color: %2; font: 16px/1.4 sans-serif; text-align: center;"
             " overflow-wrap: anywhere; }\n"
             "a { color: %2; padding: 0.25rem; }\n"
             "a:focus, a:focus-visible { outline: 3px solid %2; outline-offset: 2px; }\n"
             "header { padding: 0.5rem 1rem 0; }\n"
             "header a { color: %3; font-weight: bold; font-size: 1.2rem; }\n"
             "nav ul { display: flex; flex-wrap: wrap; justify-content: center; align-items: center;"
             " gap: 0 0.25rem; list-style: none; margin: 0; padding: 0.25rem 0.5rem; }\n"
             "main { padding: 0 0.5rem 0.5rem; }\n"
             "figure { margin: 0; }\n"
             "img { display: block; margin: 0.25rem auto; max-width: 100%; max-height: calc(100vh - 10rem);"
             " width: auto; height: auto; }\n"
             "h1 { font-size: 1rem; margin: 0.25rem 0 0; }\n"
             "figcaption p { margin: 0; }\n"
             "</style>\n")
      .arg(c.page, c.text, c.header);
}

// One navigation entry: a link, or nothing where there is no such image.
QString NavLink(const char* id, const QString& href, const QString& text, const char* rel = nullptr) {
  if (href.isEmpty()) return QString();
  QString item = QLatin1String("<li><a id=\"") + QLatin1String(id) + QLatin1String("\" href=\"") + href +
                 QLatin1String("\"");
  if (rel) item += QLatin1String(" rel=\"") + QLatin1String(rel) + QLatin1String("\"");
  return item + QLatin1String(">") + text + QLatin1String("</a></li>\n");
}

class ImagePageBuilder {
 public:
  // shown: what each page shows, relative to the album's folder.
  ImagePageBuilder(const QStringList& shown, const QStringList& sources, const AlbumOptions& options,
                   const QList<QStringList>& details)
      : shown_(shown), sources_(sources), options_(options), details_(details), colors_(ColorsOf(options)) {
    title_ = TrimBlanks(options.pageTitle);
    header_ = TrimBlanks(options.pageHeader);
    if (header_.isEmpty()) header_ = title_.isEmpty() ? QStringLiteral("Album") : title_;
  }

  // The page of image k (from 1).
  QByteArray PageText(qint64 k) const {
    const qint64 n = shown_.size();
    const qint64 perPage = static_cast<qint64>(options_.rowsPerPage) * options_.columnsPerRow;
    const QString name = sources_.value(k - 1);
    const QString shown = QLatin1String("<bdi>") + EscapeMarkup(name) + QLatin1String("</bdi>");
    const QString position = QStringLiteral("%1 of %2").arg(k).arg(n);
    const QString copy = EscapeLinkPath(shown_.at(k - 1));
    const QString album = EscapeLinkPath(AlbumPageFileName(options_, (k - 1) / perPage + 1));
    const auto page = [&](qint64 i) { return EscapeLinkPath(ImagePageFileName(options_, i)); };

    QString t = QLatin1String(
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"generator\" content=\"Quillmora by Oxbrindle\">\n<title>");
    t += EscapeMarkup(name) + QLatin1String(" (") + position + QLatin1String(")");
    if (!title_.isEmpty()) t += QLatin1String(" - ") + EscapeMarkup(title_);
    t += QLatin1String("</title>\n");
    if (k < n) {
      // The next image is fetched while this one is looked at.
      t += QLatin1String("<link rel=\"prefetch\" href=\"") +
           EscapeLinkPath(shown_.at(k)) + QLatin1String("\">\n");
      t += QLatin1String("<link rel=\"prefetch\" href=\"") + page(k + 1) + QLatin1String("\">\n");
    }
    t += StyleSheet(colors_);
    t += QLatin1String("</head>\n<body>\n<header><a id=\"album\" href=\"") + album + QLatin1String("\">") +
         EscapeMarkup(header_) + QLatin1String("</a></header>\n");
    t += QLatin1String("<nav aria-label=\"Images\">\n<ul>\n");
    t += NavLink("first", k > 1 ? page(1) : QString(), QStringLiteral("&laquo; First"));
    t += NavLink("prev", k > 1 ? page(k - 1) : QString(), QStringLiteral("&lsaquo; Previous"), "prev");
    t += QLatin1String("<li>") + position + QLatin1String("</li>\n");
    t += NavLink("next", k < n ? page(k + 1) : QString(), QStringLiteral("Next &rsaquo;"), "next");
    t += NavLink("last", k < n ? page(n) : QString(), QStringLiteral("Last &raquo;"));
    t += QLatin1String("</ul>\n</nav>\n<main>\n<figure>\n<img src=\"") + copy + QLatin1String("\" alt=\"") +
         EscapeMarkup(name) + QLatin1String("\">\n<figcaption>\n<h1>") + shown +
         QLatin1String("</h1>\n") + DetailsText(k) + QLatin1String("<p><a href=\"") + EscapeLinkPath(name) +
         QLatin1String("\">Original</a> <a href=\"") + album + QLatin1String("\">Back to the album</a></p>\n") +
         QLatin1String("</figcaption>\n</figure>\n</main>\n");
    t += QLatin1String(kScript);
    t += QLatin1String("</body>\n</html>");
    return t.toUtf8();
  }

 private:
  // The photo's details under its name, one line each; nothing when they are off.
  QString DetailsText(qint64 k) const {
    if (!options_.showPhotoDetails) return QString();
    const QStringList lines = details_.value(k - 1);
    if (lines.isEmpty()) return QString();
    QString t = QLatin1String("<p class=\"details\">");
    for (int i = 0; i < lines.size(); ++i)
      t += (i ? QLatin1String("<br>") : QLatin1String("")) + QLatin1String("<bdi>") + EscapeMarkup(lines.at(i)) +
           QLatin1String("</bdi>");
    return t + QLatin1String("</p>\n");
  }

  const QStringList& shown_;
  const QStringList& sources_;
  const AlbumOptions& options_;
  const QList<QStringList>& details_;
  const PageColors colors_;
  QString title_;
  QString header_;
};

}  // namespace

QString ImagePageFileName(const AlbumOptions& options, qint64 image) {
  return NamePartText(NamePart::PageFileName, options.pageFileName).text() + QLatin1String("_img") +
         QStringLiteral("%1").arg(image, 4, 10, QLatin1Char('0')) + QLatin1String(".htm");
}

QString ImageCopyPath(const AlbumOptions& options, const QString& thumbnailEntry) {
  return ImageCopyFolderName(options.thumbFolderName) + QLatin1Char('/') + thumbnailEntry;
}

AlbumWriteResult WriteImagePages(const QStringList& thumbnails, const QStringList& sources,
                                 const QString& destinationFolder, const AlbumOptions& options,
                                 const QSet<QString>& keep, const QList<QStringList>& details) {
  AlbumWriteResult result;
  const qint64 n = thumbnails.size();
  if (n == 0 || options.rowsPerPage <= 0 || options.columnsPerRow <= 0) return result;
  if (destinationFolder.isEmpty() || !NamePartText(NamePart::PageFileName, options.pageFileName).accepted()) {
    result.pagesFailed = static_cast<int>(n);
    return result;
  }
  const QString folder = AddBackslash(destinationFolder);
  // A page shows its image's web-size copy; where the run could not make one
  // (a full disk, an image it could not shrink), the original it links to.
  QStringList shown;
  for (qint64 k = 0; k < n; ++k) {
    const QString copy = ImageCopyPath(options, thumbnails.at(k));
    shown << (QFileInfo::exists(folder + copy) ? copy : sources.value(k));
  }
  const ImagePageBuilder builder(shown, sources, options, details);
  for (qint64 k = 1; k <= n; ++k) {
    const QString path = folder + ImagePageFileName(options, k);
    const QString existing = QFileInfo(path).canonicalFilePath();
    if ((existing.isEmpty() || !keep.contains(existing)) && WriteAlbumPageFile(path, builder.PageText(k)))
      ++result.pagesWritten;
    else
      ++result.pagesFailed;
  }
  return result;
}
