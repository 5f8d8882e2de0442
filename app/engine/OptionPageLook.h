#pragma once
// How the image options page looks for a resize mode and for a thumbnail
// style: plain data that the main window applies to its controls.
#include <QString>

#include "platform/drawing/ColorValue.h"

constexpr ColorValue kWindowColor = SystemColor(COLOR_WINDOW);   // 0x80000005
constexpr ColorValue kButtonFaceColor = SystemColor(COLOR_BTNFACE);  // 0x8000000F

// The options page's shared place of cpThumbBack and ComboResizeMethod, and the
// left position that moves a control out of sight.
constexpr int kSharedPlaceLeft = 120;
constexpr int kSharedPlaceTop = 1305;
constexpr int kAwayLeft = -20000;

struct BoxLook {
  bool enabled = true;
  ColorValue backColor = kWindowColor;
};

struct ResizeModeLook {
  BoxLook udWid;
  BoxLook udHgt;
  bool label2Enabled = true;
  QString label2Text;
  bool labelhgtEnabled = true;
};
ResizeModeLook LookForResizeMode(int mode);

struct StyleLook {
  bool framed = false;
  // Which control takes the shared place; the other moves to kAwayLeft.
  bool colorPickerInPlace = false;
  bool comboResizeEnabled = true;
  ColorValue comboResizeBackColor = kWindowColor;
  bool forceResizeModeZero = false;  // framed styles set "Maintain Aspect Ratio"
  bool backImageControlsVisible = false;  // cmdBrowse(1), txtThumbBackImage, Label21
  bool paddingEnabled = false;
  QString labelResizeMethodText;
  QString labelhgtText;
  QString label2Text;
  // Framed styles enable both size boxes with the window colour; the plain
  // style leaves them as the resize mode set them.
  bool sizeBoxesEnabledByStyle = false;
};
StyleLook LookForStyle(int style);
