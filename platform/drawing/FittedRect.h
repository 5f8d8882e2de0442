#pragma once
// Where a picture goes when it is shown fitted in a box: shrunk to fit, never
// enlarged, keeping its aspect ratio.
#include <QRect>

// The rectangle a source of sw x sh takes in a target box of tw x th with the
// margin subtracted once from each dimension; centred, or at (margin, margin).
QRect FittedRect(int sw, int sh, int tw, int th, int margin, bool centre);
