#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"
#include "app/controls/ColorPicker/cpfrmTip.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/Numbers.h"

namespace {

QRgb Sys(int index) { return TranslateColor(SystemColor(index)).rgb(); }

QPoint Centre(const WinRect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

class ColorPickerTest : public ::testing::Test {
 protected:
  QWidget host;
  ColorPicker* picker = nullptr;
  cpfrmColorPalette::ColorDialogHandler oldHandler;

  void SetUp() override {
    SharedCustomColors().Clear();
    host.resize(300, 200);
    picker = new ColorPicker(&host);
    picker->move(10, 10);
    picker->resize(80, 21);
    host.show();
    oldHandler = cpfrmColorPalette::SetColorDialogHandler(
        [](QWidget*) -> std::optional<ColorValue> { ADD_FAILURE() << "colour dialog opened"; return std::nullopt; });
  }
  void TearDown() override {
    cpfrmColorPalette::SetColorDialogHandler(oldHandler);
    Settle();
  }

  cpfrmColorPalette* Open() {
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(20, 10));
    return picker->palette();
  }
  void ClickCell(cpfrmColorPalette* palette, int cell) {
    const QPoint at = Centre(palette->layout().cell(cell).rect);
    QTest::mouseMove(palette, at);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at);
  }
};

}  // namespace

TEST_F(ColorPickerTest, ChoosingACellSetsColorAndClickFollowsTheClose) {
  QSignalSpy click(picker, &ColorPicker::Click);
  cpfrmColorPalette* palette = Open();
  ASSERT_NE(palette, nullptr);
  EXPECT_TRUE(palette->isVisible());
  EXPECT_EQ(palette->size(), QSize(143, 203));
  EXPECT_EQ(click.count(), 0);  // not before the palette has closed
  QPointer<cpfrmColorPalette> guard(palette);
  ClickCell(palette, 10);
  Settle();
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(picker->Color(), 0xE0E0E0u);
  EXPECT_EQ(click.count(), 1);
}

TEST_F(ColorPickerTest, SystemModeCellsChooseSystemColoursOrWhite) {
  struct Case {
    int cell;
    ColorValue chosen;
  } cases[] = {{2, 0x80000000u}, {17, 0x8000000Fu}, {27, 0xFFFFFFu}, {49, 0xFFFFFFu}};
  for (const Case& c : cases) {
    picker->setColor(0x123456);
    cpfrmColorPalette* palette = Open();
    ASSERT_NE(palette, nullptr);
    ClickCell(palette, kCellSystem);
    EXPECT_EQ(palette->mode(), PaletteMode::System);
    ClickCell(palette, c.cell);
    Settle();
    EXPECT_EQ(picker->Color(), c.chosen) << c.cell;
  }
}

TEST_F(ColorPickerTest, SystemModeCellsBeyondTheSystemColoursPaintWhite) {
  cpfrmColorPalette* palette = Open();
  ClickCell(palette, kCellSystem);
  QTest::mouseMove(palette, QPoint(1, 1));  // no cell hot
  const QImage image = palette->Render();
  for (int n = 27; n <= 49; ++n)
    EXPECT_EQ(image.pixel(Centre(palette->layout().cell(n).rect)), qRgb(255, 255, 255)) << n;
  EXPECT_EQ(image.pixel(Centre(palette->layout().cell(2).rect)), TranslateColor(0x80000000u).rgb());
  ClickCell(palette, kCellNormal);
  EXPECT_EQ(palette->Render().pixel(Centre(palette->layout().cell(49).rect)), qRgb(0x40, 0, 0x40));
}

TEST_F(ColorPickerTest, EscapeAndAReleaseOutsideCloseWithoutAChoice) {
  picker->setColor(0x00ABCDEF);
  QSignalSpy click(picker, &ColorPicker::Click);
  cpfrmColorPalette* palette = Open();
  QTest::keyClick(palette, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(picker->palette(), nullptr);
  EXPECT_EQ(picker->Color(), 0x00ABCDEFu);
  EXPECT_EQ(click.count(), 1);

  palette = Open();
  ASSERT_NE(palette, nullptr);
  QTest::keyClick(palette, Qt::Key_A);  // no other key acts
  EXPECT_NE(picker->palette(), nullptr);
  QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(200, 50));
  Settle();
  EXPECT_EQ(picker->palette(), nullptr);
  EXPECT_EQ(picker->Color(), 0x00ABCDEFu);
  EXPECT_EQ(click.count(), 2);
}

