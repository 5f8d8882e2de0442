#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/controls/vkFrames/FrameGradient.h"
#include "app/controls/vkFrames/vkFrames.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/Numbers.h"

namespace {

QRgb Rgb(ColorValue c) { return TranslateColor(c).rgb(); }

// Bounding columns of the pixels in colour c (or, with unlike set, of any
// colour but c) inside rows top..bottom and columns left..right.
std::pair<int, int> ColumnsOf(const QImage& image, QRgb c, int top, int bottom, bool unlike = false, int left = 0,
                              int right = -1) {
  if (right < 0) right = image.width() - 1;
  int lo = image.width(), hi = -1;
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x)
      if ((image.pixel(x, y) == c) != unlike) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  return {lo, hi};
}

struct Frame {
  QWidget host;
  vkFrames* frame;
  Frame() : frame(new vkFrames(&host)) {
    frame->setObjectName(QStringLiteral("fraOptions"));
    frame->InitProperties();
    frame->resize(200, 120);
  }
};

}  // namespace

TEST(vkFrames, StylePresetsOverwriteTheirProperties) {
  struct Case {
    int style;
    ColorValue text, frame, textBox;
    int alignment;
  } cases[] = {
      {0, 0xCF3603, 0xC3C3C3, 0xFFFFFF, 0}, {2, 0, 0x6A6A6A, 0xB0EFF0, 2}, {3, 0, 0, 0xB0EFF0, 2},
      {4, 0, 0, 0xFFFFFF, 2},               {1, 0, 0, 0xFFFFFF, 2},
  };
  for (const Case& c : cases) {
    Frame f;
    f.frame->setStyle(c.style == 1 ? 4 : 1);
    f.frame->setTextColor(0x123456);
    f.frame->setFrameColor(0x654321);
    f.frame->setTextBoxColor(0x111111);
    f.frame->setTextBoxHeight(40);
    f.frame->setAlignment(1);
    f.frame->setThemeColor(3);
    f.frame->setFillColor(0x222222);
    f.frame->setRoundedCorner(false);
    f.frame->setRoundedCornerTxtBox(false);
    f.frame->setStyle(c.style);
    EXPECT_EQ(f.frame->TextColor(), c.text) << c.style;
    EXPECT_EQ(f.frame->FrameColor(), c.frame) << c.style;
    EXPECT_EQ(f.frame->TextBoxColor(), c.textBox) << c.style;
    EXPECT_EQ(f.frame->TextBoxHeight(), 22) << c.style;
    EXPECT_EQ(f.frame->Alignment(), c.alignment) << c.style;
    EXPECT_EQ(f.frame->ThemeColor(), (c.style == 1 || c.style == 4) ? 0 : 3) << c.style;
    EXPECT_EQ(f.frame->RoundedCornerTxtBox(), c.style == 2) << c.style;
    EXPECT_EQ(f.frame->RoundedCorner(), c.style == 3) << c.style;
    const ColorValue fill = c.style == 0 ? f.frame->AmbientBackColor() : c.style == 3 ? 0xE0FFFFu : 0x222222u;
    EXPECT_EQ(f.frame->FillColor(), fill) << c.style;
  }
}

// Setting the style it already has applies the preset again (it used to
// return early, so a preset property switched off since stayed off).
TEST(vkFrames, SettingTheStyleItHasAppliesItsPresetAgain) {
  struct Case {
    int style;
    ColorValue text, frame;
  } cases[] = {{0, 0xCF3603, 0xC3C3C3}, {1, 0, 0}, {2, 0, 0x6A6A6A}, {3, 0, 0}, {4, 0, 0}};
  for (const Case& c : cases) {
    Frame f;
    f.frame->setStyle(c.style);
    f.frame->setRoundedCornerTxtBox(false);
    f.frame->setRoundedCorner(false);
    f.frame->setTextColor(0x123456);
    f.frame->setFrameColor(0x654321);
    f.frame->setTextBoxHeight(40);
    QSignalSpy marked(f.frame, &vkFrames::PropertyChanged);
    f.frame->setStyle(c.style);
    EXPECT_EQ(f.frame->RoundedCornerTxtBox(), c.style == 2) << c.style;
    EXPECT_EQ(f.frame->RoundedCorner(), c.style == 3) << c.style;
    EXPECT_EQ(f.frame->TextColor(), c.text) << c.style;
    EXPECT_EQ(f.frame->FrameColor(), c.frame) << c.style;
    EXPECT_EQ(f.frame->TextBoxHeight(), 22) << c.style;
    EXPECT_GE(marked.count(), 1) << c.style;
  }
}

TEST(vkFrames, ThemeSevenDrawsLikeThemeOne) {
  Frame a, b, c;
  a.frame->setThemeColor(7);
  b.frame->setThemeColor(1);
  EXPECT_EQ(a.frame->Render(), b.frame->Render());
  EXPECT_NE(a.frame->Render(), c.frame->Render());  // theme 0 differs
}

