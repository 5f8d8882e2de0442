#include "app/main/ActionPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 34;

}  // namespace

QSize ActionPictureSize() { return QSize(kWidth, kHeight); }

StdPicture ActionPicture(ActionButton button, ActionLook look, qreal devicePixelRatio) {
  const bool start = button == ActionButton::Start;
  QColor top = start ? QColor(0x6d, 0xc9, 0x5b) : QColor(0xe8, 0x6a, 0x5c);
  QColor bottom = start ? QColor(0x2e, 0x8b, 0x28) : QColor(0xb0, 0x26, 0x1c);
  if (look == ActionLook::Hover) {
    top = top.lighter(112);
    bottom = bottom.lighter(112);
  } else if (look == ActionLook::Down) {
    std::swap(top, bottom);
  }
  QImage image(QSize(kWidth, kHeight) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body(1, 1, kWidth - 2, kHeight - 2);
  QLinearGradient fill(0, 0, 0, kHeight);
  fill.setColorAt(0, top);
  fill.setColorAt(1, bottom);
  QPainterPath shape;
  shape.addRoundedRect(body, 8, 8);
  p.fillPath(shape, fill);
  p.setPen(QPen(bottom.darker(140), 1));
  p.drawPath(shape);
  // The sign: a triangle to start, a square to stop.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const qreal cy = kHeight / 2.0 + (look == ActionLook::Down ? 1 : 0);
  if (start) {
    const QPointF sign[] = {{12, cy - 8}, {12, cy + 8}, {26, cy}};
    p.drawPolygon(sign, 3);
  } else {
    p.drawRect(QRectF(12, cy - 7, 14, 14));
  }
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(14);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(30, cy - kHeight / 2.0, kWidth - 34, kHeight), Qt::AlignCenter,
             start ? QStringLiteral("START") : QStringLiteral("STOP"));
  p.end();
  return StdPicture(image, StdPicture::Bitmap);
}