TEST_F(ColorPickerTest, AReleaseAwayFromThePressedCellOnlyRestoresIt) {
  cpfrmColorPalette* palette = Open();
  const QPoint a = Centre(palette->layout().cell(5).rect);
  const QPoint b = Centre(palette->layout().cell(6).rect);
  QTest::mouseMove(palette, a);
  QTest::mousePress(palette, Qt::LeftButton, {}, a);
  EXPECT_EQ(palette->pressedCell(), 5);
  QTest::mouseMove(palette, b);
  QTest::mouseRelease(palette, Qt::LeftButton, {}, b);
  EXPECT_EQ(palette->pressedCell(), 0);
  EXPECT_EQ(picker->palette(), palette);  // still open, nothing chosen
}

TEST_F(ColorPickerTest, ClickEndingOutsideThePickerOpensNothing) {
  QSignalSpy click(picker, &ColorPicker::Click);
  QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(picker->width() - 5, 10));
  EXPECT_TRUE(picker->buttonPressed());
  QTest::mouseMove(picker, QPoint(picker->width() + 30, 10));
  EXPECT_FALSE(picker->buttonPressed());
  QTest::mouseRelease(picker, Qt::LeftButton, {}, QPoint(picker->width() + 30, 10));
  Settle();
  EXPECT_EQ(picker->palette(), nullptr);
  EXPECT_EQ(click.count(), 0);
}

TEST_F(ColorPickerTest, ColourDialogAddsToTheSharedCustomList) {
  ColorValue next = 0x010101;
  cpfrmColorPalette::SetColorDialogHandler([&next](QWidget*) -> std::optional<ColorValue> { return next; });
  for (int i = 1; i <= 9; ++i) {
    next = 0x010101u * static_cast<ColorValue>(i);
    cpfrmColorPalette* palette = Open();
    ASSERT_NE(palette, nullptr);
    ClickCell(palette, kCellMore);
    Settle();
    EXPECT_EQ(picker->Color(), next);
  }
  EXPECT_EQ(SharedCustomColors().At(1), std::optional<ColorValue>(0x090909u));
  EXPECT_EQ(SharedCustomColors().At(2), std::optional<ColorValue>(0x020202u));

  // A second picker sees the same list, and its custom cells choose from it.
  ColorPicker other(&host);
  other.show();
  QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_NE(other.palette(), nullptr);
  EXPECT_EQ(other.palette()->layout().cell(51).color, 0x020202u);
  ClickCell(other.palette(), 50);
  Settle();
  EXPECT_EQ(other.Color(), 0x090909u);
}

TEST_F(ColorPickerTest, CancelledColourDialogKeepsColor) {
  picker->setColor(0x445566);
  cpfrmColorPalette::SetColorDialogHandler([](QWidget*) -> std::optional<ColorValue> { return std::nullopt; });
  QSignalSpy click(picker, &ColorPicker::Click);
  ClickCell(Open(), kCellMore);
  Settle();
  EXPECT_EQ(picker->Color(), 0x445566u);
  EXPECT_EQ(SharedCustomColors().count(), 0);
  EXPECT_EQ(click.count(), 1);
}

TEST_F(ColorPickerTest, TipsWaitForTheMouseToRestAndFollowShowToolTips) {
  cpfrmColorPalette* palette = Open();
  QTest::mouseMove(palette, Centre(palette->layout().cell(10).rect));
  EXPECT_FALSE(palette->tipPending());  // standard colours carry no tip
  QTest::mouseMove(palette, Centre(palette->layout().cell(52).rect));
  EXPECT_TRUE(palette->tipPending());
  EXPECT_EQ(palette->tipWindow()->isVisible(), false);
  palette->ShowPendingTip();  // what the 1000 ms timer does
  EXPECT_TRUE(palette->tipWindow()->isVisible());
  EXPECT_EQ(palette->tipWindow()->text(), QStringLiteral("Custom Color 3"));
  QTest::mouseMove(palette, Centre(palette->layout().cell(10).rect));
  EXPECT_FALSE(palette->tipWindow()->isVisible());
  QTest::keyClick(palette, Qt::Key_Escape);
  Settle();

  picker->setShowToolTips(false);
  palette = Open();
  QTest::mouseMove(palette, Centre(palette->layout().cell(52).rect));
  EXPECT_FALSE(palette->tipPending());
}

