// The main window's figures:
//   list     a folder of 10,000 files: from the click on its row in the source
//            tree to the filled list (and to its next paint); "Select All"
//            against selecting the entries one by one.
//   run      a run from the window over the photos against quillmora-batch on
//            the same files, alternated, 3 rounds each.
//   stop     Stop clicked at a random moment of a run: how long until the run
//            has returned (the window's RunEnded).
//   startup  reading the settings, building the window over a folder of 100
//            photos and showing it, until its first paint has finished (run
//            first, so its first round is the process's first window).
//
//   window-benchmark [--photos FOLDER] [--rounds N] [startup] [list] [run] [stop]
// Without parts, all of them. FOLDER holds the photos bench/make-photos.sh
// makes (default /tmp/quillmora-bench/photos; run and stop need it, startup
// links 100 files to its photos). Runs offscreen unless QT_QPA_PLATFORM says
// otherwise (for example xcb under xvfb-run).
#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <ctime>
#include <unistd.h>
#include <vector>

#include "app/controls/picturebutton/PictureButton.h"
#include "bench/support/EventLoopClocks.h"
#include "bench/support/Figures.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/main/fMain.h"
#include "app/settings/SettingsFile.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/FolderTreeModel.h"
#include "platform/shell/MessageBox.h"

namespace {

// Records when a window's first paint has finished: the end of the expose or
// update request during which the window itself was painted.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) { qApp->installEventFilter(this); }
  ~FirstPaint() override { qApp->removeEventFilter(this); }
  void watch(QWidget* window) {
    window_ = window;
    done = -1;
  }
  qint64 done = -1;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!window_ || done >= 0) return false;
    if (watched == window_ && event->type() == QEvent::Paint) {
      painted_ = true;
      return false;
    }
    const bool mine = watched == window_ || watched == window_->windowHandle();
    if (!mine || (event->type() != QEvent::Expose && event->type() != QEvent::UpdateRequest)) return false;
    painted_ = false;
    const bool handled = watched->event(event);
    if (painted_) done = clock_.nsecsElapsed();
    return handled;
  }

 private:
  const QElapsedTimer& clock_;
  QWidget* window_ = nullptr;
  bool painted_ = false;
};

bool WaitForPaint(const PaintClock& paints, qint64 after) {
  return RunEventLoopUntil([&] { return paints.lastPaint > after; }, 10000);
}

void ClickFolder(FolderTree* tree, const QString& path) {
  const QModelIndex index = tree->folderModel()->indexForPath(path);
  tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

bool Touch(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly);
}

void Empty(const QString& folder) {
  QDir(folder).removeRecursively();
  QDir().mkpath(folder);
}

int Count(const QString& folder, const QString& pattern) {
  return static_cast<int>(QDir(folder).entryList({pattern}, QDir::Files).size());
}

QString Platform() { return QGuiApplication::platformName(); }

// Milliseconds since this process started (to the kernel's clock tick, 10 ms).
double MsSinceProcessStart() {
  QFile stat(QStringLiteral("/proc/self/stat"));
  if (!stat.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
  if (fields.size() < 20) return -1;
  const double startTicks = fields[19].toDouble();  // field 22 of the line, counted after the name
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (now.tv_sec + now.tv_nsec / 1e9 - startTicks / sysconf(_SC_CLK_TCK)) * 1000;
}

// A window over record, shown, with its settings in folder.
std::unique_ptr<fMain> OpenWindow(SettingsRecord& record, const QString& folder) {
  auto window = std::make_unique<fMain>(record, folder + "/qmsetup.dat", false);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) std::printf("  (the window was not exposed)\n");
  QTest::qWait(200);  // the folder trees' first reads
  return window;
}

