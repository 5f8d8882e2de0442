// Times cDIBSection::Resample of a 24-megapixel bitmap against
// QImage::scaled(..., Qt::SmoothTransformation) on the same pixels.
// Usage: bench_dib [repeats]   (default 5; the best and the median are shown)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "orvellan/dib/cDIBSection.h"

namespace {

struct Timing {
  double best;
  double median;
};

Timing Measure(int repeats, const std::function<void()>& run) {
  std::vector<double> ms;
  for (int i = 0; i < repeats; ++i) {
    QElapsedTimer t;
    t.start();
    run();
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return {ms.front(), ms[ms.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  const int srcW = 6000, srcH = 4000;

  cDIBSection source;
  if (!source.Create(srcW, srcH)) {
    std::fprintf(stderr, "could not allocate the %dx%d source\n", srcW, srcH);
    return 1;
  }
  source.RandomiseBits(false, 12345u);
  QImage sameRgb32(srcW, srcH, QImage::Format_RGB32);
  source.PaintPicture(sameRgb32, 0, 0, -1, -1, 0, 0, SRCCOPY);
  QImage sameBgr888 = sameRgb32.convertToFormat(QImage::Format_BGR888);

  std::printf("source %dx%d (24-bit), %d repeats, Qt thread pool max %d threads\n", srcW, srcH, repeats,
              QThreadPool::globalInstance()->maxThreadCount());
  const int sizes[][2] = {{1920, 1280}, {160, 107}};
  for (const auto& s : sizes) {
    const int w = s[0], h = s[1];
    volatile int sink = 0;
    const Timing dib = Measure(repeats, [&] {
      auto out = source.Resample(h, w);
      sink = sink + (out ? out->DIBSectionBitsPtr()[0] : 0);
    });
    const Timing qtRgb32 = Measure(repeats, [&] {
      QImage out = sameRgb32.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      sink = sink + out.constBits()[0];
    });
    const Timing qtBgr888 = Measure(repeats, [&] {
      QImage out = sameBgr888.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      sink = sink + out.constBits()[0];
    });
    std::printf("to %4dx%-4d  Resample %8.1f ms (median %8.1f)   QImage::scaled RGB32 %8.1f ms (median %8.1f)"
                "   BGR888 %8.1f ms (median %8.1f)\n",
                w, h, dib.best, dib.median, qtRgb32.best, qtRgb32.median, qtBgr888.best, qtBgr888.median);
  }
  return 0;
}