TEST_F(ColorPickerTest, HotAndPressedCellLooks) {
  cpfrmColorPalette* palette = Open();
  const WinRect r = palette->layout().cell(20).rect;
  EXPECT_EQ(palette->Render().pixel(r.left, r.top), Sys(COLOR_BTNFACE));
  QTest::mouseMove(palette, Centre(r));
  EXPECT_EQ(palette->hotCell(), 20);
  EXPECT_EQ(palette->Render().pixel(r.left, r.top), Sys(COLOR_BTNHIGHLIGHT));
  QTest::mousePress(palette, Qt::LeftButton, {}, Centre(r));
  EXPECT_EQ(palette->Render().pixel(r.left, r.top), Sys(COLOR_BTNSHADOW));
}

TEST_F(ColorPickerTest, HeightStartsAt315TwipsAndNeverDropsBelow285) {
  ColorPicker fresh(&host);
  EXPECT_EQ(PixelsToTwips(fresh.height()), 315);
  fresh.resize(80, 5);
  EXPECT_EQ(PixelsToTwips(fresh.height()), 285);
}

TEST_F(ColorPickerTest, PaintingInBothLooks) {
  picker->setColor(0x0000FF);  // red
  picker->resize(80, 21);
  for (int appearance : {1, 0}) {
    picker->setAppearance(appearance);
    const QImage image = picker->Render();
    const int inset = appearance == 1 ? 4 : 3;
    EXPECT_EQ(image.pixel(20, 10), qRgb(255, 0, 0)) << appearance;
    EXPECT_EQ(image.pixel(inset, inset), Sys(COLOR_GRAYTEXT)) << appearance;  // swatch frame
    EXPECT_EQ(image.pixel(80 - 18, 10), Sys(COLOR_GRAYTEXT)) << appearance;
    EXPECT_EQ(image.pixel(inset - 1, inset - 1), TranslateColor(picker->BackColor()).rgb()) << appearance;
    EXPECT_EQ(image.pixel(67, 14), Sys(COLOR_BTNFACE)) << appearance;  // drop button
    EXPECT_EQ(image.pixel(71, 9), Sys(COLOR_BTNTEXT)) << appearance;   // its arrow
  }
}

TEST_F(ColorPickerTest, PropertiesRoundTripThroughABag) {
  picker->setColor(0x102030);
  picker->setDefaultColor(0x80000005u);
  picker->setAppearance(0);
  picker->setBackColor(0x00FF00);
  picker->setShowDefault(false);
  picker->setShowCustomColors(false);
  picker->setShowMoreColors(false);
  picker->setDefaultCaption(QStringLiteral("Automatic"));
  picker->setMoreColorsCaption(QStringLiteral("Other..."));
  picker->setShowSysColorButton(false);
  picker->setShowToolTips(false);
  MemoryPropertyBag bag;
  picker->WriteProperties(bag);
  EXPECT_EQ(bag.stored(QStringLiteral("Value")).toUInt(), 0x102030u);

  ColorPicker copy;
  copy.ReadProperties(bag);
  for (const char* name : {"Color", "DefaultColor", "Appearance", "BackColor", "ShowDefault", "ShowCustomColors",
                           "ShowMoreColors", "DefaultCaption", "MoreColorsCaption", "ShowSysColorButton",
                           "ShowToolTips"})
    EXPECT_EQ(copy.property(name), picker->property(name)) << name;

  ColorPicker fresh;
  MemoryPropertyBag empty;
  fresh.WriteProperties(empty);
  EXPECT_TRUE(empty.keys().isEmpty());
}