void ListBenchmark(int rounds) {
  constexpr int kFiles = 10000;
  QTemporaryDir tmp;
  const QString big = tmp.filePath("big"), small = tmp.filePath("small");
  QDir().mkpath(big);
  QDir().mkpath(small);
  for (int i = 0; i < kFiles; ++i) Touch(QStringLiteral("%1/IMG_%2.JPG").arg(big).arg(i, 5, 10, QChar('0')));
  for (int i = 0; i < 10; ++i) Touch(QStringLiteral("%1/IMG_%2.JPG").arg(small).arg(i));
  SettingsRecord record = DefaultSettings();
  record.sourceFolder = small;
  std::unique_ptr<fMain> window = OpenWindow(record, tmp.path());
  QListWidget* list = window->fbImages();

  QElapsedTimer clock;
  clock.start();
  PaintClock paints(clock);
  list->viewport()->installEventFilter(&paints);

  std::vector<double> fill, fillPaint, all, allPaint, clear, oneByOne, oneByOnePaint;
  for (int r = 0; r < rounds; ++r) {
    ClickFolder(window->ftvSource(), small);
    QTest::qWait(50);
    qint64 t0 = clock.nsecsElapsed();
    ClickFolder(window->ftvSource(), big);
    qint64 t1 = clock.nsecsElapsed();
    if (list->count() != kFiles) std::printf("  (the list holds %d entries, not %d)\n", list->count(), kFiles);
    WaitForPaint(paints, t1);
    fill.push_back(Ms(t1 - t0));
    fillPaint.push_back(Ms(paints.lastPaint - t0));
    QTest::qWait(50);

    t0 = clock.nsecsElapsed();
    QTest::mouseClick(window->cmdselect(0), Qt::LeftButton);
    t1 = clock.nsecsElapsed();
    WaitForPaint(paints, t1);
    all.push_back(Ms(t1 - t0));
    allPaint.push_back(Ms(paints.lastPaint - t0));
    if (list->selectedItems().size() != kFiles) std::printf("  (Select All selected %d entries)\n", int(list->selectedItems().size()));

    t0 = clock.nsecsElapsed();
    QTest::mouseClick(window->cmdselect(1), Qt::LeftButton);
    clear.push_back(Ms(clock.nsecsElapsed() - t0));
    QTest::qWait(50);

    // The same selection, one entry at a time.
    t0 = clock.nsecsElapsed();
    for (int i = kFiles - 1; i >= 0; --i) list->item(i)->setSelected(true);
    t1 = clock.nsecsElapsed();
    WaitForPaint(paints, t1);
    oneByOne.push_back(Ms(t1 - t0));
    oneByOnePaint.push_back(Ms(paints.lastPaint - t0));
    QTest::mouseClick(window->cmdselect(1), Qt::LeftButton);
  }
  std::printf("== list: a folder of %d files, %s, median of %d (max)\n", kFiles, qPrintable(Platform()), rounds);
  std::printf("  %-46s %8.1f ms (%.1f)\n", "tree click to list filled", Median(fill), Max(fill));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "tree click to list painted", Median(fillPaint), Max(fillPaint));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "Select All", Median(all), Max(all));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "Select All to list painted", Median(allPaint), Max(allPaint));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "Clear", Median(clear), Max(clear));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "one by one (setSelected in a loop)", Median(oneByOne), Max(oneByOne));
  std::printf("  %-46s %8.1f ms (%.1f)\n", "one by one to list painted", Median(oneByOnePaint), Max(oneByOnePaint));
}

// One run from the window: Select All, START; the time until the click returns.
double WindowRun(fMain& window, const QString& out, int photos) {
  Empty(out);
  QTest::mouseClick(window.cmdselect(0), Qt::LeftButton);
  QElapsedTimer t;
  t.start();
  QTest::mouseClick(window.cmdAction(0), Qt::LeftButton);
  const double ms = Ms(t.nsecsElapsed());
  const int made = Count(out, "TH_*.jpg");
  if (made != photos) std::printf("  (the window made %d thumbnails of %d)\n", made, photos);
  return ms;
}

double BatchRun(const QString& photosFolder, const QString& out, int photos) {
  Empty(out);
  QProcess batch;
  QElapsedTimer t;
  t.start();
  batch.start(QCoreApplication::applicationDirPath() + "/quillmora-batch", {"--dest", out, photosFolder});
  batch.waitForFinished(-1);
  const double ms = Ms(t.nsecsElapsed());
  const int made = Count(out, "TH_*.jpg");
  if (batch.exitCode() != 0 || made != photos)
    std::printf("  (quillmora-batch exited %d and made %d thumbnails of %d)\n", batch.exitCode(), made, photos);
  return ms;
}

