#pragma once
// The classic desktop's 3D edges, two pixels wide: an outer line (light /
// dark shadow for raised, shadow / highlight for sunken) and an inner line
// (highlight / shadow for raised, dark shadow / light for sunken), colours
// taken from the system colours.
#include <QImage>

struct WinRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  bool operator==(const WinRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum EdgeKind : unsigned {
  BDR_RAISEDOUTER = 0x1,
  BDR_SUNKENOUTER = 0x2,
  BDR_RAISEDINNER = 0x4,
  BDR_SUNKENINNER = 0x8,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};

enum EdgeFlags : unsigned {
  BF_LEFT = 0x1,
  BF_TOP = 0x2,
  BF_RIGHT = 0x4,
  BF_BOTTOM = 0x8,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
};

// Draws the edge inside rect on image. Returns false (drawing nothing) for a
// null image. Pixels outside the image are clipped.
bool DrawEdge(QImage& image, const WinRect& rect, unsigned edge, unsigned flags);
