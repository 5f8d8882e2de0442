// Times the album writer on 10,000 thumbnails: two pages of 5,000 and 1,429
// pages of 7, captions measured with a real font. Each layout is written into
// the system's temporary folder and, when there is one, into memory-backed
// /dev/shm, which shows the writer's own cost apart from the disk. A baseline
// gives what creating and renaming as many small files costs on its own.
// Prints milliseconds (best and median of five runs). Usage: bench_album [folder...]
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/album/AlbumPages.h"
#include "app/engine/WholeFile.h"
#include "app/engine/mUtils.h"

namespace {

constexpr int kRuns = 5;

void Report(const char* name, const QString& where, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s %-10s best %7.1f ms, median %7.1f ms\n", name, qPrintable(where), times.front(),
              times[times.size() / 2]);
}

void Time(const char* name, const QString& base, const std::function<void(const QString&)>& work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    QTemporaryDir dir(base + QStringLiteral("/bench_album-XXXXXX"));
    if (!dir.isValid()) return;
    QElapsedTimer timer;
    timer.start();
    work(dir.path());
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  Report(name, base, times);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(8);
  const QFontMetrics metrics(font);
  const TextWidthFunction width = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };

  QStringList thumbs;
  QStringList sources;
  for (int i = 1; i <= 10000; ++i) {
    // Every tenth name is long enough to need cutting.
    const QString base = i % 10 == 0 ? QStringLiteral("Holiday at the seaside with the family %1").arg(i)
                                     : QStringLiteral("IMG_%1").arg(i, 5, 10, QLatin1Char('0'));
    thumbs << base + QStringLiteral(".jpg");
    sources << base + QStringLiteral(".JPG");
  }

  // A folder given on the command line replaces the default places.
  QStringList bases = QCoreApplication::arguments().mid(1);
  if (bases.isEmpty()) {
    bases << QDir::tempPath();
    if (QFileInfo(QStringLiteral("/dev/shm")).isDir()) bases << QStringLiteral("/dev/shm");
  }
  const struct {
    const char* name;
    int16_t rows;
    int16_t columns;
  } layouts[] = {{"10,000 thumbnails, 2 pages of 5,000", 100, 50}, {"10,000 thumbnails, 1,429 pages of 7", 7, 1}};

  for (const QString& base : bases) {
    for (const auto& layout : layouts) {
      AlbumOptions options;
      options.rowsPerPage = layout.rows;
      options.columnsPerRow = layout.columns;
      Time(layout.name, base, [&](const QString& folder) {
        const AlbumWriteResult result =
            WriteAlbumPages(thumbs, sources, folder, QStringLiteral("TH_"), QString(), options, 120, width);
        if (result.pagesFailed != 0) std::printf("  %d pages failed\n", result.pagesFailed);
      });
    }
    // What the file system alone costs for 1,429 page-sized files written whole.
    Time("baseline: 1,429 files, write+rename", base, [](const QString& folder) {
      const QByteArray bytes(9000, 'x');
      for (int p = 1; p <= 1429; ++p) {
        const QString target = AddBackslash(folder) + QStringLiteral("page%1.htm").arg(p);
        WriteFileWhole(target, bytes);
      }
    });
  }
  return 0;
}
