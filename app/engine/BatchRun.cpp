#include "app/engine/BatchRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <vector>

#include "app/engine/ImageBridge.h"
#include "app/engine/FailureTexts.h"
#include "app/engine/FileKind.h"
#include "app/engine/OutputFormats.h"
#include "app/engine/mScaleImage.h"
#include "app/engine/mThumbStyles.h"
#include "app/engine/OutputNames.h"
#include "app/engine/WholeFile.h"
#include "app/engine/mUtils.h"
#include "app/imaging/PhotoDetails.h"

namespace {

// The canonical path of an existing file, or empty.
QString CanonicalPath(const QString& path) { return QFileInfo(path).canonicalFilePath(); }

// Whether two paths name the same file once both exist (or, for a target that
// does not exist yet, its folder's canonical path and the name).
QString CanonicalTarget(const QString& path) {
  const QFileInfo info(path);
  const QString existing = info.canonicalFilePath();
  if (!existing.isEmpty()) return existing;
  const QString folder = QFileInfo(info.path()).canonicalFilePath();
  return folder.isEmpty() ? QString() : AddBackslash(folder) + info.fileName();
}

void EnsureFolder(const QString& folder) {
  if (!QFileInfo::exists(folder)) QDir().mkpath(folder);
}

// Whether an image page's copy of a decoded image keeps every pixel its
// thumbnail needs: the scale the decoder would keep for the thumbnail alone.
bool CopyServesThumbnail(const QSize& copy, const QSize& natural, const ThumbnailOptions& options) {
  if (copy.isEmpty()) return false;
  const double needed = HintScale(static_cast<uint32_t>(natural.width()), static_cast<uint32_t>(natural.height()),
                                  DecodeHintFor(options, 0));
  return copy.width() >= needed * natural.width() - 1e-6 && copy.height() >= needed * natural.height() - 1e-6;
}

// When the copy is smoothly stretched (an area average) and serves the
// thumbnail too, the run keeps no more of a decode than the copy: it is made
// while the pixels are taken from the decoder, and the larger picture is
// never held.
KeptSize KeptForCopy(const ThumbnailOptions& options, int copySide) {
  if (copySide <= 0 || options.resampleFilter() != ResampleFilter::Halftone) return {};
  return [options, copySide](const QSize& natural, const QSize&) {
    const QSize copy = CopySize(natural, copySide);
    return CopyServesThumbnail(copy, natural, options) ? copy : QSize();
  };
}

}  // namespace

QStringList DetailLines(const PhotoDetails& d) {
  QStringList lines;
  for (const std::string* field : {&d.dateTaken, &d.camera, &d.lens, &d.exposure, &d.location})
    if (!field->empty()) lines << QString::fromStdString(*field);
  return lines;
}

QString BaseNameOf(const QString& fileName) {
  const int dot = fileName.indexOf(QLatin1Char('.'));
  return dot < 0 ? fileName : fileName.left(dot);
}

int CanvasTextWidth(const QString& text) {
  static const QFont font = [] {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
  }();
  return QFontMetrics(font).horizontalAdvance(text);
}

BatchRun::BatchRun(BatchHost& host) : host_(host) {}

void BatchRun::Stop() {
  stopRequested_ = true;
  files_.clear();
}

void BatchRun::Abort() {
  if (!running_) return;
  abortRequested_ = true;
  Stop();
}

QString BatchRun::OptionsProblem() const {
  const ThumbnailOptions options = host_.Options();
  std::vector<NamePartText> names{NamePartText(NamePart::Prefix, options.prefix),
                                  NamePartText(NamePart::Suffix, options.suffix)};
  if (host_.AlbumOutputChecked()) {
    names.emplace_back(NamePart::ThumbFolderName, host_.ThumbFolderNameText());
    names.emplace_back(NamePart::PageFileName, host_.PageFileNameText());
  }
  for (const NamePartText& name : names)
    if (!name.accepted()) return name.problem();
  return QString();
}

void BatchRun::EndRun() {
  decodeAhead_.End();
  ledger_.Close();
  running_ = false;
  abortRequested_ = false;
}

void BatchRun::Fail(const QString& name, const QString& reason) {
  ++failed_;
  host_.FileFailed(name, reason);
}