bool SameFiles(const QString& a, const QString& b) {
  const QStringList names = QDir(a).entryList(QDir::Files);
  if (names != QDir(b).entryList(QDir::Files)) return false;
  for (const QString& name : names) {
    QFile fa(a + "/" + name), fb(b + "/" + name);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.readAll() != fb.readAll()) return false;
  }
  return true;
}

void RunBenchmark(const QString& photos, int rounds) {
  const int count = Count(photos, "*.JPG");
  QTemporaryDir tmp;
  const QString winOut = tmp.filePath("window"), cliOut = tmp.filePath("batch");
  SettingsRecord record = DefaultSettings();
  record.sourceFolder = photos;
  record.destinationFolder = winOut;
  QDir().mkpath(winOut);
  std::unique_ptr<fMain> window = OpenWindow(record, tmp.path());
  BatchRun(photos, cliOut, count);  // warms the page cache and the decoders' code
  std::vector<double> win, cli;
  for (int r = 0; r < rounds; ++r) {
    if (r % 2 == 0) {
      win.push_back(WindowRun(*window, winOut, count));
      cli.push_back(BatchRun(photos, cliOut, count));
    } else {
      cli.push_back(BatchRun(photos, cliOut, count));
      win.push_back(WindowRun(*window, winOut, count));
    }
    std::printf("  round %d: window %.0f ms, quillmora-batch %.0f ms\n", r + 1, win.back(), cli.back());
  }
  std::printf("== run: %d photos, 120 x 120 JPEG thumbnails, %s, median of %d\n", count, qPrintable(Platform()),
              rounds);
  std::printf("  %-46s %8.0f ms\n", "from the window (START to return)", Median(win));
  std::printf("  %-46s %8.0f ms\n", "quillmora-batch", Median(cli));
  std::printf("  %-46s %8.2f x\n", "window / quillmora-batch", Median(win) / Median(cli));
  std::printf("  %-46s %8s\n", "thumbnails identical", SameFiles(winOut, cliOut) ? "yes" : "no");
}

void StopBenchmark(const QString& photos, int stops) {
  const int count = Count(photos, "*.JPG");
  QTemporaryDir tmp;
  const QString out = tmp.filePath("out");
  SettingsRecord record = DefaultSettings();
  record.sourceFolder = photos;
  record.destinationFolder = out;
  QDir().mkpath(out);
  std::unique_ptr<fMain> window = OpenWindow(record, tmp.path());
  const double whole = WindowRun(*window, out, count);

  QElapsedTimer clock;
  clock.start();
  qint64 started = -1, firstFile = -1, clicked = -1, ended = -1;
  QObject::connect(window.get(), &fMain::RunEnded, [&] { ended = clock.nsecsElapsed(); });
  QObject::connect(window->thProg(), &Rk_Progbar::ValueChanged, [&](int value) {
    if (value == 1 && firstFile < 0) firstFile = clock.nsecsElapsed();
  });
  std::vector<double> latencies;
  std::vector<int> made;
  for (int i = 0; i < stops; ++i) {
    Empty(out);
    QTest::mouseClick(window->cmdselect(0), Qt::LeftButton);
    const int at = 200 + QRandomGenerator::global()->bounded(static_cast<int>(whole * 0.8));
    clicked = ended = firstFile = -1;
    started = clock.nsecsElapsed();
    QTimer::singleShot(at, window.get(), [&] {
      clicked = clock.nsecsElapsed();
      QTest::mouseClick(window->cmdAction(1), Qt::LeftButton);
    });
    QTest::mouseClick(window->cmdAction(0), Qt::LeftButton);
    if (clicked < 0) continue;  // the run ended before the stop
    latencies.push_back(Ms(ended - clicked));
    made.push_back(Count(out, "TH_*.jpg"));
    std::printf("  stop at %5.0f ms (first file at %5.0f ms): acted on after %6.1f ms, %d thumbnails written\n",
                Ms(clicked - started), firstFile < 0 ? -1.0 : Ms(firstFile - started), latencies.back(), made.back());
  }
  std::printf("== stop: %d photos (a whole run %.0f ms), %s, %zu stops\n", count, whole, qPrintable(Platform()),
              latencies.size());
  if (latencies.empty()) return;
  std::printf("  %-46s %8.1f ms\n", "Stop click to the run's return, median", Median(latencies));
  std::printf("  %-46s %8.1f ms\n", "Stop click to the run's return, max", Max(latencies));
}

