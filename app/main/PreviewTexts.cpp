#include "app/main/PreviewTexts.h"

#include "platform/drawing/Numbers.h"

QString FileSizeText(qint64 bytes) {
  const qint64 kb = RoundHalfEven(static_cast<double>(bytes) / 1024.0);
  QString digits = QString::number(kb);
  for (qsizetype i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
  return digits + QStringLiteral(" KB");
}

QString ImageSizeText(int width, int height) { return QStringLiteral("%1x%2").arg(width).arg(height); }

QString ImageInfoText(int width, int height, int bitsPerPixel) {
  return QStringLiteral("%1 %2 bpp").arg(ImageSizeText(width, height)).arg(bitsPerPixel);
}
