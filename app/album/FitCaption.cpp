#include "app/album/FitCaption.h"

#include "platform/drawing/Numbers.h"

QString FitCaption(const QString& caption, int thumbSurfaceWidth, const TextWidthFunction& textWidth) {
  if (!textWidth) return caption;
  int limit = RoundHalfEven(static_cast<double>(thumbSurfaceWidth) - 20.0);
  if (textWidth(caption) <= limit) return caption;

  const QString ellipsis = QStringLiteral("...");
  limit = RoundHalfEven(static_cast<double>(limit) - textWidth(ellipsis));
  QString cut = caption;
  while (!cut.isEmpty() && textWidth(cut) > limit) {
    // A character outside the basic plane is two code units: drop both.
    const bool pair = cut.size() >= 2 && cut.back().isLowSurrogate() && cut[cut.size() - 2].isHighSurrogate();
    cut.chop(pair ? 2 : 1);
  }
  return cut + ellipsis;
}
