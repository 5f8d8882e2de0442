#include "platform/drawing/DrawEdge.h"

#include <QPainter>

#include "platform/drawing/ColorValue.h"

namespace {

// System colour indices per edge kind (low four bits), -1 for no line. When only
// an inner border is asked for, it takes the outer line's place.
const int kTopLeftOuter[16] = {-1, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
                               COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
                               COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
                               -1, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1};
const int kTopLeftInner[16] = {-1, -1, -1, -1, -1, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, -1,
                               -1, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, -1, -1, -1, -1, -1};
const int kBottomRightOuter[16] = {-1, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
                                   COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
                                   COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
                                   -1, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1};
const int kBottomRightInner[16] = {-1, -1, -1, -1, -1, COLOR_BTNSHADOW, COLOR_BTNSHADOW, -1,
                                   -1, COLOR_3DLIGHT, COLOR_3DLIGHT, -1, -1, -1, -1, -1};

// Draws one ring: top and left in tl, then bottom and right in br (so the
// bottom-left and top-right corners take the bottom-right colour).
void DrawRing(QPainter& p, int left, int top, int right, int bottom, int tl, int br, unsigned flags) {
  if (right <= left || bottom <= top) return;
  if (tl >= 0) {
    const QColor c = TranslateColor(SystemColor(tl));
    if (flags & BF_TOP) p.fillRect(left, top, right - left, 1, c);
    if (flags & BF_LEFT) p.fillRect(left, top, 1, bottom - top, c);
  }
  if (br >= 0) {
    const QColor c = TranslateColor(SystemColor(br));
    if (flags & BF_BOTTOM) p.fillRect(left, bottom - 1, right - left, 1, c);
    if (flags & BF_RIGHT) p.fillRect(right - 1, top, 1, bottom - top, c);
  }
}

}  // namespace

unsigned EdgeForBorderStyle(int style) {
  static const unsigned kEdges[9] = {0,           BDR_RAISEDOUTER, BDR_RAISEDINNER, BDR_SUNKENOUTER, BDR_SUNKENINNER,
                                     EDGE_RAISED, EDGE_SUNKEN,     EDGE_ETCHED,     EDGE_BUMP};
  return style >= 0 && style <= 8 ? kEdges[style] : 0;
}

void FrameRect(QPainter& p, const QRect& r, const QColor& c) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(r.left(), r.top(), r.width(), 1, c);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, c);
  p.fillRect(r.left(), r.top(), 1, r.height(), c);
  p.fillRect(r.right(), r.top(), 1, r.height(), c);
}

bool DrawEdge(QImage& image, const WinRect& rect, unsigned edge, unsigned flags) {
  if (image.isNull()) return false;
  const unsigned kind = edge & 0xF;
  QPainter p(&image);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  DrawRing(p, rect.left, rect.top, rect.right, rect.bottom, kTopLeftOuter[kind], kBottomRightOuter[kind], flags);
  DrawRing(p, rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1, kTopLeftInner[kind],
           kBottomRightInner[kind], flags);
  return true;
}
