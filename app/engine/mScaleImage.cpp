#include "app/engine/mScaleImage.h"

#include <QPainter>

#include "platform/drawing/Numbers.h"

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
