#include "app/engine/OptionPageLook.h"

#include "app/engine/ThumbGeometry.h"

ResizeModeLook LookForResizeMode(int mode) {
  ResizeModeLook look;
  const BoxLook on{true, kWindowColor};
  const BoxLook off{false, kButtonFaceColor};
  look.label2Text = QStringLiteral("Max.Width(Pixels):");
  switch (mode) {
    case kResizeNone:
      look.udWid = off;
      look.udHgt = off;
      look.label2Enabled = false;
      look.labelhgtEnabled = false;
      break;
    case kResizePercent:
      look.udWid = on;
      look.udHgt = off;
      look.label2Text = QStringLiteral("Percent:");
      look.labelhgtEnabled = false;
      break;
    default:
      look.udWid = on;
      look.udHgt = on;
      break;
  }
  return look;
}

StyleLook LookForStyle(int style) {
  StyleLook look;
  look.framed = style >= 1 && style <= 3;
  if (look.framed) {
    look.colorPickerInPlace = true;
    look.comboResizeEnabled = false;
    look.comboResizeBackColor = kButtonFaceColor;
    look.forceResizeModeZero = true;
    look.backImageControlsVisible = true;
    look.paddingEnabled = true;
    look.labelResizeMethodText = style == 1 ? QStringLiteral("Background Color:") : QStringLiteral("Button Color:");
    look.labelhgtText = QStringLiteral("Height(Pixels):");
    look.label2Text = QStringLiteral("Width(Pixels):");
    look.sizeBoxesEnabledByStyle = true;
  } else {
    look.colorPickerInPlace = false;
    look.comboResizeEnabled = true;
    look.comboResizeBackColor = kWindowColor;
    look.labelResizeMethodText = QStringLiteral("Resize Mode:");
    look.labelhgtText = QStringLiteral("Max.Height(Pixels):");
    look.label2Text = QStringLiteral("Max.Width(Pixels):");
  }
  return look;
}