TEST(vkFrames, CustomThemeFollowsColorFromAndColorTo) {
  Frame f;
  f.frame->setCaption(QString());
  f.frame->setThemeColor(5);
  f.frame->setColorFrom(RGBValue(0, 0, 0));
  f.frame->setColorTo(RGBValue(0, 220, 0));
  f.frame->setFrameColor(RGBValue(255, 0, 0));
  const QImage image = f.frame->Render();
  // Caption band rows 3..25: end colour on top, start colour at the bottom; the outline is FrameColor.
  EXPECT_EQ(image.pixel(50, 4), qRgb(0, 210, 0));
  EXPECT_EQ(image.pixel(50, 24), qRgb(0, 10, 0));
  EXPECT_EQ(image.pixel(0, 10), qRgb(255, 0, 0));
  // Theme 0 keeps its own colours whatever ColorFrom says.
  f.frame->setThemeColor(0);
  EXPECT_EQ(f.frame->theme().start, RGBValue(129, 169, 226));
}

TEST(vkFrames, RoundedCornersAndSquareCorners) {
  struct Case {
    bool rounded;
    QRgb corner;
  } cases[] = {{true, 0}, {false, 1}};
  for (const Case& c : cases) {
    Frame f;
    f.frame->setStyle(3);
    f.frame->setRoundedCorner(c.rounded);
    f.frame->setRoundedCornerTxtBox(c.rounded);
    f.frame->setBackColor(RGBValue(0, 255, 0));
    f.frame->setFrameColor(RGBValue(255, 0, 0));
    const QImage image = f.frame->Render();
    const QRgb expected = c.corner ? qRgb(255, 0, 0) : qRgb(0, 255, 0);
    EXPECT_EQ(image.pixel(0, 119), expected) << c.rounded;   // body's bottom-left corner
    EXPECT_EQ(image.pixel(199, 0), expected) << c.rounded;   // caption box's top-right corner
    EXPECT_EQ(image.pixel(100, 119), qRgb(255, 0, 0));       // straight edges are drawn either way
  }
}

TEST(vkFrames, GroupBoxCaptionGapInTheTopLine) {
  for (int alignment : {0, 1, 2}) {
    Frame f;
    f.frame->setStyle(0);
    f.frame->setCaption(QStringLiteral("Select Files"));
    f.frame->setAlignment(alignment);
    f.frame->setFrameColor(RGBValue(255, 0, 0));
    f.frame->setFillColor(RGBValue(0, 0, 255));
    const QImage image = f.frame->Render();
    const QFontMetrics fm(f.frame->font());
    const int w = fm.horizontalAdvance(f.frame->Caption());
    const int y0 = RoundHalfEven(fm.height() / 2.0);
    const int x = alignment == 0 ? 15 : alignment == 1 ? 200 - w - 21 : RoundHalfEven((200 - w) / 2.0);
    EXPECT_EQ(image.pixel(x - 1, y0), qRgb(255, 0, 0)) << alignment;
    EXPECT_EQ(image.pixel(x, y0), qRgb(0, 0, 255)) << alignment;
    EXPECT_EQ(image.pixel(x + w + 5, y0), qRgb(0, 0, 255)) << alignment;
    EXPECT_EQ(image.pixel(x + w + 6, y0), qRgb(255, 0, 0)) << alignment;
    const auto [lo, hi] = ColumnsOf(image, Rgb(0xCF3603), 0, fm.height() - 1);
    EXPECT_GE(lo, x + 3) << alignment;
    EXPECT_LE(hi, x + 3 + w) << alignment;
  }
}

TEST(vkFrames, CaptionAlignmentInTheCaptionBox) {
  Frame f;
  f.frame->setStyle(3);
  f.frame->setCaption(QStringLiteral("Perform Operation"));
  f.frame->setTextColor(RGBValue(255, 0, 0));
  const QFontMetrics fm(f.frame->font());
  const int w = fm.horizontalAdvance(f.frame->Caption());
  const QRgb box = Rgb(f.frame->TextBoxColor());
  // The text's ink between the caption box's outline.
  auto ink = [&] { return ColumnsOf(f.frame->Render(), box, 1, 20, true, 1, 198); };
  f.frame->setAlignment(0);
  auto [lo0, hi0] = ink();
  EXPECT_GE(lo0, 6);
  EXPECT_LE(lo0, 8);
  f.frame->setAlignment(1);
  auto [lo1, hi1] = ink();
  EXPECT_LE(hi1, 193);
  EXPECT_GE(hi1, 190);
  f.frame->setAlignment(2);
  auto [lo2, hi2] = ink();
  EXPECT_NEAR((lo2 + hi2) / 2.0, 100.0, 3.0);
  EXPECT_LE(hi0 - lo0, w);
  EXPECT_GE(lo1, 193 - w);
}

