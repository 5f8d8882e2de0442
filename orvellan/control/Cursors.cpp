#include "orvellan/control/Cursors.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

namespace {

// Draws a monochrome cursor: path filled white with a black outline.
QCursor MakeCursor(const QPainterPath& shape, int hotX, int hotY) {
  QBitmap bits(32, 32);
  QBitmap mask(32, 32);
  bits.clear();
  mask.clear();
  {
    QPainter p(&mask);
    p.setPen(QPen(Qt::color1, 2));
    p.setBrush(Qt::color1);
    p.drawPath(shape);
  }
  {
    QPainter p(&bits);
    p.setPen(QPen(Qt::color1, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
  }
  return QCursor(bits, mask, hotX, hotY);
}

}  // namespace

QCursor GrabCursor() {
  QPainterPath hand;
  hand.addRoundedRect(QRectF(8, 11, 16, 14), 4, 4);  // fist
  for (int i = 0; i < 4; ++i) hand.addRoundedRect(QRectF(9 + i * 4, 8, 4, 6), 2, 2);  // knuckles
  return MakeCursor(hand.simplified(), 15, 16);
}

QCursor ReleaseCursor() {
  QPainterPath hand;
  hand.addRoundedRect(QRectF(4, 0, 4, 16), 2, 2);    // index finger, tip at the hot spot
  hand.addRoundedRect(QRectF(8, 3, 4, 14), 2, 2);
  hand.addRoundedRect(QRectF(12, 4, 4, 13), 2, 2);
  hand.addRoundedRect(QRectF(16, 6, 4, 11), 2, 2);
  hand.addRoundedRect(QRectF(3, 12, 18, 14), 5, 5);  // palm
  return MakeCursor(hand.simplified(), 5, 0);
}