void StartupBenchmark(const QString& photos, int rounds, bool firstPart) {
  QTemporaryDir tmp;
  const QString hundred = tmp.filePath("photos100");
  QDir().mkpath(hundred);
  const QStringList sources = QDir(photos).entryList({"*.JPG"}, QDir::Files, QDir::Name);
  for (int i = 0; i < 100 && !sources.isEmpty(); ++i) {
    const QString from = photos + "/" + sources[i % sources.size()];
    const QString to = QStringLiteral("%1/IMG_%2.JPG").arg(hundred).arg(i + 1, 4, 10, QChar('0'));
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) QFile::copy(from, to);
  }
  const QString settings = tmp.filePath("qmsetup.dat");
  SettingsRecord stored = DefaultSettings();
  stored.sourceFolder = hundred;
  stored.destinationFolder = tmp.path();
  SaveSettings(stored, settings);

  QElapsedTimer clock;
  clock.start();
  FirstPaint paint(clock);
  std::vector<double> built, painted;
  double sinceStart = -1;
  for (int r = 0; r < rounds; ++r) {
    const qint64 t0 = clock.nsecsElapsed();
    bool usedDefaults = false;
    SettingsRecord record = LoadSettings(settings, &usedDefaults);
    auto window = std::make_unique<fMain>(record, settings, usedDefaults);
    const qint64 t1 = clock.nsecsElapsed();
    paint.watch(window.get());
    window->show();
    if (!QTest::qWaitFor([&] { return paint.done >= 0; }, 10000)) std::printf("  (no paint)\n");
    if (r == 0) sinceStart = MsSinceProcessStart() - Ms(clock.nsecsElapsed() - paint.done);
    built.push_back(Ms(t1 - t0));
    painted.push_back(Ms(paint.done - t0));
    if (window->fbImages()->count() != 100) std::printf("  (the list holds %d files)\n", window->fbImages()->count());
    QTest::qWait(300);
    paint.watch(nullptr);
    window.reset();
    QTest::qWait(100);
  }
  std::printf("== start-up: settings read, window over 100 photos, %s\n", qPrintable(Platform()));
  std::printf("  %-46s %8.1f ms\n", "first in this process: built", built.front());
  std::printf("  %-46s %8.1f ms\n", "first in this process: painted", painted.front());
  if (firstPart) std::printf("  %-46s %8.0f ms\n", "process start to that paint (to 10 ms)", sinceStart);
  if (rounds > 1) {
    built.erase(built.begin());
    painted.erase(painted.begin());
    std::printf("  %-46s %8.1f ms\n", "later ones, median: built", Median(built));
    std::printf("  %-46s %8.1f ms\n", "later ones, median: painted", Median(painted));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Nothing is asked: a benchmark answers every question with Yes.
  SetMessageBoxHandler([](const MessageBoxRequest&) { return MsgResult::Yes; });
  QString photos = QStringLiteral("/tmp/quillmora-bench/photos");
  int rounds = 3;
  QStringList parts;
  const QStringList args = app.arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--photos" && i + 1 < args.size())
      photos = args[++i];
    else if (args[i] == "--rounds" && i + 1 < args.size())
      rounds = std::max(1, args[++i].toInt());
    else
      parts << args[i];
  }
  if (parts.isEmpty()) parts = QStringList{"startup", "list", "run", "stop"};
  const bool havePhotos = QDir(photos).entryList({"*.JPG"}, QDir::Files).size() > 0;
  for (const QString& part : parts) {
    if (part == "list") {
      ListBenchmark(std::max(rounds, 5));
    } else if (!havePhotos) {
      std::printf("== %s: no photos in %s (make them with bench/make-photos.sh)\n", qPrintable(part), qPrintable(photos));
    } else if (part == "run") {
      RunBenchmark(photos, rounds);
    } else if (part == "stop") {
      StopBenchmark(photos, std::max(rounds, 10));
    } else if (part == "startup") {
      StartupBenchmark(photos, std::max(rounds, 5), part == parts.first());
    } else {
      std::printf("unknown part %s\n", qPrintable(part));
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
