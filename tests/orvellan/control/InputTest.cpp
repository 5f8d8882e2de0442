// Scrolling by method, by dragging and by keys; mouse events in picture coordinates.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
  QCoreApplication::sendEvent(w, &e);
}

void SendKey(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(type, key, mods);
  QCoreApplication::sendEvent(w, &e);
}

struct MouseArgs {
  int button = -1, shift = -1;
  float x = -1, y = -1;
};

}  // namespace

TEST(OrvellanScroll, OvScrollStepsByFactorAndStopsAtTheEnds) {
  ControlHost host(300, 100);
  host.Load(testimages::Gradient(50, 40));
  host.Set("OvZoomPercent", 300);  // 150 x 120 in 300 x 100: vertical maximum 20
  auto* vsb = host.Child<QScrollBar>("vSB");
  ASSERT_EQ(vsb->maximum(), 20);
  vsb->setValue(5);
  host.Call("OvScroll", {1, 10});  // OvDown: 5 + 30 is not below 20
  EXPECT_EQ(vsb->value(), 20);
  host.Call("OvScroll", {0, 2});  // OvUp
  EXPECT_EQ(vsb->value(), 14);
  host.Call("OvScroll", {0, 100});
  EXPECT_EQ(vsb->value(), 0);
}

TEST(OrvellanScroll, OvScrollRefusesBadCountsOnlyWithAPicture) {
  ControlHost host;
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvScroll", {2, 0}); }), 0);  // no picture: nothing
  host.Load(testimages::Gradient(50, 40));
  const struct { int direction, pixels, zoom, error; } cases[] = {
      {2, 0, 100, kErrInvalidPropertyValue},
      {2, -5, 100, kErrInvalidPropertyValue},
      {3, 2000, 2500, kErrOverflow},  // 50000 display pixels
      {3, 1310, 2500, 0},             // 32750
      {7, 1, 100, 0},                 // unknown direction: nothing
  };
  for (const auto& c : cases) {
    host.Set("OvZoomPercent", c.zoom);
    EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvScroll", {c.direction, c.pixels}); }), c.error)
        << c.direction << " " << c.pixels;
  }
}

TEST(OrvellanScroll, OvSetViewRoundsHalvesToEven) {
  ControlHost host(300, 200);
  host.Set("OvScrollBars", 1);  // no bars: maxima 5 and 7
  host.Load(testimages::Gradient(305, 207));
  auto* hsb = host.Child<QScrollBar>("hSB");
  auto* vsb = host.Child<QScrollBar>("vSB");
  ASSERT_EQ(hsb->maximum(), 5);
  ASSERT_EQ(vsb->maximum(), 7);
  auto scrolled = host.Count("OvScrolled");
  const struct { int direction, hv, vv; } cases[] = {
      {4, 2, 4}, {0, 2, 0}, {1, 2, 7}, {2, 0, 4}, {3, 5, 4}, {5, 0, 0}, {6, 5, 0}, {7, 0, 7}, {8, 5, 7}};
  for (const auto& c : cases) {
    host.Call("OvSetView", {c.direction});
    EXPECT_EQ(hsb->value(), c.hv) << c.direction;
    EXPECT_EQ(vsb->value(), c.vv) << c.direction;
  }
  EXPECT_GT(*scrolled, 0);
}

