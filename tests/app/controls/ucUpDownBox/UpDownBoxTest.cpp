#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionSlider>
#include <QTest>

#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "platform/com/PropertyBag.h"

namespace {

struct Box {
  QWidget host;
  ucUpDownBox* box;
  Box() : box(new ucUpDownBox(&host)) {
    box->resize(80, 20);
    host.show();
    host.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    box->textBox()->setFocus();
  }
  QLineEdit* txt() const { return box->textBox(); }
  void retype(const QString& keys) {
    txt()->selectAll();
    QTest::keyClick(txt(), Qt::Key_Backspace);
    QTest::keyClicks(txt(), keys);
  }
};

QPoint ArrowCentre(QScrollBar* bar, QStyle::SubControl which) {
  QStyleOptionSlider opt;
  opt.initFrom(bar);
  opt.orientation = bar->orientation();
  opt.minimum = bar->minimum();
  opt.maximum = bar->maximum();
  opt.sliderPosition = bar->sliderPosition();
  opt.sliderValue = bar->value();
  opt.singleStep = bar->singleStep();
  opt.pageStep = bar->pageStep();
  opt.subControls = QStyle::SC_All;
  return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, which, bar).center();
}

}  // namespace

TEST(UpDownBox, TypingAcceptsOnlyDigitsMinusAndBackspace) {
  struct Case {
    const char* keys;
    const char* text;
  } cases[] = {
      {"42", "42"}, {"4a2", "42"}, {"1.5", "15"}, {"-7", "-7"}, {"1e3", "13"}, {"x y", ""}, {"+3", "3"},
  };
  for (const Case& c : cases) {
    Box b;
    b.box->setMin(-1000);
    b.box->setMax(1000);
    b.retype(QString::fromLatin1(c.keys));
    EXPECT_EQ(b.txt()->text(), QString::fromLatin1(c.text)) << c.keys;
  }
}

TEST(UpDownBox, OutOfRangeTextIsKeptAndLeavesValue) {
  Box b;
  QSignalSpy change(b.box, &ucUpDownBox::Change);
  b.retype(QStringLiteral("150"));
  EXPECT_EQ(b.txt()->text(), QStringLiteral("150"));
  EXPECT_EQ(b.box->Value(), 15);  // "1" and "15" were in range, "150" is not
  EXPECT_EQ(change.count(), 2);   // "1" changed 0 -> 1, "15" changed 1 -> 15; the clearing raised none
}

TEST(UpDownBox, ClearingGivesZeroWithoutChangeEvenBelowMin) {
  Box b;
  b.box->setMin(5);
  b.box->setValue(9);
  QSignalSpy change(b.box, &ucUpDownBox::Change);
  QSignalSpy valueChanged(b.box, &ucUpDownBox::ValueChanged);
  b.txt()->selectAll();
  QTest::keyClick(b.txt(), Qt::Key_Backspace);
  EXPECT_EQ(b.txt()->text(), QString());
  EXPECT_EQ(b.box->Value(), 0);
  EXPECT_EQ(change.count(), 0);
  EXPECT_EQ(valueChanged.count(), 1);  // the property's own notification still tells
  // A lone minus sign is not a number either.
  QTest::keyClicks(b.txt(), QStringLiteral("-"));
  EXPECT_EQ(b.box->Value(), 0);
  EXPECT_EQ(change.count(), 0);
}

TEST(UpDownBox, ArrowsStepWithinBoundsAndAlwaysRaiseChange) {
  struct Case {
    int start;
    Qt::Key key;
    int expected;
  } cases[] = {
      {50, Qt::Key_Up, 51}, {50, Qt::Key_Down, 49}, {100, Qt::Key_Up, 100}, {0, Qt::Key_Down, 0},
  };
  for (const Case& c : cases) {
    Box b;
    b.box->setValue(c.start);
    b.txt()->setText(QStringLiteral("150"));  // out of range: shown, Value untouched
    QSignalSpy change(b.box, &ucUpDownBox::Change);
    QTest::keyClick(b.txt(), c.key);
    EXPECT_EQ(b.box->Value(), c.expected) << c.start;
    EXPECT_EQ(b.txt()->text(), QString::number(c.expected)) << c.start;
    EXPECT_EQ(b.txt()->selectedText(), QString::number(c.expected)) << c.start;
    EXPECT_EQ(change.count(), 1) << c.start;
    EXPECT_EQ(b.box->spinBar()->value(), 0);
  }
}