void BatchRun::Start() {
  if (running_) return;
  // A stop pressed while nothing ran must not end this run after its first file.
  stopRequested_ = false;
  abortRequested_ = false;
  composed_ = false;
  failed_ = 0;
  albumFailed_ = false;
  toldDecoderUnavailable_ = false;
  const QString problem = OptionsProblem();
  if (!problem.isEmpty()) {
    host_.TellUser(problem);
    return;
  }
  running_ = true;
  files_ = host_.SelectedFileNames();
  selection_ = files_;
  albumThumbnails_.clear();
  albumSources_.clear();
  albumDetails_.clear();
  sourceCanonicalPaths_.clear();
  const QString sourceFolder = AddBackslash(host_.SourceFolderText().trimmed());
  sourceFolderCanonical_ = CanonicalPath(sourceFolder);
  for (const QString& name : files_) {
    const QString canonical = CanonicalPath(sourceFolder + name);
    if (!canonical.isEmpty()) sourceCanonicalPaths_.insert(canonical);
  }
  const RunScope scope = previewOnly_ ? RunScope() : host_.Scope();
  if (scope.recorded() && !PlanRecordedRun(scope)) {
    EndRun();
    return;
  }
  QStringList paths;
  for (const QString& name : files_) paths << sourceFolder + name;
  const int count = static_cast<int>(files_.size());
  host_.SetProgressMax(count);
  // The next files decode on the other cores while this one is composed; a
  // preview needs only its first file.
  decodeAhead_.SetWantDetails(WantDetails());
  decodeAhead_.Begin(previewOnly_ ? paths.mid(0, 1) : paths, DecodeHintFor(host_.Options(), CopySide()));

  const QStringList files = files_;  // Stop discards files_; the loop keeps its own
  int i = 1;
  for (; i <= count; ++i) {
    if (stopRequested_) {  // seen at the last file's yield: no further file starts
      host_.SetProgressValue(0);
      stopRequested_ = false;
      EndRun();
      return;
    }
    const FileEnd end = ProcessFile(i, count, files[i - 1]);
    if (end != FileEnd::Next) {
      EndRun();
      return;
    }
  }
  decodeAhead_.End();

  if (scope.recorded()) {
    if (!ledger_.Flush()) host_.TellUser(QStringLiteral("the record of what was made cannot be written"));
    if (host_.AlbumOutputChecked() && !scope.shard) WriteRecordedAlbum(scope, count > 0);
  } else if (host_.AlbumOutputChecked()) {
    const ThumbnailOptions options = host_.Options();
    albumFailed_ = !host_.WriteAlbumPages(albumThumbnails_, albumSources_, host_.DestinationFolderText(),
                                          NamePartText(NamePart::Prefix, options.prefix).text(),
                                          NamePartText(NamePart::Suffix, options.suffix).text(), host_.Stage().picThumb.innerWidth(), sourceCanonicalPaths_,
                                          albumDetails_);
  }
  QString caption = QStringLiteral("Completed %1 of %2 images").arg(i - 1).arg(count);
  if (failed_ > 0) caption += QStringLiteral(", %1 failed").arg(failed_);
  if (albumFailed_) caption += QStringLiteral(", album not written");
  if (upToDate_ > 0) caption += QStringLiteral(", %1 already up to date").arg(upToDate_);
  host_.SetCounterText(caption);
  host_.SetProgressValue(0);
  host_.ClearSelection();
  files_.clear();
  albumThumbnails_.clear();
  albumSources_.clear();
  albumDetails_.clear();
  EndRun();
  if (host_.AutoViewCompletedGallery()) host_.ViewGallery();
}

QString BatchRun::ReplaceProblem(const QString& output, const QString& outputFolder,
                                 const ThumbnailOptions& options) const {
  // Never a thumbnail over one of the run's own source files.
  if (sourceCanonicalPaths_.contains(CanonicalTarget(output)))
    return QStringLiteral("its thumbnail would replace one of the files being made into thumbnails");
  // Thumbnails named exactly like the originals, beside them: whatever file
  // has that name is an original the user did not select, never replaced.
  if (NamePartText(NamePart::Prefix, options.prefix).text().isEmpty() &&
      NamePartText(NamePart::Suffix, options.suffix).text().isEmpty() && QFileInfo::exists(output) &&
      !sourceFolderCanonical_.isEmpty() && CanonicalPath(outputFolder) == sourceFolderCanonical_)
    return QStringLiteral("a file named like its thumbnail is already in the source folder; "
                          "give the thumbnails a prefix or a suffix");
  return QString();
}

