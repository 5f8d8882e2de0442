#include "app/album/AlbumText.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

bool IsAsciiLetter(char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char16_t c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char16_t c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Position of the ":" that ends a URL scheme at the start of path (a letter,
// then letters, digits, "+", "-" or "."), or -1 when path does not start with one.
qsizetype SchemeColon(const QString& path) {
  if (path.isEmpty() || !IsAsciiLetter(path[0].unicode())) return -1;
  for (qsizetype i = 1; i < path.size(); ++i) {
    const char16_t c = path[i].unicode();
    if (c == ':') return i;
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return -1;
  }
  return -1;
}

// True when the character at i of path would not reach the file system as it
// is when path is read as a relative URL.
bool NeedsPercentEncoding(const QString& path, qsizetype i, qsizetype schemeColon) {
  const char16_t c = path[i].unicode();
  switch (c) {
    case '%':
      // A lone "%" stays a "%"; before two hex digits the browser would decode it.
      return i + 2 < path.size() && IsHexDigit(path[i + 1].unicode()) && IsHexDigit(path[i + 2].unicode());
    case '#':   // starts the fragment
    case '?':   // starts the query
    case '\\':  // read as "/"
      return true;
    case ' ':   // stripped at either end
      return i == 0 || i == path.size() - 1;
    case ':':
      return i == schemeColon;
    default:
      // Tab and line ends are removed, other controls stripped at the ends, and
      // C1 controls written as page bytes would be read as other characters.
      return c < 0x20 || (c >= 0x7F && c <= 0x9F);
  }
}

}  // namespace

QString HtmlColorText(ColorValue color) {
  QString text(7, QLatin1Char('#'));
  const int channels[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
  for (int i = 0; i < 3; ++i) {
    text[1 + 2 * i] = QLatin1Char(kHexDigits[channels[i] >> 4]);
    text[2 + 2 * i] = QLatin1Char(kHexDigits[channels[i] & 0xF]);
  }
  return text;
}

QString EscapePercent20(const QString& text) {
  if (!text.contains(QLatin1String("%20"))) return text;
  QString result = text;
  result.replace(QLatin1String("%20"), QLatin1String("%2520"), Qt::CaseSensitive);
  return result;
}

QString EscapeLinkPath(const QString& path) {
  const qsizetype schemeColon = SchemeColon(path);
  qsizetype first = 0;
  while (first < path.size() && !NeedsPercentEncoding(path, first, schemeColon)) ++first;
  if (first == path.size()) return EscapeMarkup(path);

  QString link = path.left(first);
  for (qsizetype i = first; i < path.size(); ++i) {
    if (!NeedsPercentEncoding(path, i, schemeColon)) {
      link += path[i];
      continue;
    }
    for (const char byte : QString(path[i]).toUtf8()) {
      const auto value = static_cast<unsigned char>(byte);
      link += QLatin1Char('%');
      link += QLatin1Char(kHexDigits[value >> 4]);
      link += QLatin1Char(kHexDigits[value & 0xF]);
    }
  }
  return EscapeMarkup(link);
}

QString EscapeMarkup(const QString& text) {
  QString result;
  result.reserve(text.size());
  for (const QChar ch : text) {
    switch (ch.unicode()) {
      case '&': result += QLatin1String("&amp;"); break;
      case '<': result += QLatin1String("&lt;"); break;
      case '>': result += QLatin1String("&gt;"); break;
      case '"': result += QLatin1String("&quot;"); break;
      default: result += ch;
    }
  }
  return result;
}

QByteArray EncodePageText(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  const qsizetype n = text.size();
  qsizetype runStart = 0;  // start of the current run of Latin-1 characters
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t unit = text[i].unicode();
    if (unit < 0x100) continue;
    bytes += QStringView(text).mid(runStart, i - runStart).toLatin1();
    char32_t code = unit;
    if (QChar::isHighSurrogate(unit) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode())) {
      code = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
      ++i;
    } else if (QChar::isSurrogate(unit)) {
      code = 0xFFFD;  // a lone half of a pair names no character
    }
    bytes += "&#";
    bytes += QByteArray::number(static_cast<uint>(code));
    bytes += ';';
    runStart = i + 1;
  }
  if (runStart == 0) return text.toLatin1();
  bytes += QStringView(text).mid(runStart).toLatin1();
  return bytes;
}
