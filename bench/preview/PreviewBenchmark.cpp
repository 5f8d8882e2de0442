// preview-benchmark: what previewing camera photos costs the user, in a
// visible window (a file list beside a 400 x 300 preview box).
//
//  1. Clicking a 24-megapixel JPEG: from the request to the preview painted,
//     through the preview loader (shrunk in its decoder, no waiting) and, in
//     the same run and taking turns file by file, the old way (a full-size
//     decode the interface waits for, then the fitted draw into a surface of
//     the box's size). Both decoders are warm.
//  2. Holding the down-arrow key through 50 such files (key presses at the
//     keyboard's repeat rate, through the event loop): the longest time the
//     interface thread went without handling events, how many decodes were
//     started, and whether the last file's preview is shown at the end; for
//     comparison, the same with the window holding back a request while
//     rows change faster than the key repeats.
//  3. A hanging file in the list: the hanging file is requested, 300 ms later
//     a good one; the time until the good one is painted, and the longest
//     event-loop gap meanwhile.
//
//   preview-benchmark [--hostile FOLDER] [--photos FOLDER] [--shot FILE]
// --hostile: where iff-timeout-*.iff is (default: the shared test data
// beside the source tree). --photos: make the photos there and keep them for
// the next run (default: a temporary folder). --shot: a screenshot of the
// window with the last file's preview, to look at. Runs on the platform
// QT_QPA_PLATFORM names (xcb under xvfb-run, or offscreen; offscreen when
// there is no display).
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/engine/DecoderProcess.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/PreviewLoader.h"
#include "app/engine/mScaleImage.h"
#include "bench/support/EventLoopClocks.h"
#include "bench/support/Figures.h"
#include "bench/support/TestPhotos.h"
#include "platform/drawing/Surface.h"
#include "platform/shell/PreviewPictureBox.h"

namespace {

constexpr int kBoxWidth = 400;
constexpr int kBoxHeight = 300;
constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kClickedFiles = 20;
constexpr int kListedFiles = 50;
constexpr int kKeyRepeatMs = 33;         // 30 key presses a second
constexpr int kSettleMs = 40;            // a little longer than the key repeat
constexpr int kHangingFileLeadMs = 300;  // the hanging file is wanted this long before the next
constexpr int kWaitLimitMs = 30000;

// The file list and the preview box as the window shows them, and the clock
// every figure is read from.
struct PreviewWindow {
  PreviewWindow() {
    auto* layout = new QHBoxLayout(&top);
    list = new QListWidget(&top);
    list->setFixedWidth(220);
    box = new PreviewPictureBox(&top);
    const int frame = box->frameWidth();
    box->setFixedSize(kBoxWidth + 2 * frame, kBoxHeight + 2 * frame);
    layout->addWidget(list);
    layout->addWidget(box);
    clock.start();
    box->installEventFilter(&paints);
  }
  // Runs the event loop until the box has painted after time `after`.
  bool WaitForPaintAfter(qint64 after) {
    return RunEventLoopUntil([&] { return paints.lastPaint > after; }, kWaitLimitMs);
  }

  QElapsedTimer clock;
  PaintClock paints{clock};
  QWidget top;
  QListWidget* list;
  PreviewPictureBox* box;
};

// Shows the loader's results in the box and remembers which file shows.
class PreviewShown : public QObject {
 public:
  PreviewShown(PreviewLoader& loader, PreviewWindow& window) : window_(window) {
    connect(&loader, &PreviewLoader::Loaded, this, [this](const PreviewResult& result) {
      if (result.image.ok())
        window_.box->setPicture(result.image.pixels);
      else
        window_.box->clearPicture();
      path = result.path;
      at = window_.clock.nsecsElapsed();
      if (!result.image.ok()) ++failed;
    });
  }
  // Whether path's preview is shown and painted.
  bool IsPainted(const QString& file) const { return path == file && window_.paints.lastPaint > at; }
  // Requests file and runs the event loop until its preview is painted.
  bool Show(PreviewLoader& loader, const QString& file) {
    loader.Request(file, window_.box->pixelSize());
    return RunEventLoopUntil([&] { return IsPainted(file); }, kWaitLimitMs);
  }

