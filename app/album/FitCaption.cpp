#include "app/album/FitCaption.h"

#include <vector>

#include "platform/drawing/Numbers.h"

QString FitCaption(const QString& caption, int thumbSurfaceWidth, const TextWidthFunction& textWidth) {
  if (!textWidth) return caption;
  int limit = RoundHalfEven(static_cast<double>(thumbSurfaceWidth) - 20.0);
  if (textWidth(caption) <= limit) return caption;

  const QString ellipsis = QStringLiteral("...");
  if (caption.isEmpty()) return ellipsis;  // a limit below zero: not even nothing fits
  limit = RoundHalfEven(static_cast<double>(limit) - textWidth(ellipsis));

  // The caption is cut by whole characters from the end until it fits (the
  // empty caption always does). A longer prefix is never narrower than a
  // shorter one, so the longest prefix that fits is found by bisection over
  // the character boundaries: a few measurements instead of one per character.
  std::vector<qsizetype> boundaries;  // prefix lengths shorter than the caption, ascending, from 0
  boundaries.reserve(static_cast<size_t>(caption.size()));
  for (qsizetype i = 0; i < caption.size();) {
    boundaries.push_back(i);
    const bool pair = caption[i].isHighSurrogate() && i + 1 < caption.size() && caption[i + 1].isLowSurrogate();
    i += pair ? 2 : 1;
  }
  size_t low = 0;  // boundaries[low] fits
  size_t high = boundaries.size() - 1;
  while (low < high) {
    const size_t middle = (low + high + 1) / 2;
    if (textWidth(caption.left(boundaries[middle])) <= limit)
      low = middle;
    else
      high = middle - 1;
  }
  return caption.left(boundaries[low]) + ellipsis;
}
