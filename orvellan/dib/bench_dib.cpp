// Times cDIBSection::Resample of a 24-megapixel bitmap against
// QImage::scaled(..., Qt::SmoothTransformation) on the same pixels.
// Usage: bench_dib [repeats]   (default 5; the best and the median are shown)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include "orvellan/dib/cDIBSection.h"

namespace {

struct Timing {
  double best;    // wall clock, ms
  double median;  // wall clock, ms
  double cpu;     // processor time of all threads, median, ms
};

double ProcessCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

Timing Measure(int repeats, const std::function<void()>& run) {
  std::vector<double> ms;
  std::vector<double> cpu;
  for (int i = 0; i < repeats; ++i) {
    QElapsedTimer t;
    const double cpu0 = ProcessCpuMs();
    t.start();
    run();
    ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    cpu.push_back(ProcessCpuMs() - cpu0);
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  return {ms.front(), ms[ms.size() / 2], cpu[cpu.size() / 2]};
}

// FNV-1a over the pixel bytes (not the padding), so two builds' outputs can be compared.
uint64_t Checksum(const cDIBSection& dib) {
  uint64_t hash = 1469598103934665603ull;
  for (int y = 0; y < dib.Height(); ++y) {
    const uint8_t* row = dib.DIBSectionBitsPtr() + static_cast<size_t>(y) * dib.BytesPerScanLine();
    for (int i = 0; i < dib.Width() * 3; ++i) hash = (hash ^ row[i]) * 1099511628211ull;
  }
  return hash;
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
  const int sizes[][2] = {{1920, 1280}, {160, 107}, {7001, 4999}};
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
    auto check = source.Resample(h, w);
    std::printf("output checksum %016llx\n", static_cast<unsigned long long>(check ? Checksum(*check) : 0));
    std::printf("to %4dx%-4d Resample            %8.1f ms best, %8.1f median, %8.1f cpu\n", w, h, dib.best,
                dib.median, dib.cpu);
    std::printf("             QImage::scaled RGB32  %8.1f ms best, %8.1f median, %8.1f cpu\n", qtRgb32.best,
                qtRgb32.median, qtRgb32.cpu);
    std::printf("             QImage::scaled BGR888 %8.1f ms best, %8.1f median, %8.1f cpu\n", qtBgr888.best,
                qtBgr888.median, qtBgr888.cpu);
  }
  return 0;
}
