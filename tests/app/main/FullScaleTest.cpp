// The full-size preview window around the orvellan viewport control, which
// the test loads from the library beside it, as the program does.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLibrary>
#include <QPointer>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTest>

#include "app/main/fFullScale.h"
#include "platform/com/ControlServer.h"
#include "platform/com/CreateControl.h"
#include "platform/com/Dispatch.h"
#include "tests/app/main/MessageLog.h"
#include "tests/support/TestImages.h"

namespace {

// The main window's stand-in: it counts the keys that reach it.
class Owner : public QWidget {
 public:
  Owner() {
    QStandardPaths::setTestModeEnabled(true);  // never the user's control registry
    resize(400, 300);
    show();
  }
  int keys = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    ++keys;
    event->accept();
  }
};

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// True when the orvellan library has no control alive.
bool NoControlAlive() {
  QLibrary library(FindControlLibrary(QString::fromLatin1(fFullScale::kViewerProgId)));
  auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(library.resolve(comserver::kCanUnloadNow));
  return canUnload && canUnload() == comserver::kOk;
}

int Get(QWidget* view, const char* name) { return Dispatch::Get(view, name).toInt(); }

QWidget* Box(fFullScale* window, const char* name) {
  return window->imView()->findChild<QWidget*>(QString::fromLatin1(name));
}

}  // namespace

TEST(FullScale, ShowsThePictureInOneWindowFilledByTheControl) {
  Owner owner;
  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400), QStringLiteral("a.png")));
  fFullScale* window = fFullScale::Instance(&owner);
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), &owner);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("a.png - Full-Size Preview"));
  QWidget* view = window->imView();
  ASSERT_TRUE(view);
  EXPECT_EQ(view->geometry(), window->rect());
  EXPECT_EQ(Dispatch::Get(view, "BackColor").toUInt(), 0u);
  EXPECT_EQ(Get(view, "OvPicWidth"), 600);

  // The open window takes the next picture.
  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(30, 20)));
  EXPECT_EQ(fFullScale::Instance(&owner), window);
  EXPECT_EQ(owner.findChildren<fFullScale*>().size(), 1);
  EXPECT_EQ(Get(view, "OvPicWidth"), 30);
  window->close();
}

TEST(FullScale, EscClosesAndReachesNothingElse) {
  const struct {
    const char* target;  // where the key goes: a box of the control, or the window itself
    bool bestFit;
  } cases[] = {{"iDst", false}, {"iBestFit", true}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    Owner owner;
    int shortcuts = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), &owner);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++shortcuts; });

    ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
    QPointer<fFullScale> window = fFullScale::Instance(&owner);
    QPointer<QWidget> view = window->imView();
    if (c.bestFit) Dispatch::Call(view, "OvZoomBestFit");
    QWidget* target = *c.target ? Box(window, c.target) : window.data();
    ASSERT_TRUE(target && target->isVisible());
    // Shortcuts are looked up for the focus widget of the active window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    target->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_Escape);
    FlushDeletes();
    EXPECT_FALSE(window);
    EXPECT_FALSE(view);
    EXPECT_EQ(owner.keys, 0);
    EXPECT_EQ(shortcuts, 0);
    EXPECT_TRUE(NoControlAlive());
    EXPECT_FALSE(fFullScale::Instance(&owner));
  }
}

TEST(FullScale, OtherKeysDoNotClose) {
  Owner owner;
  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
  fFullScale* window = fFullScale::Instance(&owner);
  QTest::keyClick(Box(window, "iDst"), Qt::Key_A);
  EXPECT_TRUE(window->isVisible());
  window->close();
}

TEST(FullScale, DoubleClickClosesEvenWhileZoomed) {
  for (const char* target : {"iDst", "window"}) {
    SCOPED_TRACE(target);
    Owner owner;
    ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
    QPointer<fFullScale> window = fFullScale::Instance(&owner);
    QWidget* view = window->imView();
    Dispatch::Call(view, "OvZoomIN");
    Dispatch::Call(view, "OvZoomIN");
    ASSERT_EQ(Get(view, "OvZoomPercent"), 300);
    QTest::mouseDClick(std::string(target) == "iDst" ? Box(window, "iDst") : window.data(), Qt::LeftButton);
    FlushDeletes();
    EXPECT_FALSE(window);
    EXPECT_TRUE(NoControlAlive());
  }
}

TEST(FullScale, ResizingLaysTheViewOutAgain) {
  Owner owner;
  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
  fFullScale* window = fFullScale::Instance(&owner);
  auto* hsb = window->imView()->findChild<QScrollBar*>(QStringLiteral("hSB"));
  auto* vsb = window->imView()->findChild<QScrollBar*>(QStringLiteral("vSB"));
  const struct {
    QSize size;
    bool bars;
  } cases[] = {{{300, 200}, true}, {{800, 600}, false}, {{500, 300}, true}};
  for (const auto& c : cases) {
    window->resize(c.size);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->imView()->geometry(), QRect(QPoint(0, 0), c.size));
    EXPECT_EQ(hsb->isVisible(), c.bars) << c.size.width();
    EXPECT_EQ(vsb->isVisible(), c.bars) << c.size.width();
  }
  window->close();
}

