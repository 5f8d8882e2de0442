#include <gtest/gtest.h>

#include <climits>

#include "app/controls/progbar/Rk_Progbar.h"
#include "tests/app/controls/common/PropertyTable.h"

TEST(Rk_ProgbarProperties, EveryPropertyRoundTripsAtItsLimits) {
  CheckPropertyTable(
      [](QWidget* host) {
        auto* bar = new Rk_Progbar(host);
        bar->resize(200, 20);
        return bar;
      },
      {
          {"Min", "Min", INT_MIN},
          {"Min", "Min", INT_MAX},
          {"Min", "Min", 0},
          {"Max", "Max", 0},  // no bar is drawn against it
          {"Max", "Max", -1},
          {"Max", "Max", INT_MAX},
          {"Max", "Max", 100},
          {"Value", "Value", 50},
          {"Value", "Value", 150},  // above Max: a bar wider than the control
          {"Value", "Value", -10},
          {"Value", "Value", INT_MAX},
          {"Value", "Value", 0},
          {"BackColor", "BackColor", 0xE0E0E0u},
          {"BackColor", "BackColor", 0x8000000Fu},
          {"Barcolor", "Barcolor", 0x808080u},
          {"Barcolor", "Barcolor", 0u},
          {"Barstyle", "Barstyle", 5},
          {"Barstyle", "Barstyle", 8},
          {"Barstyle", "Barstyle", 9},  // kept; draws no edge
          {"Barstyle", "Barstyle", -1},
          {"BorderStyle", "BorderStyle", 3},
          {"BorderStyle", "BorderStyle", 0},
          {"BorderStyle", "BorderStyle", 99},
          {"BarOffset", "BarOffset", 1},
          {"BarOffset", "BarOffset", 2},  // kept; drawn flush like 0
      });
}
