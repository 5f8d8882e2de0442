// A host may destroy the control from inside any of its event handlers (a
// preview window closing on a key, a double-click or a zoom). Every way the
// control raises an event must then end without touching the freed control.
// ctest runs this table once more under valgrind (test
// orvellan_control_destroy_in_handler_memcheck), where a read of freed memory fails it.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <functional>

#include "platform/com/PropertyBag.h"
#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

void SendKey(QWidget* w, QEvent::Type type, int key) {
  QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_A ? QStringLiteral("a") : QString());
  QCoreApplication::sendEvent(w, &e);
}

void SendWheel(QWidget* w, int delta) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w, &e);
}

// A 100 x 50 picture at 400 % in a 300 x 200 control: both bars, maxima 115
// and 15, scrolled to (50, 7) so every direction moves.
struct Scene {
  ControlHost host{300, 200};
  QWidget* dst = nullptr;
  QWidget* bestFit = nullptr;
  QScrollBar* hsb = nullptr;
  QScrollBar* vsb = nullptr;

  Scene() {
    host.Load(testimages::Gradient(100, 50));
    host.Set("OvZoomPercent", 400);
    dst = host.Child("iDst");
    bestFit = host.Child("iBestFit");
    hsb = host.Child<QScrollBar>("hSB");
    vsb = host.Child<QScrollBar>("vSB");
    hsb->setValue(50);
    vsb->setValue(7);
  }
};

struct Way {
  const char* event;  // whose handler destroys the control
  const char* how;    // what raises it
  std::function<void(Scene&)> prepare;  // before the handler is attached
  std::function<void(Scene&)> raise;
  int destroyOn = 1;  // the raise whose handler destroys the control
};

