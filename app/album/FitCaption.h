#pragma once
// Shortening of a caption to the width of the thumbnail cell.
#include <QString>
#include <functional>

// Width of a text in pixels, in the font the captions are measured with.
using TextWidthFunction = std::function<int(const QString&)>;

// The caption unchanged when it is no wider than the thumbnail surface's
// width minus 20; otherwise cut (whole characters from the end) until it fits
// that limit minus the width of "...", followed by "...".
QString FitCaption(const QString& caption, int thumbSurfaceWidth, const TextWidthFunction& textWidth);