  QString path;
  qint64 at = -1;  // when it was handed to the box
  int failed = 0;

 private:
  PreviewWindow& window_;
};

void Settle(int ms) {
  RunEventLoopUntil([] { return false; }, ms);
}

QString PhotoName(int number) { return QStringLiteral("IMG_%1.JPG").arg(number, 4, 10, QLatin1Char('0')); }

// The photos IMG_0001.JPG ... (missing ones made), and WARM_UP.JPG.
bool MakePhotos(const QString& folder, int count, QStringList* files, QString* warmUp) {
  QElapsedTimer clock;
  clock.start();
  int made = 0;
  for (int i = 0; i <= count; ++i) {
    const QString path = QDir(folder).filePath(i == 0 ? QStringLiteral("WARM_UP.JPG") : PhotoName(i));
    if (!QFile::exists(path)) {
      if (!WritePhotoJpeg(path, kPhotoWidth, kPhotoHeight, static_cast<unsigned>(i + 1), 90)) return false;
      ++made;
    }
    if (i == 0)
      *warmUp = path;
    else
      files->append(path);
  }
  qint64 bytes = 0;
  for (const QString& file : *files) bytes += QFileInfo(file).size();
  std::printf("photos: %d JPEGs of %d x %d, quality 90, %.1f MB on average (%d made in %.1f s) in %s\n",
              int(files->size()), kPhotoWidth, kPhotoHeight, bytes / 1e6 / files->size(), made,
              clock.elapsed() / 1000.0, qPrintable(folder));
  return true;
}

// 1. Clicks on kClickedFiles photos, the preview loader and the old way taking turns.
bool MeasureClicks(PreviewWindow& window, const QStringList& files, const QString& warmUp) {
  PreviewLoader loader;
  PreviewShown shown(loader, window);
  DecoderProcess oldDecoder;
  Surface picLoad;
  Surface fitted(kBoxWidth, kBoxHeight);
  fitted.setRefreshHook([&] { window.box->setPicture(fitted.image()); });
  GapMeter meter;

  // Warm: both decoders running, both ways' code paths and the box's paint used once.
  if (!shown.Show(loader, warmUp) || !oldDecoder.decode(warmUp).ok()) {
    std::printf("the decoder does not decode %s\n", qPrintable(warmUp));
    return false;
  }
  Settle(100);

  std::vector<double> preview, previewDecode, previewGap, full, fullDecode, fullDraw, fullGap;
  double worstPreviewGapCpu = 0, worstPreviewEvent = 0;
  QString worstPreviewEventName;
  auto* timed = static_cast<TimedApplication*>(QCoreApplication::instance());
  const auto previewWay = [&](const QString& file) {
    meter.restart();
    timed->restartEventTimes();
    const qint64 start = window.clock.nsecsElapsed();
    loader.Request(file, window.box->pixelSize());
    if (!RunEventLoopUntil([&] { return shown.IsPainted(file); }, kWaitLimitMs)) return false;
    preview.push_back(Ms(window.paints.lastPaint - start));
    previewDecode.push_back(Ms(shown.at - start));
    if (previewGap.empty() || Ms(meter.longest) > Max(previewGap)) {
      worstPreviewGapCpu = Ms(meter.longestCpu);
      worstPreviewEvent = Ms(timed->longestEvent);
      worstPreviewEventName = timed->longestEventName;
    }
    previewGap.push_back(Ms(meter.longest));
    return true;
  };
  const auto fullWay = [&](const QString& file) {
    meter.restart();
    const qint64 start = window.clock.nsecsElapsed();
    const DecodedImage decoded = oldDecoder.decode(file);
    const qint64 decodedAt = window.clock.nsecsElapsed();
    if (!PlaceDecodedImage(decoded, picLoad)) return false;
    DrawPictureFitted(picLoad, fitted, 0, true);
    const qint64 drawnAt = window.clock.nsecsElapsed();
    if (!window.WaitForPaintAfter(drawnAt)) return false;
    full.push_back(Ms(window.paints.lastPaint - start));
    fullDecode.push_back(Ms(decodedAt - start));
    fullDraw.push_back(Ms(drawnAt - decodedAt));
    fullGap.push_back(Ms(meter.longest));
    return true;
  };
  for (int i = 0; i < kClickedFiles && i < files.size(); ++i) {
    const bool previewFirst = i % 2 == 0;
    if (!(previewFirst ? previewWay(files[i]) : fullWay(files[i])) ||
        !(previewFirst ? fullWay(files[i]) : previewWay(files[i]))) {
      std::printf("%s was not shown\n", qPrintable(files[i]));
      return false;
    }
    Settle(30);
  }
  std::printf("\n1. click a %d x %d JPEG, until its preview is painted in the %d x %d box (%zu files, ms)\n",
              kPhotoWidth, kPhotoHeight, kBoxWidth, kBoxHeight, preview.size());
  std::printf("   %-34s %8s %8s   %s\n", "", "median", "max", "of which (median)");
  std::printf("   %-34s %8.1f %8.1f   request to result %.1f; longest event-loop gap %.1f (max %.1f)\n",
              "preview loader (shrunk decode)", Median(preview), Max(preview), Median(previewDecode),
              Median(previewGap), Max(previewGap));
  std::printf("   %-34s %8.1f %8.1f   decode %.1f, fitted draw %.1f; longest event-loop gap %.1f (max %.1f)\n",
              "old way (full decode + fitted draw)", Median(full), Max(full), Median(fullDecode), Median(fullDraw),
              Median(fullGap), Max(fullGap));
  std::printf(
      "   the preview loader's longest gap: the thread ran %.1f ms of it; longest handling of one event in "
      "that click %.1f ms (%s)\n",
      worstPreviewGapCpu, worstPreviewEvent, qPrintable(worstPreviewEventName));
  std::printf("   preview picture %d x %d for the box's %d x %d device pixels\n", window.box->picture().width(),
              window.box->picture().height(), window.box->pixelSize().width(), window.box->pixelSize().height());
  return true;
}

// 2. The down-arrow key held through kListedFiles photos.
// settleMs 0: every row change requests its preview at once. Otherwise a
// row change that follows the previous one within settleMs waits until the
// row has stood that long (a window-side choice, for comparison).
bool MeasureKeyHeld(PreviewWindow& window, const QStringList& files, const QString& warmUp, int settleMs,
                    const QString& shot) {
  PreviewLoader loader;
  PreviewShown shown(loader, window);
  if (!shown.Show(loader, warmUp)) return false;
  QListWidget& list = *window.list;
  list.clear();
  for (int i = 0; i < kListedFiles && i < files.size(); ++i) list.addItem(QFileInfo(files[i]).fileName());
  int requests = 0;
  int decoderStarts = 0;
  qint64 decoder = loader.decoder().processId();
  qint64 longestRequest = 0;
  const auto request = [&](int row) {
    ++requests;
    const qint64 before = window.clock.nsecsElapsed();
    loader.Request(files[row], window.box->pixelSize());
    longestRequest = std::max(longestRequest, window.clock.nsecsElapsed() - before);
    // A decode abandoned for a newer request replaces the decoder.
    const qint64 now = loader.decoder().processId();
    if (now != decoder && now != 0) ++decoderStarts;
    decoder = now;
  };
  QTimer settle;
  settle.setSingleShot(true);
  settle.setTimerType(Qt::PreciseTimer);
  int settlingRow = -1;
  QObject::connect(&settle, &QTimer::timeout, &loader, [&] { request(settlingRow); });
  qint64 lastChange = -1;
  QObject::connect(&list, &QListWidget::currentRowChanged, &loader, [&](int row) {
    if (row < 0) return;
    const qint64 now = window.clock.nsecsElapsed();
    const bool rapid = settleMs > 0 && lastChange >= 0 && now - lastChange < qint64{settleMs} * 1000000;
    lastChange = now;
    if (rapid) {
      settlingRow = row;
      settle.start(settleMs);
    } else {
      settle.stop();
      request(row);
    }
  });
  list.setFocus();
  list.setCurrentRow(0);  // the first file clicked, then the key held down
  const QString& first = files[0];
  if (!RunEventLoopUntil([&] { return shown.IsPainted(first); }, kWaitLimitMs)) return false;
  Settle(100);

  const int decodesBefore = loader.decodesStarted() - 1;  // the warm-up's
  const int presses = list.count() - 1;
  int sent = 0;
  qint64 lastPress = 0;
  QTimer keys;
  keys.setTimerType(Qt::PreciseTimer);
  QObject::connect(&keys, &QTimer::timeout, &list, [&] {
    if (sent < presses) {
      // Held down: every press after the first is an automatic repeat.
      QApplication::postEvent(&list,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), sent > 0));
      lastPress = window.clock.nsecsElapsed();
      ++sent;
    } else {
      QApplication::postEvent(&list, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier));
      keys.stop();
    }
  });
  GapMeter meter;
  auto* timed = static_cast<TimedApplication*>(QCoreApplication::instance());
  timed->restartEventTimes();
  const qint64 start = window.clock.nsecsElapsed();
  keys.start(kKeyRepeatMs);
  const QString& last = files[list.count() - 1];
  const bool lastShown =
      RunEventLoopUntil([&] { return !keys.isActive() && shown.IsPainted(last); }, presses * kKeyRepeatMs + 10000);
  const qint64 end = window.clock.nsecsElapsed();
  std::printf("\n2%s. down-arrow key held through %d files, %d presses at %d a second (%.0f ms)\n",
              settleMs > 0 ? "b" : "", list.count(), presses, 1000 / kKeyRepeatMs, Ms(lastPress - start));
  if (settleMs > 0)
    std::printf("   for comparison: the window requests a quickly changed row once it has stood %d ms\n", settleMs);
  std::printf("   longest event-loop gap:                 %8.1f ms (the thread ran %.1f ms of it)\n", Ms(meter.longest),
              Ms(meter.longestCpu));
  std::printf("   longest handling of one event:          %8.1f ms (%s; the thread ran %.1f ms of it)\n",
              Ms(timed->longestEvent), qPrintable(timed->longestEventName), Ms(timed->longestEventCpu));
  std::printf("   previews requested / decodes started:   %d / %d\n", requests,
              loader.decodesStarted() - decodesBefore);
  std::printf("   decoders started for abandoned decodes: %d; longest Request() call %.1f ms\n", decoderStarts,
              Ms(longestRequest));
  std::printf("   last file's preview shown at the end:   %s (current row %d; painted %.0f ms after the last press)\n",
              lastShown ? "yes" : "NO", list.currentRow(),
              lastShown ? Ms(window.paints.lastPaint - lastPress) : Ms(end - lastPress));
  if (shown.failed > 0) std::printf("   previews that failed: %d\n", shown.failed);
  if (!shot.isEmpty()) {
    // What the screen shows where the platform has one, else the window's own rendering.
    const QPixmap pixels = QGuiApplication::platformName() == QLatin1String("offscreen")
                               ? window.top.grab()
                               : window.top.screen()->grabWindow(0);
    if (!pixels.save(shot)) std::printf("   cannot write %s\n", qPrintable(shot));
  }
  list.clear();
  return true;
}

