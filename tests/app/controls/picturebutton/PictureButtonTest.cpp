#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <functional>

#include "app/controls/picturebutton/PictureButton.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/TestImages.h"

namespace {

// Processes events until done() or two seconds pass (a guard, not a timing).
bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer guard;
  guard.start();
  while (!done() && guard.elapsed() < 2000) QTest::qWait(5);
  return done();
}

// A shown host window with a button at (20, 20) holding three pictures of
// different colours (and a larger hover picture).
struct ButtonFixture {
  ButtonFixture() : button(&host) {
    host.setGeometry(100, 100, 200, 120);
    button.move(20, 20);
    button.setPicture(StdPicture(testimages::Solid(40, 20, Qt::red)));
    button.setPictureHover(StdPicture(testimages::Solid(48, 24, Qt::green)));
    button.setPictureDown(StdPicture(testimages::Solid(40, 20, Qt::blue)));
    host.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    QObject::connect(&button, &PictureButton::Click, [this] { events << "Click"; });
    QObject::connect(&button, &PictureButton::DblClick, [this] { events << "DblClick"; });
    QObject::connect(&button, &PictureButton::MouseDown, [this](int, int, float, float) { events << "MouseDown"; });
    QObject::connect(&button, &PictureButton::MouseUp, [this](int, int, float, float) { events << "MouseUp"; });
    QObject::connect(&button, &PictureButton::MouseEnter, [this] { events << "MouseEnter"; });
    QObject::connect(&button, &PictureButton::MouseLeave, [this] { events << "MouseLeave"; });
  }
  ~ButtonFixture() { QCursor::setPos(0, 0); }

  QPoint Inside() const { return QPoint(10, 10); }
  QRgb ShownColor() { return button.grab().toImage().pixel(5, 5); }

  QWidget host;
  PictureButton button;
  QStringList events;
};

}  // namespace

TEST(PictureButton, TakesTheSizeOfThePictureItShows) {
  ButtonFixture f;
  EXPECT_EQ(f.button.size(), QSize(40, 20));
  EXPECT_EQ(f.ShownColor(), QColor(Qt::red).rgb());
  QTest::mouseMove(&f.button, f.Inside());
  ASSERT_TRUE(ProcessUntil([&] { return f.button.state() == PictureButton::StateHover; }));
  EXPECT_EQ(f.button.size(), QSize(48, 24));
  EXPECT_EQ(f.ShownColor(), QColor(Qt::green).rgb());
}

TEST(PictureButton, LeavingWithoutAMoveOverTheHostIsSeenByPolling) {
  ButtonFixture f;
  QTest::mouseMove(&f.button, f.Inside());
  ASSERT_TRUE(ProcessUntil([&] { return f.button.state() == PictureButton::StateHover; }));
  EXPECT_TRUE(f.button.isPolling());
  EXPECT_EQ(f.events, QStringList{"MouseEnter"});

  // The cursor jumps far away from the host: no move reaches the button.
  QCursor::setPos(1000, 1000);
  ASSERT_TRUE(ProcessUntil([&] { return f.events.count("MouseLeave") > 0; }));
  EXPECT_EQ(f.button.state(), PictureButton::StateNormal);
  EXPECT_EQ(f.ShownColor(), QColor(Qt::red).rgb());
  EXPECT_FALSE(f.button.isPolling());
  QTest::qWait(20);  // further ticks would have raised it again
  EXPECT_EQ(f.events, (QStringList{"MouseEnter", "MouseLeave"}));
}

TEST(PictureButton, PressAndReleaseOnTheButtonClicksOnce) {
  ButtonFixture f;
  QTest::mouseMove(&f.button, f.Inside());
  ASSERT_TRUE(ProcessUntil([&] { return f.button.state() == PictureButton::StateHover; }));
  QTest::mousePress(&f.button, Qt::LeftButton, {}, f.Inside());
  EXPECT_EQ(f.button.state(), PictureButton::StateDown);
  EXPECT_EQ(f.ShownColor(), QColor(Qt::blue).rgb());
  QTest::mouseRelease(&f.button, Qt::LeftButton, {}, f.Inside());
  EXPECT_EQ(f.button.state(), PictureButton::StateHover);
  EXPECT_EQ(f.events, (QStringList{"MouseEnter", "MouseDown", "MouseUp", "Click"}));
}

