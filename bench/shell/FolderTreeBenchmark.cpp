// Folder tree over a home folder with 5,000 sub-folders: the time from
// creating the tree to its first paint with the home folder selected, the
// time from selecting a folder deep inside to the next paint, the time until
// the home folder's 5,000 rows have all arrived, and the longest time the
// user-interface thread went without handling events meanwhile. For
// reference, the same listing in a plain QTreeView over a QFileSystemModel.
//
//   folder-tree-benchmark [runs=5] [folders=5000]
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/support/EventLoopClocks.h"
#include "bench/support/Figures.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/FolderTreeModel.h"

namespace {

bool WaitForPaint(PaintClock& paints, qint64 after) {
  return RunEventLoopUntil([&] { return paints.lastPaint > after; }, 10000);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  const int folders = argc > 2 ? std::max(1, atoi(argv[2])) : 5000;

  QTemporaryDir home;
  QDir dir(home.path());
  for (int i = 0; i < folders; ++i) dir.mkdir(QStringLiteral("folder%1").arg(i, 5, 10, QLatin1Char('0')));
  const QString deep = home.path() + QStringLiteral("/folder%1/a/b/c/d/e").arg(folders / 2, 5, 10, QLatin1Char('0'));
  dir.mkpath(deep);
  qputenv("HOME", QFile::encodeName(home.path()));
  QApplication app(argc, argv);

  QElapsedTimer listing;
  listing.start();
  const int listed = int(QDir(home.path()).entryList(QDir::AllDirs | QDir::NoDotAndDotDot).size());
  std::printf("home folder: %d sub-folders; listing it with QDir takes %.1f ms\n", listed, Ms(listing.nsecsElapsed()));

  std::vector<double> opened, selected, loaded, gaps;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer clock;
    PaintClock paints(clock);
    clock.start();
    FolderTreeModel model;
    FolderTree tree(&model);
    tree.viewport()->installEventFilter(&paints);
    tree.resize(320, 600);
    tree.setSelectedFolder(home.path());
    tree.show();
    if (!WaitForPaint(paints, -1)) return 1;
    opened.push_back(Ms(paints.lastPaint));

    GapMeter meter;
    const qint64 start = clock.nsecsElapsed();
    const qint64 painted = paints.lastPaint;
    tree.setSelectedFolder(deep);
    if (!WaitForPaint(paints, painted)) return 1;
    selected.push_back(Ms(paints.lastPaint - start));

    const QPersistentModelIndex homeRow = model.indexForPath(home.path());
    if (!RunEventLoopUntil([&] { return model.rowCount(homeRow) == listed; }, 30000)) return 1;
    RunEventLoopUntil([] { return false; }, 100);  // the sort that follows the last rows
    loaded.push_back(Ms(clock.nsecsElapsed() - start));
    gaps.push_back(Ms(meter.longest));
    if (tree.SelectedFolder() != QDir::cleanPath(deep) ||
        !tree.viewport()->rect().intersects(tree.visualRect(tree.currentIndex()))) {
      std::printf("the deep folder is not selected and in view\n");
      return 1;
    }
  }
  // Reference: Qt's own tree over the file-system model, the home folder opened.
  std::vector<double> plainLoaded, plainGaps;
  for (int run = 0; run < runs; ++run) {
    QFileSystemModel fs;
    fs.setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    fs.setRootPath(QString());
    QTreeView plain;
    plain.setModel(&fs);
    plain.setUniformRowHeights(true);
    plain.setHeaderHidden(true);
    for (int column = 1; column < fs.columnCount(); ++column) plain.hideColumn(column);
    plain.resize(320, 600);
    plain.show();
    if (!QTest::qWaitForWindowExposed(&plain)) return 1;
    GapMeter meter;
    QElapsedTimer clock;
    clock.start();
    const QPersistentModelIndex homeRow = fs.index(home.path());
    plain.scrollTo(fs.index(deep));
    plain.expand(homeRow);
    if (!RunEventLoopUntil([&] { return fs.rowCount(homeRow) == listed; }, 30000)) return 1;
    RunEventLoopUntil([] { return false; }, 100);
    plainLoaded.push_back(Ms(clock.nsecsElapsed()));
    plainGaps.push_back(Ms(meter.longest));
  }

  std::printf("median of %d runs:\n", runs);
  std::printf("  create tree to first paint, home folder selected:   %7.1f ms\n", Median(opened));
  std::printf("  select a folder 5 levels inside to its paint:       %7.1f ms\n", Median(selected));
  std::printf("  select to all %d rows of the home folder listed:  %7.1f ms\n", listed, Median(loaded));
  std::printf("  longest event-loop gap meanwhile:                   %7.1f ms (worst run %.1f ms)\n", Median(gaps),
              *std::max_element(gaps.begin(), gaps.end()));
  std::printf("reference, QTreeView over QFileSystemModel:\n");
  std::printf("  open the home folder to all rows listed:            %7.1f ms\n", Median(plainLoaded));
  std::printf("  longest event-loop gap meanwhile:                   %7.1f ms (worst run %.1f ms)\n",
              Median(plainGaps), *std::max_element(plainGaps.begin(), plainGaps.end()));
  return 0;
}
