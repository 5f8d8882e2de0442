#pragma once
// Fitted drawing: any surface shrunk (never enlarged) into a visible box with
// smooth (halftone) stretching.
#include "platform/drawing/FittedRect.h"
#include "platform/drawing/Surface.h"

// Clears target, draws source fitted into it and refreshes target.
void DrawPictureFitted(const Surface& source, Surface& target, int16_t margin, bool centre);