TEST(PictureButton, ReleaseOutsideShowsTheNormalPictureAndRaisesNoClick) {
  ButtonFixture f;
  QTest::mouseMove(&f.button, f.Inside());
  ASSERT_TRUE(ProcessUntil([&] { return f.button.state() == PictureButton::StateHover; }));
  QTest::mousePress(&f.button, Qt::LeftButton, {}, f.Inside());
  const QPoint outside(150, 80);  // in the host, away from the button
  QCursor::setPos(f.button.mapToGlobal(outside));
  QTest::mouseMove(&f.button, outside);  // captured move with the button held
  EXPECT_EQ(f.button.state(), PictureButton::StateNormal);
  QTest::mouseRelease(&f.button, Qt::LeftButton, {}, outside);
  EXPECT_EQ(f.button.state(), PictureButton::StateNormal);
  EXPECT_EQ(f.ShownColor(), QColor(Qt::red).rgb());
  EXPECT_FALSE(f.events.contains("Click"));
  EXPECT_TRUE(f.events.contains("MouseUp"));
}

TEST(PictureButton, DoubleClickRaisesOneClickThenDblClick) {
  ButtonFixture f;
  QTest::mouseMove(&f.button, f.Inside());
  ASSERT_TRUE(ProcessUntil([&] { return f.button.state() == PictureButton::StateHover; }));
  f.events.clear();
  QTest::mouseClick(&f.button, Qt::LeftButton, {}, f.Inside());
  QTest::mouseDClick(&f.button, Qt::LeftButton, {}, f.Inside());
  QTest::mouseRelease(&f.button, Qt::LeftButton, {}, f.Inside());
  EXPECT_EQ(f.events, (QStringList{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
}

TEST(PictureButton, PicturesRoundTripThroughThePropertyBag) {
  MemoryPropertyBag empty;
  PictureButton plain;
  plain.WriteProperties(empty);
  EXPECT_TRUE(empty.keys().isEmpty());

  PictureButton source;
  source.setPicture(StdPicture(testimages::Gradient(30, 16)));
  // Hosts set the pictures through the meta-object as well.
  ASSERT_TRUE(source.setProperty("PictureDown", QVariant::fromValue(StdPicture(testimages::Solid(30, 16, Qt::blue)))));
  MemoryPropertyBag bag;
  source.WriteProperties(bag);
  EXPECT_EQ(bag.keys(), (QStringList{"Picture", "PictureDown"}));

  PictureButton read;
  read.ReadProperties(bag);
  EXPECT_EQ(read.Picture().image(), testimages::Gradient(30, 16));
  EXPECT_EQ(read.PictureDown().image(), testimages::Solid(30, 16, Qt::blue));
  EXPECT_TRUE(read.PictureHover().isNull());
  EXPECT_EQ(read.size(), QSize(30, 16));
}

TEST(PictureButton, AHandlerMayDeleteTheButton) {
  // Each notification that comes before the button's own work.
  struct Case {
    const char* name;
    std::function<void(PictureButton*, const std::function<void()>&)> connect;
    std::function<void(PictureButton*)> act;
  } cases[] = {
      {"MouseDown", [](PictureButton* b, auto kill) { QObject::connect(b, &PictureButton::MouseDown, b, kill); },
       [](PictureButton* b) { QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5)); }},
      {"MouseUp", [](PictureButton* b, auto kill) { QObject::connect(b, &PictureButton::MouseUp, b, kill); },
       [](PictureButton* b) {
         QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
         QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
       }},
      {"MouseMove", [](PictureButton* b, auto kill) { QObject::connect(b, &PictureButton::MouseMove, b, kill); },
       [](PictureButton* b) { QTest::mouseMove(b, QPoint(6, 6)); }},
      {"MouseEnter", [](PictureButton* b, auto kill) { QObject::connect(b, &PictureButton::MouseEnter, b, kill); },
       [](PictureButton* b) { QTest::mouseMove(b, QPoint(7, 7)); }},
      {"PictureChanged",
       [](PictureButton* b, auto kill) { QObject::connect(b, &PictureButton::PictureChanged, b, kill); },
       [](PictureButton* b) { b->setPicture(StdPicture(testimages::Solid(10, 10, Qt::green))); }},
  };
  for (const Case& c : cases) {
    QWidget host;
    host.setGeometry(100, 100, 200, 120);
    auto* button = new PictureButton(&host);
    button->setPicture(StdPicture(testimages::Solid(40, 20, Qt::red)));
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QPointer<PictureButton> alive(button);
    c.connect(button, [button] { delete button; });
    c.act(button);
    QCoreApplication::processEvents();
    EXPECT_TRUE(alive.isNull()) << c.name;
    QCursor::setPos(0, 0);
  }
}