std::vector<Way> Ways() {
  auto call = [](const char* method, QVariantList args = {}) {
    return [=](Scene& s) { s.host.Call(method, args); };
  };
  auto none = [](Scene&) {};
  auto bestFit = [](Scene& s) { s.host.Call("OvZoomBestFit"); };
  auto keyboardScrolling = [](Scene& s) { s.host.Set("OvKeyboardScrolling", true); };
  auto atRightEdge = [](Scene& s) { s.hsb->setValue(115); };
  std::vector<Way> ways = {
      {"OvZoomIN", "OvZoomIN", none, call("OvZoomIN")},
      {"OvZoomOUT", "OvZoomOUT", none, call("OvZoomOUT")},
      {"OvZoomACTUAL", "OvZoom100", none, call("OvZoom100")},
      {"OvZoomBEST", "OvZoomBestFit", none, call("OvZoomBestFit")},
      {"OvZoomPCNT", "OvZoomPercent", none, [](Scene& s) { s.host.Set("OvZoomPercent", 300); }},

      {"OvScrolled", "OvScroll up", none, call("OvScroll", {0, 1})},
      {"OvScrolled", "OvScroll down", none, call("OvScroll", {1, 1})},
      {"OvScrolled", "OvScroll left", none, call("OvScroll", {2, 1})},
      {"OvScrolled", "OvScroll right", none, call("OvScroll", {3, 1})},
      {"OvScrolled", "drag", none,
       [](Scene& s) {
         SendMouse(s.dst, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
         SendMouse(s.dst, QEvent::MouseMove, {40, 45}, Qt::NoButton, Qt::LeftButton);
       }},
      {"OvScrolled", "arrow key", keyboardScrolling,
       [](Scene& s) { SendKey(s.dst, QEvent::KeyPress, Qt::Key_Right); }},
      {"OvScrolled", "wheel on the vertical bar", none, [](Scene& s) { SendWheel(s.vsb, -120); }},
      {"OvScrolled", "wheel on the horizontal bar", none, [](Scene& s) { SendWheel(s.hsb, -120); }},
      {"OvScrolled", "click on the bar's page area", none,
       [](Scene& s) {
         SendMouse(s.hsb, QEvent::MouseButtonPress, {s.hsb->width() - 25, s.hsb->height() / 2}, Qt::LeftButton,
                   Qt::LeftButton);
       }},
      {"OvScrolled", "the bar's repeat timer while an arrow is held", none,
       [](Scene& s) {
         QPointer<QScrollBar> bar = s.hsb;
         SendMouse(bar, QEvent::MouseButtonPress, {bar->width() - 3, bar->height() / 2}, Qt::LeftButton,
                   Qt::LeftButton);
         EXPECT_TRUE(QTest::qWaitFor([&] { return bar.isNull(); }, 3000));
       },
       2},
      {"OvScrolled", "zooming out moves the view inside the new range", atRightEdge, call("OvZoomOUT")},
      {"OvScrolled", "OvZoomPercent moves the view inside the new range", atRightEdge,
       [](Scene& s) { s.host.Set("OvZoomPercent", 200); }},
      {"OvScrolled", "OvClear", none, call("OvClear")},
      {"OvScrolled", "OvResize to a smaller picture", none, call("OvResize", {80, 40})},
      {"OvScrolled", "loading a smaller picture", none,
       [](Scene& s) { s.host.LoadRef(testimages::Gradient(80, 40)); }},
      // Qt goes on using a widget after its resize handler returns, so this
      // event comes from the event loop just after.
      {"OvScrolled", "the host enlarges the control", none,
       [](Scene& s) {
         QPointer<QWidget> control = s.host.control();
         control->resize(380, 240);
         EXPECT_TRUE(QTest::qWaitFor([&] { return control.isNull(); }, 2000));
       }},

      {"Click", "display box", none,
       [](Scene& s) {
         SendMouse(s.dst, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
         SendMouse(s.dst, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
       }},
      {"Click", "best-fit box", bestFit,
       [](Scene& s) {
         SendMouse(s.bestFit, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
         SendMouse(s.bestFit, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
       }},
      {"ClickBack", "the control's background", none,
       [](Scene& s) {
         SendMouse(s.host.control(), QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
       }},
      {"DblClick", "display box", none,
       [](Scene& s) { SendMouse(s.dst, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton); }},
      {"DblClick", "best-fit box", bestFit,
       [](Scene& s) { SendMouse(s.bestFit, QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton); }},
      {"MouseDown", "display box", none,
       [](Scene& s) { SendMouse(s.dst, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton); }},
      {"MouseDown", "best-fit box", bestFit,
       [](Scene& s) { SendMouse(s.bestFit, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton); }},
      {"MouseMove", "display box, dragging", none,
       [](Scene& s) {
         SendMouse(s.dst, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
         SendMouse(s.dst, QEvent::MouseMove, {40, 45}, Qt::NoButton, Qt::LeftButton);
       }},
      {"MouseMove", "best-fit box", bestFit,
       [](Scene& s) { SendMouse(s.bestFit, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::LeftButton); }},
      {"MouseUp", "display box", none,
       [](Scene& s) { SendMouse(s.dst, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton); }},
      {"MouseUp", "best-fit box", bestFit,
       [](Scene& s) { SendMouse(s.bestFit, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton); }},
      {"KeyDown", "display box, keyboard scrolling on", keyboardScrolling,
       [](Scene& s) { SendKey(s.dst, QEvent::KeyPress, Qt::Key_Right); }},
      {"KeyDown", "best-fit box", bestFit, [](Scene& s) { SendKey(s.bestFit, QEvent::KeyPress, Qt::Key_A); }},
      {"KeyPress", "display box", none, [](Scene& s) { SendKey(s.dst, QEvent::KeyPress, Qt::Key_A); }},
      {"KeyPress", "best-fit box", bestFit, [](Scene& s) { SendKey(s.bestFit, QEvent::KeyPress, Qt::Key_A); }},
      {"KeyPress", "the control", none, [](Scene& s) { SendKey(s.host.control(), QEvent::KeyPress, Qt::Key_A); }},
      {"KeyUp", "display box", none, [](Scene& s) { SendKey(s.dst, QEvent::KeyRelease, Qt::Key_Right); }},
      {"KeyUp", "best-fit box", bestFit, [](Scene& s) { SendKey(s.bestFit, QEvent::KeyRelease, Qt::Key_A); }},
      {"OvChanged", "Picture by value", none, [](Scene& s) { s.host.Load(testimages::Gradient(30, 20)); }},

      // The control's own change signals.
      {"PropertyChanged", "OvBorderStyle", none, [](Scene& s) { s.host.Set("OvBorderStyle", 5); }},
      {"OvBorderStyleChanged", "OvBorderStyle", none, [](Scene& s) { s.host.Set("OvBorderStyle", 5); }},
      {"OvZoomPercentChanged", "OvZoomIN", none, call("OvZoomIN")},
      {"OvPicWidthChanged", "OvResize", none, call("OvResize", {80, 40})},
      {"PictureChanged", "Picture by reference", none,
       [](Scene& s) { s.host.LoadRef(testimages::Gradient(30, 20)); }},
      {"EnabledChanged", "Enabled", none, [](Scene& s) { s.host.Set("Enabled", false); }},
      {"OvScrollBarWidthChanged", "ReadProperties", none,
       [](Scene& s) {
         MemoryPropertyBag bag;
         bag.WriteProperty(QStringLiteral("OvScrollBarWidth"), 30, 15);
         bag.WriteProperty(QStringLiteral("OvBorderStyle"), 2, 0);
         s.host.Call("ReadProperties", {QVariant::fromValue(static_cast<PropertyBag*>(&bag))});
       }},
  };
  static const char* const kDirections[] = {"OvSetView OvTopCenter", "OvSetView OvBottomCenter",
                                            "OvSetView OvLeftCenter", "OvSetView OvRightCenter",
                                            "OvSetView OvCenter", "OvSetView OvTopLeft",
                                            "OvSetView OvTopRight", "OvSetView OvBottomLeft",
                                            "OvSetView OvBottomRight"};
  for (int direction = 0; direction <= 8; ++direction)
    ways.push_back({"OvScrolled", kDirections[direction], none, call("OvSetView", {direction})});
  return ways;
}

}  // namespace

TEST(OrvellanHostDestroysTheControl, FromEveryEventHandlerWithoutTouchingItAgain) {
  for (const Way& way : Ways()) {
    SCOPED_TRACE(std::string(way.event) + " raised by " + way.how);
    auto scene = std::make_unique<Scene>();
    way.prepare(*scene);
    QPointer<QWidget> control = scene->host.control();
    int raised = 0;
    // No context: the handler lives with the control it destroys.
    Dispatch::Advise(control, way.event, [&](QVariantList&) {
      if (++raised == way.destroyOn) scene->host.DestroyWindow();
    });
    way.raise(*scene);
    EXPECT_EQ(raised, way.destroyOn);
    EXPECT_TRUE(control.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST(OrvellanHostDestroysTheControl, WhenADownloadEndsWithoutTouchingItAgain) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.png"));
  ASSERT_TRUE(testimages::Gradient(12, 7).save(path));
  for (const char* event : {"OvChanged", "PropertyChanged", "PictureChanged"}) {
    SCOPED_TRACE(event);
    ControlHost host;
    QPointer<QWidget> control = host.control();
    Dispatch::Advise(control, event, [&](QVariantList&) {
      if (control) host.DestroyWindow();
    });
    host.Set("OvURL", QUrl::fromLocalFile(path).toString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return control.isNull(); }, 5000));
  }
}
