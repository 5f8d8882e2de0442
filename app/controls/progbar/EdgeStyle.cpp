#include "app/controls/progbar/EdgeStyle.h"

#include "platform/drawing/DrawEdge.h"

unsigned EdgeForStyle(int style) { return EdgeForBorderStyle(style); }

void DrawStyleEdge(QImage& image, int style, int w, int h) {
  const unsigned edge = EdgeForStyle(style);
  if (edge == 0) return;
  DrawEdge(image, WinRect{0, 0, w, h}, edge, BF_RECT);
}
