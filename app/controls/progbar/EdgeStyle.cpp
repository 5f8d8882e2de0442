#include "app/controls/progbar/EdgeStyle.h"

#include "platform/drawing/DrawEdge.h"

unsigned EdgeForStyle(int style) {
  static const unsigned kEdges[9] = {0,
                                     BDR_RAISEDOUTER,
                                     BDR_RAISEDINNER,
                                     BDR_SUNKENOUTER,
                                     BDR_SUNKENINNER,
                                     EDGE_RAISED,
                                     EDGE_SUNKEN,
                                     EDGE_ETCHED,
                                     EDGE_BUMP};
  return style >= 0 && style <= 8 ? kEdges[style] : 0;
}

void DrawStyleEdge(QImage& image, int style, int w, int h) {
  const unsigned edge = EdgeForStyle(style);
  if (edge == 0) return;
  DrawEdge(image, WinRect{0, 0, w, h}, edge, BF_RECT);
}