// 3. A hanging file, then a good file 300 ms later.
bool MeasureHangingFile(PreviewWindow& window, const QString& hanging, const QString& good, const QString& warmUp) {
  PreviewLoader loader;
  PreviewShown shown(loader, window);
  if (!shown.Show(loader, warmUp)) return false;
  Settle(100);
  GapMeter meter;
  auto* timed = static_cast<TimedApplication*>(QCoreApplication::instance());
  timed->restartEventTimes();
  const qint64 start = window.clock.nsecsElapsed();
  loader.Request(hanging, window.box->pixelSize());
  qint64 next = -1;
  qint64 requestReturned = -1;
  bool stillDecoding = false;
  bool decoderReplaced = false;
  QTimer::singleShot(kHangingFileLeadMs, Qt::PreciseTimer, &loader, [&] {
    stillDecoding = loader.isBusy();
    const qint64 decoder = loader.decoder().processId();
    next = window.clock.nsecsElapsed();
    loader.Request(good, window.box->pixelSize());
    requestReturned = window.clock.nsecsElapsed();
    decoderReplaced = loader.decoder().processId() != decoder;
  });
  const bool painted = RunEventLoopUntil([&] { return shown.IsPainted(good); }, kWaitLimitMs);
  std::printf("\n3. hanging file %s requested, %.0f ms later a good file\n", qPrintable(QFileInfo(hanging).fileName()),
              next < 0 ? -1.0 : Ms(next - start));
  if (!painted) {
    std::printf("   the good file's preview was NOT painted within %d s\n", kWaitLimitMs / 1000);
    return true;
  }
  std::printf("   good file's preview painted after:      %8.1f ms (the second request took %.1f ms)\n",
              Ms(window.paints.lastPaint - next), Ms(requestReturned - next));
  std::printf("   longest event-loop gap meanwhile:       %8.1f ms (the thread ran %.1f ms of it)\n", Ms(meter.longest),
              Ms(meter.longestCpu));
  std::printf("   longest handling of one event:          %8.1f ms (%s; the thread ran %.1f ms of it)\n",
              Ms(timed->longestEvent), qPrintable(timed->longestEventName), Ms(timed->longestEventCpu));
  std::printf("   decodes started: %d (warm-up, hanging file, good file); the hanging file %s\n",
              loader.decodesStarted(),
              !stillDecoding    ? "was no longer decoding at the second request (it does not hang here)"
              : decoderReplaced ? "was abandoned and its decoder replaced"
                                : "was still decoding, and its decoder was kept");
  return true;
}

