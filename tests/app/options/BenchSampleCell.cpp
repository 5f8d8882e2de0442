// How long the album sample takes to follow a colour or border change, with
// the sample made from a large canvas: the redraw plus a full repaint of the
// sample, against redrawing from the whole canvas each time.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/engine/mScaleImage.h"
#include "app/options/AlbumSampleCell.h"
#include "tests/support/TestImages.h"

namespace {

template <typename Step>
double MedianMicroseconds(int rounds, Step step) {
  std::vector<double> times;
  QElapsedTimer timer;
  for (int i = 0; i < rounds; ++i) {
    timer.start();
    step(i);
    times.push_back(timer.nsecsElapsed() / 1000.0);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(8);
  QApplication::setFont(font);

  AlbumSampleCell cell;
  cell.resize(220, 240);
  cell.show();
  Surface canvas;
  canvas.setImage(testimages::Gradient(4000, 3000));  // a framed 4000 x 3000 thumbnail
  cell.ShowSample(canvas);
  const int rounds = 200;

  const double cellColour = MedianMicroseconds(rounds, [&](int i) {
    cell.setCellColor(i % 2 ? 0x0000FF : 0x00FF00);
    cell.grab();
  });
  const double border = MedianMicroseconds(rounds, [&](int i) {
    cell.setBorderWidth(i % 2 ? 0 : 3);
    cell.grab();
  });
  const double pageColour = MedianMicroseconds(rounds, [&](int i) {
    cell.setPageColor(i % 2 ? 0xFFFFFF : 0x00FFFF);
    cell.grab();
  });
  // What each cell colour change would cost if it fitted the whole canvas again.
  Surface box(cell.thumbSurface().outerWidth(), cell.thumbSurface().outerHeight());
  const double fromCanvas = MedianMicroseconds(20, [&](int) { DrawPictureFitted(canvas, box, 0, true); });

  std::printf("sample from a 4000 x 3000 canvas, median of %d changes, each with a full render of the sample (grab):\n", rounds);
  std::printf("  cell colour   %8.1f us\n", cellColour);
  std::printf("  border width  %8.1f us\n", border);
  std::printf("  page colour   %8.1f us\n", pageColour);
  std::printf("  (fitting the whole canvas again instead: %8.1f us)\n", fromCanvas);
  return 0;
}