TEST(OrvellanMouse, DragMovesTheViewByScreenPixels) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  host.Set("OvZoomPercent", 400);
  auto* dst = host.Child("iDst");
  auto* hsb = host.Child<QScrollBar>("hSB");
  const struct { int start, dx, end; } cases[] = {{4, 10, 0}, {4, -10, 14}, {110, -10, 115}};
  for (const auto& c : cases) {
    hsb->setValue(c.start);
    SendMouse(dst, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(dst, QEvent::MouseMove, {50 + c.dx, 50}, Qt::NoButton, Qt::LeftButton);
    SendMouse(dst, QEvent::MouseButtonRelease, {50 + c.dx, 50}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(hsb->value(), c.end) << c.start << " " << c.dx;
  }
}

TEST(OrvellanMouse, EventsReportPictureCoordinatesAndCtrlStartsNoDrag) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  host.Set("OvZoomPercent", 400);
  auto* dst = host.Child("iDst");
  auto* hsb = host.Child<QScrollBar>("hSB");
  MouseArgs down, move;
  Dispatch::Advise(host.control(), "MouseDown", [&](QVariantList& a) {
    down = {a[0].toInt(), a[1].toInt(), a[2].toFloat(), a[3].toFloat()};
  }, host.window());
  Dispatch::Advise(host.control(), "MouseMove", [&](QVariantList& a) {
    move = {a[0].toInt(), a[1].toInt(), a[2].toFloat(), a[3].toFloat()};
  }, host.window());

  hsb->setValue(6);
  SendMouse(dst, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(down.button, 1);
  EXPECT_EQ(down.shift, 0);
  EXPECT_EQ(down.x, 4.0f);
  EXPECT_EQ(down.y, 2.0f);
  SendMouse(dst, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton, Qt::NoButton);

  // Ctrl with the left button: MouseDown is raised, the move does not drag.
  SendMouse(dst, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(down.shift, 2);
  SendMouse(dst, QEvent::MouseMove, {30, 10}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(hsb->value(), 6);
  EXPECT_EQ(move.button, 1);
  EXPECT_EQ(move.x, 9.0f);  // (6 + 30) \ 4
}

TEST(OrvellanMouse, BestFitBoxReportsItsOwnCoordinates) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  host.Call("OvZoomBestFit");
  MouseArgs down;
  Dispatch::Advise(host.control(), "MouseDown", [&](QVariantList& a) {
    down = {a[0].toInt(), a[1].toInt(), a[2].toFloat(), a[3].toFloat()};
  }, host.window());
  auto clicks = host.Count("Click");
  QWidget* box = host.Child("iBestFit");
  SendMouse(box, QEvent::MouseButtonPress, {17, 23}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(down.button, 2);
  EXPECT_EQ(down.x, 17.0f);
  EXPECT_EQ(down.y, 23.0f);
  SendMouse(box, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(box, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(*clicks, 1);
}

class OrvellanKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    host.Load(testimages::Gradient(100, 50));
    host.Set("OvZoomPercent", 400);  // horizontal maximum 115
    dst = host.Child("iDst");
    hsb = host.Child<QScrollBar>("hSB");
  }
  ControlHost host{300, 200};
  QWidget* dst = nullptr;
  QScrollBar* hsb = nullptr;
};

TEST_F(OrvellanKeys, ArrowsScrollOnlyWithKeyboardScrollingOn) {
  auto downs = host.Count("KeyDown");
  auto ups = host.Count("KeyUp");
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);
  SendKey(dst, QEvent::KeyRelease, Qt::Key_Right);
  EXPECT_EQ(hsb->value(), 0);
  EXPECT_EQ(*downs, 1);
  EXPECT_EQ(*ups, 1);

  host.Set("OvKeyboardScrolling", true);
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);  // held with no release: runs to the edge
  EXPECT_EQ(hsb->value(), 115);
  SendKey(dst, QEvent::KeyPress, Qt::Key_Left);
  EXPECT_EQ(hsb->value(), 0);
}

TEST_F(OrvellanKeys, HostZeroingKeyCodeStopsScrolling) {
  host.Set("OvKeyboardScrolling", true);
  Dispatch::Advise(host.control(), "KeyDown", [](QVariantList& a) { a[0] = 0; }, host.window());
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);
  EXPECT_EQ(hsb->value(), 0);
}

TEST_F(OrvellanKeys, KeyUpDuringTheLoopEndsIt) {
  host.Set("OvKeyboardScrolling", true);
  int steps = 0;
  Dispatch::Advise(host.control(), "OvScrolled", [&](QVariantList&) {
    if (++steps == 10) QTimer::singleShot(0, dst, [this] { SendKey(dst, QEvent::KeyRelease, Qt::Key_Right); });
  }, host.window());
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);
  EXPECT_GE(hsb->value(), 10);
  EXPECT_LT(hsb->value(), 20);
}

TEST_F(OrvellanKeys, HostDestroyingTheControlDuringTheLoopIsSafe) {
  host.Set("OvKeyboardScrolling", true);
  QPointer<QWidget> control = host.control();
  int steps = 0;
  Dispatch::Advise(host.control(), "OvScrolled", [&](QVariantList&) {
    if (++steps == 5) QTimer::singleShot(0, [&] { host.DestroyWindow(); });
  }, nullptr);
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);
  EXPECT_TRUE(control.isNull());
}

TEST_F(OrvellanKeys, HostClosingOnEscWhileAnArrowIsHeldIsSafe) {
  host.Set("OvKeyboardScrolling", true);
  QPointer<QWidget> control = host.control();
  Dispatch::Advise(host.control(), "KeyPress", [&](QVariantList& a) {
    if (a[0].toInt() == 27) host.DestroyWindow();
  }, nullptr);
  int steps = 0;
  Dispatch::Advise(host.control(), "OvScrolled", [&](QVariantList&) {
    if (++steps == 3) QCoreApplication::postEvent(dst, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  }, nullptr);
  SendKey(dst, QEvent::KeyPress, Qt::Key_Right);
  EXPECT_TRUE(control.isNull());
}

TEST_F(OrvellanKeys, KeyPressCarriesTheCharacterCode) {
  int ascii = -1;
  Dispatch::Advise(host.control(), "KeyPress", [&](QVariantList& a) { ascii = a[0].toInt(); }, host.window());
  QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(dst, &e);
  EXPECT_EQ(ascii, 27);
}

TEST(OrvellanMouse, CursorsShowWhereThePictureCanBeDragged) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  QWidget* dst = host.Child("iDst");
  EXPECT_EQ(dst->cursor().shape(), Qt::ArrowCursor);  // fits: nothing to drag

  host.Set("OvZoomPercent", 400);
  EXPECT_EQ(dst->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(dst->cursor().hotSpot(), QPoint(5, 0));  // cRelease
  SendMouse(dst, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(dst->cursor().hotSpot(), QPoint(15, 16));  // cGrab
  EXPECT_EQ(dst->cursor().bitmap().size(), QSize(32, 32));
  SendMouse(dst, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(dst->cursor().hotSpot(), QPoint(5, 0));

  host.Set("OvMouseScrolling", false);
  EXPECT_EQ(dst->cursor().shape(), Qt::ArrowCursor);
}