TEST_F(ColorPickerTest, KeyAndMouseNotificationsCarryTheSharedCodes) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int keyCode, shift, ascii;  // ascii 0: no KeyPress, -1: not looked at
  } cases[] = {
      {Qt::Key_A, Qt::NoModifier, 65, 0, 'a'},        {Qt::Key_5, Qt::NoModifier, 53, 0, '5'},
      {Qt::Key_A, Qt::ShiftModifier, 65, 1, -1},      {Qt::Key_Tab, Qt::NoModifier, 9, 0, 9},
      {Qt::Key_Backtab, Qt::ShiftModifier, 9, 1, -1}, {Qt::Key_Down, Qt::ControlModifier, 40, 2, 0},
      {Qt::Key_F5, Qt::AltModifier, 116, 4, 0},       {Qt::Key_Escape, Qt::NoModifier, 27, 0, 27},
  };
  picker->setFocus();
  for (const Case& c : cases) {
    QSignalSpy down(picker, &ColorPicker::KeyDown);
    QSignalSpy press(picker, &ColorPicker::KeyPress);
    QSignalSpy up(picker, &ColorPicker::KeyUp);
    // The modifier keys go down before the key and come up after it.
    QTest::keyClick(picker, c.key, c.modifiers);
    ASSERT_FALSE(down.isEmpty() || up.isEmpty()) << c.key;
    EXPECT_EQ(down.last(), (QList<QVariant>{c.keyCode, c.shift})) << c.key;
    EXPECT_EQ(up.first(), (QList<QVariant>{c.keyCode, c.shift})) << c.key;
    if (c.ascii < 0) continue;
    ASSERT_EQ(press.count(), c.ascii ? 1 : 0) << c.key;
    if (c.ascii) {
      EXPECT_EQ(press[0][0].toInt(), c.ascii) << c.key;
    }
  }
  EXPECT_EQ(picker->palette(), nullptr);  // no key acts on the picker

  QSignalSpy mouseDown(picker, &ColorPicker::MouseDown);
  QTest::mousePress(picker, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(2, 3));
  ASSERT_EQ(mouseDown.count(), 1);
  EXPECT_EQ(mouseDown[0][0].toInt(), 2);
  EXPECT_EQ(mouseDown[0][1].toInt(), 3);
  EXPECT_EQ(mouseDown[0][2].toFloat(), 30.0f);  // twips
  EXPECT_EQ(mouseDown[0][3].toFloat(), 45.0f);
  QTest::mouseRelease(picker, Qt::RightButton, {}, QPoint(2, 3));
}

TEST_F(ColorPickerTest, AHandlerMayDeleteThePicker) {
  // A chosen colour: ColorChanged comes before Click.
  QObject::connect(picker, &ColorPicker::ColorChanged, picker, [this] { delete picker; });
  QPointer<ColorPicker> guard(picker);
  ClickCell(Open(), 10);
  Settle();
  EXPECT_TRUE(guard.isNull());

  // The mouse and key notifications come before the picker's own work.
  using Notify = std::function<void(ColorPicker*)>;
  const Notify actions[] = {
      [](ColorPicker* p) { QTest::mousePress(p, Qt::LeftButton, {}, QPoint(p->width() - 5, 10)); },
      [](ColorPicker* p) { QTest::mouseRelease(p, Qt::LeftButton, {}, QPoint(10, 10)); },
      [](ColorPicker* p) { QTest::mouseMove(p, QPoint(12, 10)); },
      [](ColorPicker* p) { QTest::keyPress(p, Qt::Key_A); },
      [](ColorPicker* p) { QTest::keyRelease(p, Qt::Key_A); },
  };
  for (const Notify& act : actions) {
    auto* victim = new ColorPicker(&host);
    victim->show();
    victim->setMouseTracking(true);
    QPointer<ColorPicker> alive(victim);
    auto kill = [victim] { delete victim; };
    QObject::connect(victim, &ColorPicker::MouseDown, victim, kill);
    QObject::connect(victim, &ColorPicker::MouseUp, victim, kill);
    QObject::connect(victim, &ColorPicker::MouseMove, victim, kill);
    QObject::connect(victim, &ColorPicker::KeyDown, victim, kill);
    QObject::connect(victim, &ColorPicker::KeyUp, victim, kill);
    act(victim);
    Settle();
    EXPECT_TRUE(alive.isNull());
  }
}