TEST(FullScale, SecondOpeningStartsAfresh) {
  Owner owner;
  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
  QPointer<fFullScale> first = fFullScale::Instance(&owner);
  Dispatch::Call(first->imView(), "OvZoomIN");
  Dispatch::Call(first->imView(), "OvSetView", {8});  // bottom-right corner
  first->close();
  FlushDeletes();
  ASSERT_FALSE(first);

  ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(600, 400)));
  fFullScale* second = fFullScale::Instance(&owner);
  QWidget* view = second->imView();
  EXPECT_EQ(Get(view, "OvZoomPercent"), 100);
  EXPECT_EQ(view->findChild<QScrollBar*>(QStringLiteral("hSB"))->value(), 0);
  EXPECT_EQ(view->findChild<QScrollBar*>(QStringLiteral("vSB"))->value(), 0);
  EXPECT_FALSE(view->findChild<QWidget*>(QStringLiteral("iBestFit"))->isVisible());
  second->close();
  FlushDeletes();

  // A picture larger than the window opens at 100 % every time, also after
  // the previous opening was switched to the fitted view.
  for (int opening = 0; opening < 2; ++opening) {
    ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(4000, 3000)));
    fFullScale* large = fFullScale::Instance(&owner);
    EXPECT_EQ(Get(large->imView(), "OvZoomPercent"), 100) << opening;
    EXPECT_FALSE(Box(large, "iBestFit")->isVisible()) << opening;
    if (opening == 0) large->ToggleFit();
    large->close();
    FlushDeletes();
  }
}

// The window shows the picture at 100 %: scroll bars where it is larger than
// the window, none where it fits exactly (the window takes the picture's
// size). F switches to the fitted view and back.
TEST(FullScale, OpensAtFullSizeAndFSwitchesToTheFittedView) {
  for (const QSize picture : {QSize(640, 480), QSize(4000, 3000)}) {
    SCOPED_TRACE(picture.width());
    const bool bars = picture.width() == 4000;
    Owner owner;
    ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(picture.width(), picture.height())));
    fFullScale* window = fFullScale::Instance(&owner);
    auto* hsb = window->imView()->findChild<QScrollBar*>(QStringLiteral("hSB"));
    auto* vsb = window->imView()->findChild<QScrollBar*>(QStringLiteral("vSB"));
    for (const char* key : {"", "iDst", "iBestFit"}) {  // opened, F, F again
      if (*key) QTest::keyClick(Box(window, key), Qt::Key_F);
      const bool fitted = std::string(key) == "iDst";
      EXPECT_EQ(Box(window, "iBestFit")->isVisible(), fitted) << key;
      EXPECT_EQ(hsb->isVisible(), bars && !fitted) << key;
      EXPECT_EQ(vsb->isVisible(), bars && !fitted) << key;
      EXPECT_EQ(Get(window->imView(), "OvZoomPercent"), 100) << key;
    }
    if (!bars) {
      EXPECT_EQ(Box(window, "iDst")->geometry(), window->rect());
      EXPECT_EQ(window->size(), picture);
    }
    window->close();
  }
}

TEST(FullScale, RefusedPictureOrMissingViewerGivesAMessageAndNoWindow) {
  Owner owner;
  {
    MessageLog log;
    EXPECT_FALSE(fFullScale::Open(&owner, testimages::Solid(40000, 2, Qt::red)));
    FlushDeletes();
    EXPECT_FALSE(owner.findChild<fFullScale*>());
    EXPECT_TRUE(NoControlAlive());
    ASSERT_EQ(log.shown.size(), 1);
    EXPECT_EQ(log.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(log.shown[0].text.contains(QStringLiteral("40000 x 2"))) << qPrintable(log.shown[0].text);
    EXPECT_TRUE(log.shown[0].text.contains(QStringLiteral("Error 6:")));
  }
  {
    // An open window given a picture it cannot show closes.
    MessageLog log;
    ASSERT_TRUE(fFullScale::Open(&owner, testimages::Gradient(60, 40)));
    QPointer<fFullScale> window = fFullScale::Instance(&owner);
    EXPECT_FALSE(fFullScale::Open(&owner, testimages::Solid(3, 33000, Qt::red)));
    FlushDeletes();
    EXPECT_FALSE(window);
    EXPECT_EQ(log.shown.size(), 1);
  }
  {
    MessageLog log;
    QPointer<fFullScale> window = new fFullScale(&owner, QStringLiteral("MissingLib.Viewer"));
    EXPECT_FALSE(window->ShowPicture(testimages::Gradient(60, 40)));
    EXPECT_FALSE(window->isVisible());
    FlushDeletes();
    EXPECT_FALSE(window);
    ASSERT_EQ(log.shown.size(), 1);
    EXPECT_TRUE(log.shown[0].text.contains(QStringLiteral("Error 429:")));
  }
}
