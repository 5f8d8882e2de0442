#pragma once
// Integer zoom without a zoomed copy of the picture: each source pixel becomes
// an f x f square. One output row is expanded per source row and copied to
// the f - 1 rows below it, so a repaint costs about what copying the visible
// area costs, whatever the factor and the picture's size.
#include <QImage>
#include <QRect>

// Draws source pixels (sx, sy, sw, sh) of src, zoomed by f, with the square
// of (sx, sy) at (dx, dy) of target (which may be negative), clipped to
// target. Both images are 32-bit. Returns the part of target written.
QRect ZoomBlit(QImage& target, int dx, int dy, const QImage& src, int sx, int sy, int sw, int sh, int f);
