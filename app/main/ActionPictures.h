#pragma once
// The pictures of the start and stop buttons (cmdAction 0 and 1): normal,
// hovered and held down, drawn for the device pixel ratio of the screen.
#include "platform/com/StdPicture.h"

enum class ActionButton { Start, Stop };
enum class ActionLook { Normal, Hover, Down };

StdPicture ActionPicture(ActionButton button, ActionLook look, qreal devicePixelRatio = 1.0);
// The size of the pictures in logical pixels.
QSize ActionPictureSize();
