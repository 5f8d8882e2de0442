// quillmora-batch: the desktop program's batch run without a window, for
// scripts, servers and benchmarks.
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <malloc.h>

#include "app/engine/BatchRun.h"
#include "app/engine/FileMasks.h"
#include "app/main/BatchCommandLine.h"
#include "app/main/HeadlessBatchHost.h"
#include "app/settings/ControlOptions.h"
#include "app/settings/OptionDigest.h"
#include "app/settings/OptionValues.h"
#include "app/settings/RecordOptions.h"
#include "app/settings/SettingsFormat.h"

namespace {

// Standard error is the program's own: scripts read anything there as a
// failure. Qt's notices (above all "XDG_RUNTIME_DIR not set", which every
// application object prints where there is no runtime folder: cron, ssh,
// containers) are dropped; only a fatal one, which ends the program, is told.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) QTextStream(stderr) << "quillmora-batch: " << message << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  // A run allocates pixel buffers of the same few sizes file after file; kept
  // in the heap once freed, they are reused instead of being mapped and
  // faulted in anew each time. The process ends with the run.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  qInstallMessageHandler(QtMessage);
  // The program's own arguments, untouched: the application object below sees
  // none of them, so Qt never takes "--style", "-platform" and the like.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Never a window, whatever the environment says; offscreen still has the
  // fonts the captions are measured with.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);

  QString error;
  const std::optional<BatchCommandLine> line = ParseBatchCommandLine(arguments, &error);
  if (!line) {
    err << "quillmora-batch: " << error << "\nTry 'quillmora-batch --help'.\n";
    return 2;
  }
  if (line->help) {
    out << BatchUsageText();
    return 0;
  }
  if (line->version) {
    out << "quillmora-batch " << QUILLMORA_VERSION << '\n';
    return 0;
  }

  HeadlessBatchHost host(out, err);
  // The options as the window's controls would hold them: the settings
  // file's (whatever its preference flags say), then the flags given.
  OptionValues values;
  if (!line->settingsFile.isEmpty()) {
    // Read only: unlike the program's own start-up, the file given is never
    // created, emptied or deleted here.
    QFile file(line->settingsFile);
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.read(kSettingsMaxBytes) : QByteArray();
    if (data.isEmpty()) {
      err << "quillmora-batch: the settings file is empty or cannot be read: " << line->settingsFile << '\n';
      return 2;
    }
    const SettingsRecord record = DecodeSettings(data);
    values.thumbnail = ThumbnailOptionsOf(record);
    values.album = AlbumOptionsOf(record);
    host.autoCreate = PreferenceOn(record, Preference::AutoCreateDestination);
    host.album = PreferenceOn(record, Preference::AlwaysCreateHtml);
  }
  for (const auto& [control, value] : line->options) SetControlValue(values, control, value);
  const ThumbnailOptions thumb = ThumbnailOptionsFrom(values);
  host.options = thumb;
  host.albumOptions = AlbumOptionsFrom(values);
  host.album = host.album || line->album;
  host.autoCreate = host.autoCreate || line->autoCreate;
  host.scope.update = line->update;
  host.scope.prune = line->prune;
  host.scope.assemble = line->assemble;
  if (line->shard) {
    host.scope.shard = true;
    host.scope.shardIndex = line->shard->first;
    host.scope.shardCount = line->shard->second;
  }
  host.scope.thumbnailDigest = ThumbnailOptionsDigest(thumb);
  host.scope.albumDigest = AlbumOptionsDigest(host.albumOptions);

  host.stage.SetThumbBackColor(thumb.thumbBackColor);
  if (line->backImage) {
    if (!host.stage.ApplyBrowsedBackgroundImage(*line->backImage)) {
      err << "quillmora-batch: the background image cannot be read: " << *line->backImage << '\n';
      return 2;
    }
  } else if (!thumb.thumbBackImage.trimmed().isEmpty() &&
             !host.stage.ApplyBrowsedBackgroundImage(thumb.thumbBackImage)) {
    // The settings file's background image, as the window would use it.
    err << "quillmora-batch: the background image of the settings file cannot be read, none is used: "
        << thumb.thumbBackImage << '\n';
  }

  host.sourceFolder = line->sourceFolder;
  host.destinationFolder = line->destinationFolder;
  if (line->files.isEmpty()) {
    const FolderListing listing = ListFolder(line->sourceFolder, FileMasks()[line->mask].pattern);
    if (!listing.readable) {
      err << "quillmora-batch: cannot read the source folder " << line->sourceFolder << ": " << listing.error
          << '\n';
      return 2;
    }
    host.selected = listing.names;  // names that are not valid text fail in the run, each with its reason
  } else {
    host.selected = line->files;
  }

  BatchRun run(host);
  run.Start();
  return run.lastFailedCount() > 0 || run.lastAlbumFailed() ? 1 : 0;
}
