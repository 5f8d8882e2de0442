#include <gtest/gtest.h>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "tests/app/controls/common/PropertyTable.h"

TEST(ColorPickerProperties, EveryPropertyRoundTripsAtItsLimits) {
  const QString longCaption(300, u'x');
  CheckPropertyTable([](QWidget* host) { return new ColorPicker(host); },
                     {
                         {"Color", "Value", 0u},
                         {"Color", "Value", 0xFFFFFFu},  // the default
                         {"Color", "Value", 0x80000005u},  // a system colour
                         {"Color", "Value", 0xFFFFFFFFu},
                         {"DefaultColor", "DefaultColor", 0x80000011u},
                         {"DefaultColor", "DefaultColor", 0xFFFFFFu},
                         {"Appearance", "Appearance", 0},
                         {"Appearance", "Appearance", 1},
                         {"Appearance", "Appearance", 7},  // kept; anything but 1 draws flat
                         {"Appearance", "Appearance", -1},
                         {"BackColor", "BackColor", 0x00FF00u},
                         {"BackColor", "BackColor", 0x8000000Cu},
                         {"ShowDefault", "ShowDefault", false},
                         {"ShowDefault", "ShowDefault", true},
                         {"ShowCustomColors", "ShowCustomColors", false},
                         {"ShowMoreColors", "ShowMoreColors", false},
                         {"ShowSysColorButton", "ShowSysColorButton", false},
                         {"ShowToolTips", "ShowToolTips", false},
                         {"ShowToolTips", "ShowToolTips", true},
                         {"DefaultCaption", "DefaultCaption", QString()},
                         {"DefaultCaption", "DefaultCaption", QStringLiteral("Default")},
                         {"DefaultCaption", "DefaultCaption", longCaption},
                         {"MoreColorsCaption", "MoreColorsCaption", QStringLiteral("Other...")},
                         {"MoreColorsCaption", "MoreColorsCaption", QStringLiteral("More Colors...")},
                     });
}
