#include "app/engine/mScaleImage.h"

#include <QPainter>

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

void DrawPictureFitted(const Surface& source, Surface& target, int16_t margin, bool centre) {
  const QRect r = FittedRect(source.innerWidth(), source.innerHeight(), target.innerWidth(), target.innerHeight(),
                             margin, centre);
  target.Clear();
  if (!source.image().isNull() && r.width() > 0 && r.height() > 0 && !target.image().isNull()) {
    const QImage scaled = r.size() == source.image().size()
                              ? source.image()
                              : source.image().scaled(r.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&target.image());
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(r.topLeft(), scaled);
  }
  target.Refresh();
}