TEST(UpDownBox, ClickingTheArrowsSpins) {
  Box b;
  b.box->setValue(10);
  QSignalSpy change(b.box, &ucUpDownBox::Change);
  QScrollBar* bar = b.box->spinBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, ArrowCentre(bar, QStyle::SC_ScrollBarSubLine));
  EXPECT_EQ(b.box->Value(), 11);
  QTest::mouseClick(bar, Qt::LeftButton, {}, ArrowCentre(bar, QStyle::SC_ScrollBarAddLine));
  QTest::mouseClick(bar, Qt::LeftButton, {}, ArrowCentre(bar, QStyle::SC_ScrollBarAddLine));
  EXPECT_EQ(b.box->Value(), 9);
  EXPECT_EQ(change.count(), 3);
  EXPECT_EQ(bar->value(), 0);
}

TEST(UpDownBox, SettingValueFromCodeClamps) {
  struct Case {
    int set;
    const char* text;
    int value;
  } cases[] = {{-5, "0", 0}, {500, "100", 100}, {37, "37", 37}};
  for (const Case& c : cases) {
    Box b;
    b.box->setValue(c.set);
    EXPECT_EQ(b.txt()->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(b.box->Value(), c.value);
  }
}

TEST(UpDownBox, ChangeOnlyWhenTheValueDiffers) {
  Box b;
  b.box->setValue(20);
  QSignalSpy change(b.box, &ucUpDownBox::Change);
  b.box->setValue(20);
  b.txt()->setText(QStringLiteral("020"));
  EXPECT_EQ(change.count(), 0);
  b.txt()->setText(QStringLiteral("20.5"));  // a whole number by rounding halves to even
  EXPECT_EQ(b.box->Value(), 20);
  b.txt()->setText(QStringLiteral("21.5"));
  EXPECT_EQ(b.box->Value(), 22);
  EXPECT_EQ(change.count(), 1);
}

TEST(UpDownBox, MinAndMaxDoNotMoveTheCurrentValue) {
  Box b;
  b.box->setValue(50);
  b.box->setMax(10);
  b.box->setMin(60);
  EXPECT_EQ(b.box->Value(), 50);
}

TEST(UpDownBox, FocusSelectsAllText) {
  Box b;
  b.box->setMax(1000);
  b.box->setValue(123);
  QLineEdit other(&b.host);
  other.show();
  other.setFocus();
  b.txt()->deselect();
  b.box->setFocus(Qt::OtherFocusReason);
  EXPECT_TRUE(b.txt()->hasFocus());
  EXPECT_EQ(b.txt()->selectedText(), b.txt()->text());
}

TEST(UpDownBox, LayoutPutsArrowsAtTheRightInScrollBarWidth) {
  Box b;
  b.box->resize(120, 10);
  const int bw = b.box->barWidth();
  EXPECT_EQ(bw, b.box->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  EXPECT_EQ(b.box->height(), QFontMetrics(b.box->font()).height() + 8);  // one line, margins, border
  const QRect bar = b.box->spinBar()->geometry();
  EXPECT_EQ(bar.right(), 120 - 2 - 1);
  EXPECT_EQ(bar.width(), bw);
  EXPECT_EQ(bar.height(), b.box->height() - 4);
  EXPECT_EQ(b.txt()->geometry().left(), 3);
  EXPECT_EQ(b.txt()->geometry().right() + 1, bar.left());
  b.box->resize(5, 20);
  EXPECT_GE(b.box->width(), 2 * bw);

  QFont big = b.box->font();
  big.setPointSize(20);
  b.box->setFont(big);
  EXPECT_EQ(b.box->height(), QFontMetrics(big).height() + 8);
}

TEST(UpDownBox, PropertiesRoundTripThroughABag) {
  Box b;
  b.box->setMin(-10);
  b.box->setMax(500);
  b.box->setValue(250);
  b.box->setAlignment(1);
  b.box->setBackColor(0x00112233);
  b.box->setForeColor(0x00445566);
  b.box->setBorderStyle(0);
  b.box->setEnabled(false);
  MemoryPropertyBag bag;
  b.box->WriteProperties(bag);

  Box c;
  QSignalSpy change(c.box, &ucUpDownBox::Change);
  c.box->ReadProperties(bag);
  EXPECT_EQ(c.box->Min(), -10);
  EXPECT_EQ(c.box->Max(), 500);
  EXPECT_EQ(c.box->Value(), 250);
  EXPECT_EQ(c.txt()->text(), QStringLiteral("250"));
  EXPECT_EQ(c.box->Alignment(), 1);
  EXPECT_EQ(c.txt()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(c.box->BackColor(), 0x00112233u);
  EXPECT_EQ(c.box->ForeColor(), 0x00445566u);
  EXPECT_EQ(c.box->BorderStyle(), 0);
  EXPECT_FALSE(c.box->isEnabled());
  EXPECT_FALSE(c.box->spinBar()->isEnabled());
  EXPECT_EQ(change.count(), 0);

  // Defaults are not stored.
  Box d;
  MemoryPropertyBag empty;
  d.box->WriteProperties(empty);
  EXPECT_TRUE(empty.keys().isEmpty()) << empty.keys().join(u',').toStdString();
}