BatchRun::FileEnd BatchRun::ProcessFile(int i, int count, const QString& name) {
  const QString sourceFolderText = host_.SourceFolderText().trimmed();
  const QString source = AddBackslash(sourceFolderText) + name;
  const QString base = BaseNameOf(name);

  QString folder = AddBackslash(host_.DestinationFolderText().trimmed());
  if (host_.AutoCreateDestinationFolder()) {
    folder = AddBackslash(sourceFolderText) + QStringLiteral("gallery");
    EnsureFolder(folder);
    host_.Yield();
    host_.SelectDestinationFolder(folder);
  }
  const bool album = host_.AlbumOutputChecked();
  if (album) {
    folder = AddBackslash(host_.DestinationFolderText().trimmed()) +
             NamePartText(NamePart::ThumbFolderName, host_.ThumbFolderNameText()).text();
    EnsureFolder(folder);
  }
  folder = AddBackslash(folder);
  host_.Yield();
  const QString albumFolder = AddBackslash(host_.DestinationFolderText().trimmed());

  const ThumbnailOptions options = host_.Options();
  const OutputFormat& format = OutputFormatAt(options.outputFormatIndex);
  const FileOutputs outputs = OutputsOf(name);
  const QString& output = outputs.thumbnail;

  ThumbStage& stage = host_.Stage();
  // The wait for the file keeps the host live; closing the host abandons it.
  const KeepWaiting keepWaiting = [this] {
    host_.YieldWhileWaiting();
    return !abortRequested_;
  };
  decodeAhead_.SetKeptSize(KeptForCopy(options, CopySide()));
  const DecodedImage decoded =
      decodeAhead_.Take(i - 1, source, DecodeHintFor(options, CopySide()), !stopRequested_ && !previewOnly_, keepWaiting);
  if (decoded.outcome == DecodeOutcome::Unavailable && !toldDecoderUnavailable_) {
    toldDecoderUnavailable_ = true;
    host_.TellUser(QStringLiteral("Images cannot be read: %1").arg(decodeAhead_.unavailableReason()));
  }
  // With image pages, the web-size copy is made first and the thumbnail from
  // it when it holds what the thumbnail needs: fewer pixels to shrink.
  QImage copyPicture;
  DecodedImage thumbnailSource = decoded;
  if (decoded.ok() && CopySide() > 0) {
    copyPicture = CopyPicture(decoded, CopySide(), options.resampleFilter());
    if (CopyServesThumbnail(copyPicture.size(), decoded.natural(), options)) thumbnailSource.pixels = copyPicture;
  }
  bool ok = PlaceDecodedImage(thumbnailSource, stage.PicLoad);
  QString whyNot;
  if (!ok) whyNot = QFileInfo::exists(source) ? FileFailureText(source, decoded.failure) : FailureText(Failure::NotFound);
  if (ok) {
    if (options.thumbStyleIndex == kStyleNormal) {
      ComposePlainThumb(stage, options.thumbWidth, options.thumbHeight, options.resizeMode,
                        options.resampleFilter());
    } else {
      stage.SetCanvasSize(options.thumbWidth, options.thumbHeight);
      ComposeStyledThumb(stage.PicLoad, stage.picThumb, stage.picBknd, options.thumbStyleIndex,
                         options.imagePadding, true, options.resampleFilter());
    }
    composed_ = true;
  }
  if (previewOnly_) {
    previewOnly_ = false;
    return FileEnd::Previewed;
  }

  if (ok) {
    whyNot = ReplaceProblem(output, folder, options);
    ok = whyNot.isEmpty();
  }
  if (ok) {
    const Outcome saved = SaveThumbCanvas(stage.picThumb, output, format.format, options.resampleFilter());
    ok = saved.ok();
    if (!ok) whyNot = WriteFailureText(QStringLiteral("its thumbnail"), output, saved.failure);
    if (ok) ledger_.Written(outputs, output, stage.picThumb.innerWidth());
  }
  if (ok) {
    albumThumbnails_ << base + format.extension;
    albumSources_ << name;
    if (WantDetails()) albumDetails_ << DetailLines(decoded.details);
  } else {
    Fail(name, whyNot);
  }

  if (stopRequested_) {
    host_.SetProgressValue(0);
    stopRequested_ = false;
    return FileEnd::Stopped;
  }

  if (ok && album) {
    const Outcome copied = CopyFullSizeImage(source, albumFolder + name);
    if (!copied) Fail(name, WriteFailureText(QStringLiteral("its full-size copy"), albumFolder + name, copied.failure));
    else if (!outputs.copy.isEmpty()) ledger_.Written(outputs, outputs.copy, 0);
    // The image page's web-size copy, from the same decode as the thumbnail.
    if (copied && !copyPicture.isNull() && !outputs.webCopy.isEmpty()) {
      const QString& copy = outputs.webCopy;
      EnsureFolder(QFileInfo(copy).path());
      if (sourceCanonicalPaths_.contains(CanonicalTarget(copy))) {
        Fail(name, QStringLiteral("its web-size copy would replace one of the files being made into thumbnails"));
      } else if (const Outcome made = SavePicture(copyPicture, copy, format.format, options.resampleFilter()); !made) {
        Fail(name, WriteFailureText(QStringLiteral("its web-size copy"), copy, made.failure));
      } else {
        ledger_.Written(outputs, copy, 0,
                        WantDetails() ? QByteArray::fromStdString(PackPhotoDetails(decoded.details)) : QByteArray());
      }
    }
  }

  host_.SetProgressValue(i);
  host_.SetCounterText(QStringLiteral("Processing %1 of %2").arg(i).arg(count));
  host_.Yield();
  return FileEnd::Next;
}

