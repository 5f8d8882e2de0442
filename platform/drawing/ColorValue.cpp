#include "platform/drawing/ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct SystemColorEntry {
  int index;
  bool hasRole;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
  ColorValue classic;  // classic desktop default, used where no role fits
};

// Where a palette role means the same thing, the palette decides, so the
// controls follow the desktop's theme; the rest keep the classic colours.
const SystemColorEntry kSystemColors[] = {
    {COLOR_SCROLLBAR, false, QPalette::Active, QPalette::NoRole, RGBValue(200, 200, 200)},
    {COLOR_BACKGROUND, false, QPalette::Active, QPalette::NoRole, RGBValue(0, 128, 128)},
    {COLOR_ACTIVECAPTION, false, QPalette::Active, QPalette::NoRole, RGBValue(0, 0, 128)},
    {COLOR_INACTIVECAPTION, false, QPalette::Active, QPalette::NoRole, RGBValue(128, 128, 128)},
    {COLOR_MENU, true, QPalette::Active, QPalette::Window, RGBValue(212, 208, 200)},
    {COLOR_WINDOW, true, QPalette::Active, QPalette::Base, RGBValue(255, 255, 255)},
    {COLOR_WINDOWFRAME, false, QPalette::Active, QPalette::NoRole, RGBValue(0, 0, 0)},
    {COLOR_MENUTEXT, true, QPalette::Active, QPalette::WindowText, RGBValue(0, 0, 0)},
    {COLOR_WINDOWTEXT, true, QPalette::Active, QPalette::Text, RGBValue(0, 0, 0)},
    {COLOR_CAPTIONTEXT, false, QPalette::Active, QPalette::NoRole, RGBValue(255, 255, 255)},
    {COLOR_ACTIVEBORDER, false, QPalette::Active, QPalette::NoRole, RGBValue(212, 208, 200)},
    {COLOR_INACTIVEBORDER, false, QPalette::Active, QPalette::NoRole, RGBValue(212, 208, 200)},
    {COLOR_APPWORKSPACE, false, QPalette::Active, QPalette::NoRole, RGBValue(128, 128, 128)},
    {COLOR_HIGHLIGHT, true, QPalette::Active, QPalette::Highlight, RGBValue(10, 36, 106)},
    {COLOR_HIGHLIGHTTEXT, true, QPalette::Active, QPalette::HighlightedText, RGBValue(255, 255, 255)},
    {COLOR_BTNFACE, true, QPalette::Active, QPalette::Button, RGBValue(212, 208, 200)},
    {COLOR_BTNSHADOW, true, QPalette::Active, QPalette::Dark, RGBValue(128, 128, 128)},
    {COLOR_GRAYTEXT, true, QPalette::Disabled, QPalette::Text, RGBValue(128, 128, 128)},
    {COLOR_BTNTEXT, true, QPalette::Active, QPalette::ButtonText, RGBValue(0, 0, 0)},
    {COLOR_INACTIVECAPTIONTEXT, false, QPalette::Active, QPalette::NoRole, RGBValue(212, 208, 200)},
    {COLOR_BTNHIGHLIGHT, true, QPalette::Active, QPalette::Light, RGBValue(255, 255, 255)},
    {COLOR_3DDKSHADOW, true, QPalette::Active, QPalette::Shadow, RGBValue(64, 64, 64)},
    {COLOR_3DLIGHT, true, QPalette::Active, QPalette::Midlight, RGBValue(212, 208, 200)},
    {COLOR_INFOTEXT, true, QPalette::Active, QPalette::ToolTipText, RGBValue(0, 0, 0)},
    {COLOR_INFOBK, true, QPalette::Active, QPalette::ToolTipBase, RGBValue(255, 255, 225)},
    {25, false, QPalette::Active, QPalette::NoRole, RGBValue(192, 192, 192)},
    {COLOR_HOTLIGHT, true, QPalette::Active, QPalette::Link, RGBValue(0, 0, 128)},
    {COLOR_GRADIENTACTIVECAPTION, false, QPalette::Active, QPalette::NoRole, RGBValue(166, 202, 240)},
    {COLOR_GRADIENTINACTIVECAPTION, false, QPalette::Active, QPalette::NoRole, RGBValue(192, 192, 192)},
    {COLOR_MENUHILIGHT, true, QPalette::Active, QPalette::Highlight, RGBValue(10, 36, 106)},
    {COLOR_MENUBAR, true, QPalette::Active, QPalette::Window, RGBValue(212, 208, 200)},
};

QColor FromValue(ColorValue c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace

ColorValue ColorValueFromQColor(const QColor& color) {
  return RGBValue(color.red(), color.green(), color.blue());
}

QColor TranslateColor(ColorValue value) {
  if (!IsSystemColor(value)) return FromValue(value & 0x00FFFFFFu);
  const ColorValue index = value & ~kSystemColorFlag;
  for (const SystemColorEntry& e : kSystemColors) {
    if (static_cast<ColorValue>(e.index) != index) continue;
    if (e.hasRole && qGuiApp) {
      QColor c = QGuiApplication::palette().color(e.group, e.role);
      c.setAlpha(255);
      return c;
    }
    return FromValue(e.classic);
  }
  return QColor(0, 0, 0);
}

ColorValue TranslateColorValue(ColorValue value) { return ColorValueFromQColor(TranslateColor(value)); }