TEST(vkFrames, IconSitsInTheCaptionBox) {
  Frame f;
  f.frame->setStyle(2);
  f.frame->setCaption(QString());
  f.frame->setPicture(StdPicture(QImage(8, 8, QImage::Format_RGB32), StdPicture::Icon));
  QImage green(8, 8, QImage::Format_RGB32);
  green.fill(qRgb(0, 200, 0));
  f.frame->setPicture(StdPicture(green, StdPicture::Icon));
  const QImage image = f.frame->Render();
  // Style 2: left 27, top (22 - 16) / 2 = 3, 16 pixels square.
  EXPECT_EQ(image.pixel(27, 3), qRgb(0, 200, 0));
  EXPECT_EQ(image.pixel(42, 18), qRgb(0, 200, 0));
  EXPECT_NE(image.pixel(26, 3), qRgb(0, 200, 0));
  EXPECT_NE(image.pixel(43, 18), qRgb(0, 200, 0));
  f.frame->setIconAlignment(1);
  EXPECT_EQ(f.frame->Render().pixel(200 - 27 - 1, 3), qRgb(0, 200, 0));
}

TEST(vkFrames, PropertiesRoundTripThroughABag) {
  Frame a;
  a.frame->setStyle(2);
  a.frame->setFrameColor(0x010203);
  a.frame->setBackColor(0x040506);
  a.frame->setFillColor(0x070809);
  a.frame->setTextBoxColor(0x0A0B0C);
  a.frame->setRoundedCorner(false);
  a.frame->setCaption(QStringLiteral("Set Options"));
  a.frame->setTextBoxHeight(30);
  a.frame->setTextColor(0x0D0E0F);
  a.frame->setAlignment(1);
  a.frame->setIconAlignment(2);
  a.frame->setIconSize(24);
  a.frame->setThemeColor(4);
  a.frame->setColorFrom(0x111111);
  a.frame->setColorTo(0x222222);
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPointSize(14);
  font.setBold(true);
  a.frame->setFrameFont(font);
  QImage icon(5, 5, QImage::Format_RGB32);
  icon.fill(qRgb(1, 2, 3));
  a.frame->setPicture(StdPicture(icon, StdPicture::Icon));
  // Through a file, so every stored value must survive the stream.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("frame.bag"));
  FilePropertyBag out(path);
  a.frame->WriteProperties(out);
  ASSERT_TRUE(out.Save());
  FilePropertyBag bag(path);
  ASSERT_TRUE(bag.Load());

  Frame b;
  b.frame->ReadProperties(bag);
  for (const char* name : {"FrameColor", "BackColor", "FillColor", "TextBoxColor", "Style", "RoundedCorner",
                           "RoundedCornerTxtBox", "Caption", "TextBoxHeight", "TextColor", "Alignment",
                           "IconAlignment", "IconSize", "ThemeColor", "ColorFrom", "ColorTo"})
    EXPECT_EQ(b.frame->property(name), a.frame->property(name)) << name;
  EXPECT_EQ(b.frame->font().family(), QStringLiteral("DejaVu Serif"));
  EXPECT_TRUE(b.frame->font().bold());
  EXPECT_EQ(b.frame->theme().start, RGBValue(217, 172, 1));
  EXPECT_EQ(b.frame->Picture().image().pixel(2, 2), qRgb(1, 2, 3));
  EXPECT_EQ(b.frame->Render(), a.frame->Render());

  Frame fresh;
  MemoryPropertyBag empty;
  fresh.frame->WriteProperties(empty);
  EXPECT_TRUE(empty.keys().isEmpty()) << empty.keys().join(u',').toStdString();
}

TEST(vkFrames, OutlandishSizesDrawWithoutTrouble) {
  struct Case {
    int style, width, height, textBoxHeight, iconSize;
  } cases[] = {
      {1, 1, 1, 22, 16}, {0, 3, 2, 22, 16}, {2, 10, 10, -50, -5}, {4, 50, 40, 100000000, 16}, {3, 60, 30, 22, 100000},
  };
  QImage icon(4, 4, QImage::Format_RGB32);
  icon.fill(Qt::blue);
  for (const Case& c : cases) {
    Frame f;
    f.frame->setStyle(c.style);
    f.frame->setPicture(StdPicture(icon, StdPicture::Icon));
    f.frame->resize(c.width, c.height);
    f.frame->setTextBoxHeight(c.textBoxHeight);
    f.frame->setIconSize(c.iconSize);
    EXPECT_EQ(f.frame->Render().size(), QSize(c.width, c.height)) << c.style;
  }
}
