#pragma once
// The controls' edge styles 0-8 and the 3D edge each one draws.
#include <QImage>

// The DrawEdge edge value of a style: 0 none, 1 raised outer, 2 raised inner,
// 3 sunken outer, 4 sunken inner, 5 raised, 6 sunken, 7 etched, 8 bump. A
// style outside 0-8 draws nothing (0).
unsigned EdgeForStyle(int style);

// Draws the style's edge on all four sides of the w x h rectangle at (0, 0).
void DrawStyleEdge(QImage& image, int style, int w, int h);
