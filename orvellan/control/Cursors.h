#pragma once
// The control's two mouse cursors, 32 x 32 monochrome, drawn in code:
// cGrab (a closed hand, hot spot (15, 16)) while dragging, cRelease (an open
// hand, hot spot (5, 0)) over a picture that can be dragged.
#include <QCursor>

QCursor GrabCursor();
QCursor ReleaseCursor();
