// quillmora-batch: the desktop program's batch run without a window, for
// scripts, servers and benchmarks.
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include "app/engine/BatchRun.h"
#include "app/engine/FileMasks.h"
#include "app/engine/ThumbGeometry.h"
#include "app/main/BatchCommandLine.h"
#include "app/main/HeadlessBatchHost.h"
#include "app/settings/RecordOptions.h"
#include "app/settings/SettingsFormat.h"

int main(int argc, char* argv[]) {
  // Never a window: without a display this still has fonts for the captions.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);

  QString error;
  const std::optional<BatchCommandLine> line = ParseBatchCommandLine(app.arguments().mid(1), &error);
  if (!line) {
    err << "quillmora-batch: " << error << "\nTry 'quillmora-batch --help'.\n";
    return 2;
  }
  if (line->help) {
    out << BatchUsageText();
    return 0;
  }

  HeadlessBatchHost host(out);
  ThumbnailOptions thumb;
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
    thumb = ThumbnailOptionsOf(record);
    host.albumOptions = AlbumOptionsOf(record);
    host.autoCreate = PreferenceOn(record, Preference::AutoCreateDestination);
    host.album = PreferenceOn(record, Preference::AlwaysCreateHtml);
  }
  if (line->style) thumb.thumbStyleIndex = static_cast<int16_t>(*line->style);
  if (line->width) thumb.thumbWidth = static_cast<int16_t>(*line->width);
  if (line->height) thumb.thumbHeight = static_cast<int16_t>(*line->height);
  if (line->filter) thumb.resampleIndex = static_cast<int16_t>(*line->filter);
  if (line->padding) thumb.imagePadding = static_cast<int16_t>(*line->padding);
  if (line->format) thumb.outputFormatIndex = static_cast<int16_t>(*line->format);
  if (line->backColor) thumb.thumbBackColor = *line->backColor;
  if (line->prefix) thumb.prefix = *line->prefix;
  if (line->suffix) thumb.suffix = *line->suffix;
  host.album = host.album || line->album;
  host.autoCreate = host.autoCreate || line->autoCreate;

  BatchOptions& options = host.options;
  options.thumbStyleIndex = thumb.thumbStyleIndex;
  options.thumbWidth = thumb.thumbWidth;
  options.thumbHeight = thumb.thumbHeight;
  options.imagePadding = thumb.imagePadding;
  options.prefix = thumb.prefix;
  options.suffix = thumb.suffix;
  options.outputFormatIndex = thumb.outputFormatIndex;
  // Framed styles always keep the aspect ratio, as choosing one on the options page does.
  options.resizeMode = thumb.thumbStyleIndex == 0 ? line->mode.value_or(kResizeKeepAspect) : kResizeKeepAspect;
  options.resampleFilterCode = ResampleFilterCode(thumb.resampleIndex);

  host.stage.SetThumbBackColor(thumb.thumbBackColor);
  if (line->backImage) host.stage.ApplyBrowsedBackgroundImage(*line->backImage);

  host.sourceFolder = line->sourceFolder;
  host.destinationFolder = line->destinationFolder;
  host.selected = line->files.isEmpty() ? ListFolderFiles(line->sourceFolder, FileMasks()[line->mask].pattern)
                                        : line->files;

  BatchRun run(host);
  run.Start();
  return run.lastFailedCount() > 0 || run.lastAlbumFailed() ? 1 : 0;
}
