#include <gtest/gtest.h>

#include <QImage>

#include "app/controls/progbar/BarPictureBox.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/ColorValue.h"

namespace {

constexpr ColorValue kBack = 0xE0E0E0u;
constexpr ColorValue kBar = 0x808080u;

// A 200 x 20 bar with the main window's colours and no edges.
struct ProgbarFixture {
  ProgbarFixture() {
    bar.resize(200, 20);
    bar.setBackColor(kBack);
    bar.setBarcolor(kBar);
  }
  QImage Shown() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  Rk_Progbar bar;
};

}  // namespace

TEST(Rk_Progbar, BarWidthFollowsValueOverMax) {
  struct Case {
    int value, max, offset;
    QRect geometry;
  };
  const Case cases[] = {
      {50, 100, 0, QRect(0, 0, 100, 20)},
      {50, 100, 1, QRect(2, 2, 98, 16)},
      {100, 100, 0, QRect(0, 0, 200, 20)},
      {1, 3, 0, QRect(0, 0, 67, 20)},     // 66.67 rounds to 67
      {150, 100, 0, QRect(0, 0, 300, 20)},  // wider than the control, clipped by it
  };
  for (const Case& c : cases) {
    ProgbarFixture f;
    f.bar.setMax(c.max);
    f.bar.setBarOffset(c.offset);
    f.bar.setValue(c.value);
    EXPECT_TRUE(f.bar.picBar()->isVisibleTo(&f.bar));
    EXPECT_EQ(f.bar.picBar()->geometry(), c.geometry) << c.value << " of " << c.max << ", offset " << c.offset;
  }
}

TEST(Rk_Progbar, HalfwayBarCoversHalfTheControl) {
  ProgbarFixture f;
  f.bar.setValue(50);
  const QImage shown = f.Shown();
  EXPECT_EQ(shown.pixel(0, 10), TranslateColor(kBar).rgb());
  EXPECT_EQ(shown.pixel(99, 10), TranslateColor(kBar).rgb());
  EXPECT_EQ(shown.pixel(100, 10), TranslateColor(kBack).rgb());
  EXPECT_EQ(shown.pixel(199, 19), TranslateColor(kBack).rgb());
}

TEST(Rk_Progbar, ValueZeroOrMaxZeroHidesTheBarWhateverTheStyles) {
  ProgbarFixture f;
  f.bar.setBarstyle(5);
  f.bar.setBorderStyle(3);
  f.bar.setBarOffset(1);
  f.bar.setValue(50);
  ASSERT_TRUE(f.bar.picBar()->isVisibleTo(&f.bar));

  f.bar.setValue(0);
  EXPECT_FALSE(f.bar.picBar()->isVisibleTo(&f.bar));
  EXPECT_EQ(f.Shown().pixel(50, 10), TranslateColor(kBack).rgb());

  f.bar.setValue(50);
  f.bar.setMax(0);
  f.bar.setValue(50);
  EXPECT_FALSE(f.bar.picBar()->isVisibleTo(&f.bar));
}

TEST(Rk_Progbar, BarStyleAndOffsetShowAtTheNextValueChange) {
  ProgbarFixture f;
  f.bar.setValue(50);
  const QRgb flat = f.bar.picBar()->picture().pixel(0, 0);
  EXPECT_EQ(flat, TranslateColor(kBar).rgb());

  f.bar.setBarstyle(5);  // raised: light outer top-left line
  f.bar.setBarOffset(1);
  EXPECT_EQ(f.bar.picBar()->picture().pixel(0, 0), flat);
  EXPECT_EQ(f.bar.picBar()->geometry(), QRect(0, 0, 100, 20));

  f.bar.setValue(50);
  EXPECT_EQ(f.bar.picBar()->geometry(), QRect(2, 2, 98, 16));
  EXPECT_EQ(f.bar.picBar()->picture().pixel(0, 0), TranslateColor(SystemColor(COLOR_3DLIGHT)).rgb());
  EXPECT_EQ(f.bar.picBar()->picture().pixel(97, 15), TranslateColor(SystemColor(COLOR_3DDKSHADOW)).rgb());
}

TEST(Rk_Progbar, BorderStyleIsDrawnAroundTheControl) {
  ProgbarFixture f;
  f.bar.setBorderStyle(3);  // sunken outer: shadow top-left, highlight bottom-right
  const QImage shown = f.Shown();
  EXPECT_EQ(shown.pixel(0, 0), TranslateColor(SystemColor(COLOR_BTNSHADOW)).rgb());
  EXPECT_EQ(shown.pixel(199, 19), TranslateColor(SystemColor(COLOR_BTNHIGHLIGHT)).rgb());
  EXPECT_EQ(shown.pixel(1, 1), TranslateColor(kBack).rgb());
}

TEST(Rk_Progbar, ResizeMovesTheBarBackToTheLeftEdge) {
  ProgbarFixture f;
  f.bar.setBarOffset(1);
  f.bar.setValue(50);
  f.bar.show();  // a hidden widget gets its resize event only when shown
  f.bar.resize(300, 20);
  EXPECT_EQ(f.bar.picBar()->geometry(), QRect(0, 2, 98, 16));
}

TEST(Rk_Progbar, PropertiesRoundTripThroughThePropertyBag) {
  MemoryPropertyBag defaults;
  Rk_Progbar plain;
  plain.WriteProperties(defaults);
  EXPECT_TRUE(defaults.keys().isEmpty()) << defaults.keys().join(",").toStdString();

  Rk_Progbar source;
  source.setMin(5);
  source.setMax(250);
  source.setValue(40);
  source.setBackColor(0xE0E0E0u);
  source.setBarcolor(0x808080u);
  source.setBarstyle(5);
  source.setBorderStyle(3);
  source.setBarOffset(1);
  MemoryPropertyBag bag;
  source.WriteProperties(bag);
  EXPECT_EQ(bag.keys().size(), 8);

  Rk_Progbar read;
  read.resize(200, 20);
  read.ReadProperties(bag);
  for (const char* name : {"Min", "Max", "Value", "BackColor", "Barcolor", "Barstyle", "BorderStyle", "BarOffset"})
    EXPECT_EQ(read.property(name), source.property(name)) << name;
  EXPECT_EQ(bag.stored(QStringLiteral("BackColor")).toUInt(), 0xE0E0E0u);
  EXPECT_TRUE(read.picBar()->isVisibleTo(&read));

  // Back to a default: the key is removed.
  read.setBarstyle(0);
  read.WriteProperties(bag);
  EXPECT_FALSE(bag.contains(QStringLiteral("Barstyle")));
}

TEST(Rk_Progbar, ChangesAreMarkedOnlyWhenAPropertyChanges) {
  Rk_Progbar bar;
  QStringList marked;
  QObject::connect(&bar, &Rk_Progbar::PropertyChanged, [&](const QString& name) { marked << name; });
  bar.setMax(100);
  bar.setValue(10);
  bar.setValue(10);
  bar.setBorderStyle(6);
  EXPECT_EQ(marked, (QStringList{"Value", "BorderStyle"}));
}
