// Repaint benchmark for the viewport control: repaints per second of an
// 800 x 600 display box for pictures of 1 and 24 megapixels at several zoom
// factors, against plain drawing of an 800 x 600 image as the yardstick.
// Each repaint is at a new scroll position so nothing can be reused.
//
//   QT_QPA_PLATFORM=offscreen orvellan_repaint_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>

#include "platform/com/CreateControl.h"
#include "platform/com/Dispatch.h"
#include "platform/com/StdPicture.h"

namespace {

constexpr int kViewW = 800;
constexpr int kViewH = 600;
constexpr int kRounds = 1000;

QImage Noise(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  quint32 seed = 12345;
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      line[x] = 0xFF000000u | (seed >> 8);
    }
  }
  return image;
}

double BaselineRate() {
  const QImage source = Noise(kViewW, kViewH);
  QImage target(kViewW, kViewH, QImage::Format_RGB32);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kRounds; ++i) {
    QPainter p(&target);
    p.drawImage(0, 0, source);
  }
  return kRounds * 1e9 / std::max<qint64>(1, timer.nsecsElapsed());
}

double RepaintRate(QWidget* control, int percent) {
  Dispatch::Set(control, "OvZoomPercent", percent);
  QWidget* display = control->findChild<QWidget*>(QStringLiteral("iDst"));
  auto* hsb = control->findChild<QScrollBar*>(QStringLiteral("hSB"));
  auto* vsb = control->findChild<QScrollBar*>(QStringLiteral("vSB"));
  QImage target(display->size(), QImage::Format_RGB32);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kRounds; ++i) {
    hsb->setValue((i * 7919) % (hsb->maximum() + 1));
    vsb->setValue((i * 104729) % (vsb->maximum() + 1));
    display->render(&target);
  }
  return kRounds * 1e9 / std::max<qint64>(1, timer.nsecsElapsed());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(kViewW + 100, kViewH + 100);
  QWidget* control = CreateControl(QStringLiteral("OrvellanLib.Orvellan"), &window);
  control->setGeometry(0, 0, kViewW + 15, kViewH + 15);  // display 800 x 600 beside both bars
  window.show();

  std::printf("baseline: drawing an %dx%d image: %.0f per second\n", kViewW, kViewH, BaselineRate());
  const struct { const char* name; int w, h; } pictures[] = {{"1 MP", 1155, 866}, {"24 MP", 6000, 4000}};
  for (const auto& pic : pictures) {
    Dispatch::SetRef(control, "Picture", QVariant::fromValue(StdPicture(Noise(pic.w, pic.h))));
    for (int percent : {100, 500, 2500}) {
      const long zoomedW = static_cast<long>(pic.w) * percent / 100;
      const long zoomedH = static_cast<long>(pic.h) * percent / 100;
      if (zoomedW > 32767 || zoomedH > 32767) {
        std::printf("%-6s %5d %%: zoomed %ldx%ld exceeds 32767, not laid out\n", pic.name, percent, zoomedW,
                    zoomedH);
        continue;
      }
      std::printf("%-6s %5d %%: %.0f repaints per second\n", pic.name, percent, RepaintRate(control, percent));
    }
  }
  return 0;
}