bool BatchRun::WantDetails() const { return CopySide() > 0 && host_.ImagePageDetails(); }

int BatchRun::CopySide() const {
  // A preview writes nothing, so it decodes only what its thumbnail needs.
  return !previewOnly_ && host_.AlbumOutputChecked() ? host_.ImagePageCopySize() : 0;
}

Outcome BatchRun::CopyFullSizeImage(const QString& source, const QString& target) {
  const QString from = CanonicalPath(source);
  if (from.isEmpty()) return Outcome::Failed(Failure::NotFound);
  if (from == CanonicalTarget(target)) return Outcome::Done();  // the source folder is the album folder
  // The new copy replaces an existing one only once it is complete.
  return CopyFileWhole(source, target);
}

QString BatchRun::DestinationOf() const {
  return host_.AutoCreateDestinationFolder()
             ? AddBackslash(host_.SourceFolderText().trimmed()) + QStringLiteral("gallery")
             : host_.DestinationFolderText().trimmed();
}

FileOutputs BatchRun::OutputsOf(const QString& name) const {
  const QString sourceFolder = AddBackslash(host_.SourceFolderText().trimmed());
  const ThumbnailOptions options = host_.Options();
  FileOutputs outputs;
  outputs.sourceName = name;
  outputs.source = sourceFolder + name;
  const QString destination = DestinationOf();
  QString folder = destination;
  if (host_.AlbumOutputChecked()) {
    folder = AddBackslash(destination) + NamePartText(NamePart::ThumbFolderName, host_.ThumbFolderNameText()).text();
    const QString copy = AddBackslash(destination) + name;
    if (CanonicalPath(outputs.source) != CanonicalTarget(copy)) outputs.copy = copy;
  }
  if (host_.AlbumOutputChecked() && CopySide() > 0) {
    outputs.webCopy = AddBackslash(destination) + ImageCopyFolderName(host_.ThumbFolderNameText()) +
                      QLatin1Char('/') + BaseNameOf(name) + OutputFormatAt(options.outputFormatIndex).extension;
    outputs.webCopyShape = QByteArrayLiteral("web-size copy ") + QByteArray::number(CopySide()) +
                           (WantDetails() ? QByteArrayLiteral(" with details") : QByteArray());
  }
  outputs.thumbnail = AddBackslash(folder) + NamePartText(NamePart::Prefix, options.prefix).text() +
                      BaseNameOf(name) + NamePartText(NamePart::Suffix, options.suffix).text() +
                      OutputFormatAt(options.outputFormatIndex).extension;
  return outputs;
}

bool BatchRun::ComposePreview() {
  if (running_ || host_.SelectedFileNames().isEmpty()) return false;
  previewOnly_ = true;
  Start();
  previewOnly_ = false;
  return composed_;
}

bool BatchRun::MakePreview(Surface& target) {
  if (!ComposePreview()) return false;
  DrawPictureFitted(host_.Stage().picThumb, target, 0, true);
  return true;
}
