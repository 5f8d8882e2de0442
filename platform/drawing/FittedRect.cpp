#include "platform/drawing/FittedRect.h"

#include "platform/drawing/Numbers.h"

QRect FittedRect(int sw, int sh, int tw, int th, int margin, bool centre) {
  const int bw = RoundHalfEven(static_cast<double>(tw) - margin);
  const int bh = RoundHalfEven(static_cast<double>(th) - margin);
  if (sw > bw) {
    sh = RoundHalfEven(static_cast<double>(bw) / sw * sh);
    sw = bw;
  }
  if (sh > bh) {
    sw = RoundHalfEven(static_cast<double>(bh) / sh * sw);
    sh = bh;
  }
  int x = margin;
  int y = margin;
  if (centre) {
    x = RoundHalfEven((tw - sw) / 2.0);
    y = RoundHalfEven((th - sh) / 2.0);
  }
  return QRect(x, y, sw, sh);
}
