#include <gtest/gtest.h>

#include <climits>

#include "app/controls/vkFrames/vkFrames.h"
#include "tests/app/controls/common/PropertyTable.h"

namespace {

vkFrames* NewFrame(QWidget* host) {
  auto* frame = new vkFrames(host);
  frame->setObjectName(QStringLiteral("fraOptions"));
  frame->InitProperties();
  return frame;
}

}  // namespace

TEST(vkFramesProperties, EveryPropertyRoundTripsAtItsLimits) {
  QFont serif(QStringLiteral("DejaVu Serif"), 14);
  serif.setBold(true);
  serif.setItalic(true);
  QImage icon(5, 5, QImage::Format_RGB32);
  icon.fill(qRgb(1, 2, 3));
  const QVariant picture = QVariant::fromValue(StdPicture(icon));
  // Style acts on every set (its preset) and marks itself changed each time.
  const bool everySet = true;
  CheckPropertyTable(NewFrame,
                     {
                         {"FrameColor", "FrameColor", 0xC3C3C3u},
                         {"FrameColor", "FrameColor", 0u},
                         {"FrameColor", "FrameColor", 0xFFFFFFFFu},
                         {"BackColor", "BackColor", 0x040506u},
                         {"FillColor", "FillColor", 0x80000005u},
                         {"TextBoxColor", "TextBoxColor", 0u},
                         {"TextBoxColor", "TextBoxColor", 0xFFFFFFu},
                         {"Style", "Style", 0, {}, everySet},
                         {"Style", "Style", 1, {}, everySet},
                         {"Style", "Style", 2, {}, everySet},
                         {"Style", "Style", 4, {}, everySet},
                         {"Style", "Style", 9, {}, everySet},  // kept; draws like style 1
                         {"RoundedCorner", "RoundedCorner", false},
                         {"RoundedCorner", "RoundedCorner", true},
                         {"RoundedCornerTxtBox", "RoundedCornerTxtBox", true},
                         {"Caption", "Caption", QString()},
                         {"Caption", "Caption", QStringLiteral("Select Files")},
                         {"Caption", "Caption", QStringLiteral("fraOptions")},  // the default: the name
                         {"TextBoxHeight", "TextBoxHeight", 0},
                         {"TextBoxHeight", "TextBoxHeight", -50},
                         {"TextBoxHeight", "TextBoxHeight", INT_MAX},
                         {"TextBoxHeight", "TextBoxHeight", 22},
                         {"TextColor", "TextColor", 0xCF3603u},
                         {"Alignment", "Alignment", 0},
                         {"Alignment", "Alignment", 1},
                         {"Alignment", "Alignment", 7},  // kept; centred
                         {"IconAlignment", "IconAlignment", 2},
                         {"IconAlignment", "IconAlignment", -3},
                         {"Font", "Font", serif},
                         {"Picture", "Picture", picture},
                         {"Picture", "Picture", QVariant::fromValue(StdPicture())},
                         {"IconSize", "IconSize", 0},
                         {"IconSize", "IconSize", 32767},
                         {"IconSize", "IconSize", 100000, 32767},  // clamped to 16 bits
                         {"IconSize", "IconSize", -100000, -32768},
                         {"IconSize", "IconSize", 16},
                         {"ThemeColor", "ThemeColor", 5},
                         {"ThemeColor", "ThemeColor", 7},  // kept; draws like theme 1
                         {"ThemeColor", "ThemeColor", 0},
                         {"ColorFrom", "ColorFrom", 0u},
                         {"ColorFrom", "ColorFrom", 10395391u},
                         {"ColorTo", "ColorTo", 0xFFFFFFFFu},
                     });
}
