#include "app/controls/ColorPicker/PaletteColors.h"

namespace {

// Fixed-width fields: the standard colours 8 characters each ("&H" and six hex
// digits, &HBBGGRR), the system colours 10 each, their names 23 each and the
// switch tips 17 each. Field n starts at character (n - 1) * width.
const char kStandardColors[] =
    "&HFFFFFF&HC0C0FF&HC0E0FF&HC0FFFF&HC0FFC0&HFFFFC0&HFFC0C0&HFFC0FF"
    "&HE0E0E0&H8080FF&H80C0FF&H80FFFF&H80FF80&HFFFF80&HFF8080&HFF80FF"
    "&HC0C0C0&H0000FF&H0080FF&H00FFFF&H00FF00&HFFFF00&HFF0000&HFF00FF"
    "&H808080&H0000C0&H0040C0&H00C0C0&H00C000&HC0C000&HC00000&HC000C0"
    "&H404040&H000080&H004080&H008080&H008000&H808000&H800000&H800080"
    "&H000000&H000040&H404080&H004040&H004000&H404000&H400000&H400040";

const char kSystemColors[] =
    "&H80000000&H80000001&H80000002&H80000003&H80000004&H80000005&H80000006&H80000007"
    "&H80000008&H80000009&H8000000A&H8000000B&H8000000C&H8000000D&H8000000E&H8000000F"
    "&H80000010&H80000011&H80000012&H80000013&H80000014&H80000015&H80000016&H80000017"
    "&H80000018";

const char kSystemColorNames[] =
    "Scroll Bars            Desktop                Active Title Bar       "
    "Inactive Titl Bar      Menu Bar               Window Background      "
    "Window Frame           Menu Text              Window Text            "
    "Active Title Bar Text  Active Border          Inactive Border        "
    "Application Workspace  Highlight              Highlight Text         "
    "Button Face            Button Shadow          Disabled Text          "
    "Button Text            Inactive Title Bar TextButton Highlight       "
    "Button Dark Shadow     Button Light Shadow    ToolTip Text           "
    "ToolTip                ";

const char kSwitchTips[] = "Normal Colors    System Colors    Show Color Dialog";

QString Field(const char* text, int width, int n) {
  const QString all = QString::fromLatin1(text);
  return all.mid((n - 1) * width, width);
}

ColorValue HexField(const char* text, int width, int n) {
  return Field(text, width, n).mid(2).toUInt(nullptr, 16);
}

}  // namespace

ColorValue StandardColor(int n) {
  if (n < 1 || n > kStandardColorCount) return 0xFFFFFFu;
  return HexField(kStandardColors, 8, n);
}

ColorValue PaletteSystemColor(int n) {
  if (n < 1 || n > kSystemColorCount) return 0xFFFFFFu;
  return HexField(kSystemColors, 10, n);
}

QString SystemColorName(int n) {
  if (n < 1 || n > kSystemColorCount) return {};
  return Field(kSystemColorNames, 23, n).trimmed();
}

QString SwitchTip(int n) {
  if (n < 1 || n > 3) return {};
  return Field(kSwitchTips, 17, n).trimmed();
}