QString LoadAverage() {
  QFile file(QStringLiteral("/proc/loadavg"));
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("?");
  return QString::fromLatin1(file.readLine()).section(QLatin1Char(' '), 0, 2);
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display, offscreen rather than no window at all.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  TimedApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addHelpOption();
  parser.addOption({QStringLiteral("hostile"), QStringLiteral("Folder holding iff-timeout-*.iff."),
                    QStringLiteral("folder"), QStringLiteral(QM_BENCH_HOSTILE_DIR)});
  parser.addOption(
      {QStringLiteral("photos"), QStringLiteral("Make the photos here and keep them."), QStringLiteral("folder")});
  parser.addOption({QStringLiteral("shot"), QStringLiteral("Save a screenshot with the last file's preview."),
                    QStringLiteral("file")});
  parser.process(app);

  std::printf("platform %s, load average %s\n", qPrintable(QGuiApplication::platformName()), qPrintable(LoadAverage()));
  QTemporaryDir temporary;
  const QString folder =
      parser.isSet(QStringLiteral("photos")) ? parser.value(QStringLiteral("photos")) : temporary.path();
  if (folder.isEmpty() || !QDir().mkpath(folder)) return 1;
  QStringList files;
  QString warmUp;
  if (!MakePhotos(folder, kListedFiles, &files, &warmUp)) {
    std::printf("cannot write the photos in %s\n", qPrintable(folder));
    return 1;
  }

  PreviewWindow window;
  window.top.show();
  if (!QTest::qWaitForWindowExposed(&window.top)) return 1;
  window.top.activateWindow();
  Settle(200);
  std::printf("preview box %d x %d device pixels, device pixel ratio %.2f; load average %s\n",
              window.box->pixelSize().width(), window.box->pixelSize().height(), window.box->devicePixelRatioF(),
              qPrintable(LoadAverage()));

  if (!MeasureClicks(window, files, warmUp)) return 1;
  if (!MeasureKeyHeld(window, files, warmUp, 0, parser.value(QStringLiteral("shot")))) return 1;
  if (!MeasureKeyHeld(window, files, warmUp, kSettleMs, QString())) return 1;

  const QStringList hanging =
      QDir(parser.value(QStringLiteral("hostile"))).entryList({QStringLiteral("iff-timeout-*.iff")}, QDir::Files);
  if (hanging.isEmpty()) {
    std::printf("\n3. no iff-timeout-*.iff in %s: the hanging file is not measured\n",
                qPrintable(parser.value(QStringLiteral("hostile"))));
  } else {
    const QString copy = QDir(temporary.path()).filePath(hanging.first());
    QFile::remove(copy);
    if (!QFile::copy(QDir(parser.value(QStringLiteral("hostile"))).filePath(hanging.first()), copy)) return 1;
    if (!MeasureHangingFile(window, copy, files[1], warmUp)) return 1;
  }
  std::printf("\nload average at the end %s\n", qPrintable(LoadAverage()));
  return 0;
}
