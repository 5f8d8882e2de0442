#include "app/album/AlbumText.h"

QString HtmlColorText(ColorValue color) {
  static const char kDigits[] = "0123456789ABCDEF";
  QString text(7, QLatin1Char('#'));
  const int channels[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
  for (int i = 0; i < 3; ++i) {
    text[1 + 2 * i] = QLatin1Char(kDigits[channels[i] >> 4]);
    text[2 + 2 * i] = QLatin1Char(kDigits[channels[i] & 0xF]);
  }
  return text;
}

QString EscapePercent20(const QString& text) {
  if (!text.contains(QLatin1String("%20"))) return text;
  QString result = text;
  result.replace(QLatin1String("%20"), QLatin1String("%2520"), Qt::CaseSensitive);
  return result;
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
