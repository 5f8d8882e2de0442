// A small host for trying the viewport control by hand: it creates the
// control by programmatic identifier, loads the picture named on the command
// line, and offers zoom, best fit, flips and keyboard scrolling.
//
//   orvellan_demo picture.jpg
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "platform/com/ComError.h"
#include "platform/com/CreateControl.h"
#include "platform/com/Dispatch.h"
#include "platform/com/PictureFile.h"

namespace {

void Try(QWidget* parent, const std::function<void()>& action) {
  try {
    action();
  } catch (const ComError& e) {
    QMessageBox::critical(parent, QStringLiteral("Orvellan demo"),
                          QStringLiteral("Error %1: %2").arg(e.number()).arg(e.description()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Orvellan demo"));
  window.resize(900, 700);

  QWidget* control = nullptr;
  try {
    control = CreateControl(QStringLiteral("OrvellanLib.Orvellan"), &window);
  } catch (const ComError& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Orvellan demo"),
                          QStringLiteral("Cannot create the control: %1").arg(e.description()));
    return 1;
  }
  window.setCentralWidget(control);

  auto* status = new QLabel(&window);
  window.statusBar()->addWidget(status);
  auto showState = [control, status] {
    status->setText(QStringLiteral("%1 x %2 at %3 %")
                        .arg(Dispatch::Get(control, "OvPicWidth").toInt())
                        .arg(Dispatch::Get(control, "OvPicHeight").toInt())
                        .arg(Dispatch::Get(control, "OvZoomPercent").toInt()));
  };

  Dispatch::Set(control, "OvKeyboardScrolling", true);
  Dispatch::Set(control, "OvBorderStyle", 6);
  if (argc > 1) {
    const StdPicture picture = LoadPictureFile(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull())
      status->setText(QStringLiteral("Cannot read %1").arg(QString::fromLocal8Bit(argv[1])));
    else
      Dispatch::Set(control, "Picture", QVariant::fromValue(picture));
  }

  QToolBar* tools = window.addToolBar(QStringLiteral("View"));
  auto addCall = [&](const QString& text, const QKeySequence& key, const char* method, QVariantList args = {}) {
    QAction* action = tools->addAction(text);
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, &window, [&window, control, method, args, showState] {
      Try(&window, [&] { Dispatch::Call(control, method, args); });
      showState();
    });
  };
  addCall(QStringLiteral("Zoom in"), QKeySequence(Qt::Key_Plus), "OvZoomIN");
  addCall(QStringLiteral("Zoom out"), QKeySequence(Qt::Key_Minus), "OvZoomOUT");
  addCall(QStringLiteral("100 %"), QKeySequence(Qt::CTRL | Qt::Key_0), "OvZoom100");
  addCall(QStringLiteral("Best fit"), QKeySequence(Qt::CTRL | Qt::Key_B), "OvZoomBestFit");
  addCall(QStringLiteral("Centre"), QKeySequence(Qt::CTRL | Qt::Key_E), "OvSetView", {4});
  addCall(QStringLiteral("Flip H"), QKeySequence(Qt::CTRL | Qt::Key_H), "OvFlipImage", {0});
  addCall(QStringLiteral("Flip V"), QKeySequence(Qt::CTRL | Qt::Key_J), "OvFlipImage", {1});
  addCall(QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), "OvCopyModified");
  addCall(QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), "OvPaste");
  addCall(QStringLiteral("About"), QKeySequence(), "About");
  // Half size: the arguments come from the picture's size at the time of the click.
  QObject::connect(tools->addAction(QStringLiteral("Half size")), &QAction::triggered, &window,
                   [&window, control, showState] {
                     Try(&window, [&] {
                       const int w = Dispatch::Get(control, "OvPicWidth").toInt();
                       const int h = Dispatch::Get(control, "OvPicHeight").toInt();
                       Dispatch::Call(control, "OvResize", {w / 2, h / 2});
                     });
                     showState();
                   });

  Dispatch::Advise(control, "DblClick", [control, showState](QVariantList&) {
    Dispatch::Call(control, "OvZoomIN");
    showState();
  });
  Dispatch::Advise(control, "MouseMove", [status](QVariantList& a) {
    status->setToolTip(QStringLiteral("pixel (%1, %2)").arg(a.value(2).toFloat()).arg(a.value(3).toFloat()));
  });
  Dispatch::Advise(control, "KeyPress", [&window](QVariantList& a) {
    if (a.value(0).toInt() == 27) window.close();  // Esc closes, even while scrolling by keys
  });

  window.show();
  showState();
  return app.exec();
}
