#include <gtest/gtest.h>

#include <climits>

#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "tests/app/controls/common/PropertyTable.h"

TEST(UpDownBoxProperties, EveryPropertyRoundTripsAtItsLimits) {
  QFont serif(QStringLiteral("DejaVu Serif"), 14);
  serif.setBold(true);
  CheckPropertyTable([](QWidget* host) { return new ucUpDownBox(host); },
                     {
                         {"Min", "Min", INT_MIN},
                         {"Min", "Min", INT_MAX},  // kept; the value is not compared again
                         {"Min", "Min", 0},
                         {"Max", "Max", INT_MIN},
                         {"Max", "Max", INT_MAX},
                         {"Max", "Max", 100},
                         {"Value", "Value", 37},
                         {"Value", "Value", 100},
                         {"Value", "Value", -5, 0},    // clamped to Min 0
                         {"Value", "Value", 500, 100},  // clamped to Max 100
                         {"Value", "Value", INT_MAX, 100},
                         {"Alignment", "Alignment", 1},
                         {"Alignment", "Alignment", 2},
                         {"Alignment", "Alignment", 0},
                         {"Alignment", "Alignment", 9},  // kept; shows left-aligned
                         {"BackColor", "BackColor", 0x00112233u},
                         {"BackColor", "BackColor", 0x80000005u},
                         {"ForeColor", "ForeColor", 0x00445566u},
                         {"ForeColor", "ForeColor", 0x80000012u},
                         {"BorderStyle", "BorderStyle", 0},
                         {"BorderStyle", "BorderStyle", 1},
                         {"BorderStyle", "BorderStyle", 5},
                         {"Enabled", "Enabled", false},
                         {"Enabled", "Enabled", true},
                         {"Font", "Font", serif},
                     });
}
