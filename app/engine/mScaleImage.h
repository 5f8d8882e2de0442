#pragma once
// Fitted drawing: any surface shrunk (never enlarged) into a visible box with
// smooth (halftone) stretching.
#include <QRect>

#include "platform/drawing/Surface.h"

// The rectangle a source of sw x sh takes in a target box of tw x th with the
// margin subtracted once from each dimension; centred, or at (margin, margin).
QRect FittedRect(int sw, int sh, int tw, int th, int margin, bool centre);

// Clears target, draws source fitted into it and refreshes target.
void DrawPictureFitted(const Surface& source, Surface& target, int16_t margin, bool centre);
