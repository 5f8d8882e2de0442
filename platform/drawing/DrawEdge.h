#pragma once
// The classic desktop's 3D edges, two pixels wide: an outer line (light /
// dark shadow for raised, shadow / highlight for sunken) and an inner line
// (highlight / shadow for raised, dark shadow / light for sunken), colours
// taken from the system colours.
#include <QImage>

class QPainter;

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

// The edge that a border style 0-8 draws, as the controls number them: 0 none,
// 1 raised outer, 2 raised inner, 3 sunken outer, 4 sunken inner, 5 raised,
// 6 sunken, 7 etched, 8 bump. Styles outside 0-8 draw nothing (0).
unsigned EdgeForBorderStyle(int style);

// A one-pixel frame just inside r.
void FrameRect(QPainter& painter, const QRect& r, const QColor& color);

// Draws the edge inside rect on image. Returns false (drawing nothing) for a
// null image. Pixels outside the image are clipped.
bool DrawEdge(QImage& image, const WinRect& rect, unsigned edge, unsigned flags);
