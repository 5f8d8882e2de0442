// The main window's file list, previews and browse buttons.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStatusBar>

#include "app/engine/FileKind.h"
#include "app/main/BrowseFilter.h"
#include "app/main/PreviewTexts.h"
#include "app/main/ProgramInfo.h"
#include "app/main/fFullScale.h"
#include "app/main/fMain.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/ImageOptionsPage.h"
#include "platform/shell/DialogPreviewPanel.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/PreviewFileDialog.h"
#include "platform/shell/PreviewPictureBox.h"

namespace {

const QString kProgram = QString::fromLatin1(ProgramInfo::kProgramName);

// Why a file could not be shown, for the status line.
QString Unreadable(const QString& path, Failure why) {
  return QStringLiteral("%1 cannot be previewed: %2.").arg(QFileInfo(path).fileName(), FileFailureText(path, why));
}

}  // namespace

void fMain::fbImages_Click() {
  if (!chkPreview_->isChecked()) return;
  const QListWidgetItem* item = fbImages_->currentItem();
  if (!item) return;
  const QString path = listFolder_ + item->text();
  previewedFile_ = path;
  const QFileInfo info(path);
  lblImageFileSize_->setText(info.exists() ? FileSizeText(info.size()) : QString());
  previewLoader_.Request(path, ImgPreview_->pixelSize());
}

void fMain::ShowPreview(const PreviewResult& result) {
  if (result.path != previewedFile_) return;
  if (!result.image.ok()) {
    ClearPreview();
    Note(Unreadable(result.path, result.image.failure));
    return;
  }
  QImage picture = result.image.pixels;
  picture.setDevicePixelRatio(ImgPreview_->devicePixelRatioF());
  ImgPreview_->setPicture(picture);
  lblImageSize_->setText(ImageSizeText(result.image.naturalSize.width(), result.image.naturalSize.height()));
}

void fMain::ClearPreview() {
  ImgPreview_->clearPicture();
  lblImageSize_->clear();
}

void fMain::cmdSelectAll_Click() { SelectAllFiles(true); }

void fMain::cmdClear_Click() { SelectAllFiles(false); }

void fMain::SelectAllFiles(bool select) {
  // One call selects or clears every entry; no preview is loaded for it.
  const bool preview = chkPreview_->isChecked();
  chkPreview_->setChecked(false);
  if (select)
    fbImages_->selectAll();
  else
    fbImages_->clearSelection();
  chkPreview_->setChecked(preview);
}

void fMain::fbImages_DblClick() {
  if (run_.isRunning() || SelectedFileNames().isEmpty()) return;
  SetRunning(true);
  const bool composed = run_.ComposePreview();
  SetRunning(false);
  if (closeAfterRun_) {  // the window was closed while the sample was made
    closeAfterRun_ = false;
    close();
    return;
  }
  if (composed) sample_->ShowSample(stage_.picThumb);
}

void fMain::ImgPreview_DblClick() {
  if (previewedFile_.isEmpty() || ImgPreview_->picture().isNull()) return;
  fullSizeRequest_ = previewedFile_;
  fullSizeLoader_.Request(previewedFile_, QSize());
}

void fMain::ShowFullSize(const PreviewResult& result) {
  if (result.path != fullSizeRequest_) return;
  fullSizeRequest_.clear();
  if (!result.image.ok()) {
    ShowMessageBox(Unreadable(result.path, result.image.failure), kProgram, MsgIcon::Exclamation, MsgButtons::OK,
                   this);
    return;
  }
  fFullScale::Open(this, result.image.pixels, QFileInfo(result.path).fileName());
}

void fMain::cmdBrowseHTMLBknd_Click() {
  if (const std::optional<QString> file = BrowseImageFile()) albumPanel_->txtHTMLBknd()->setText(*file);
}

void fMain::cmdBrowseThumbBackImage_Click() {
  const std::optional<QString> file = BrowseImageFile();
  if (!file) return;
  imagePage_->txtThumbBackImage()->setText(*file);
  RestoreBackgroundImage(*file);
}

std::optional<QString> fMain::BrowseImageFile() {
  if (run_.isRunning()) return std::nullopt;
  PreviewFileDialog dialog(this);
  dialog.setFilterText(BrowseFilterText());
  dialogPreview_ = &dialog;
  connect(&dialog, &PreviewFileDialog::FileBrowse, this, [this, &dialog](const QString& path) {
    if (path.isEmpty()) {
      dialogLoader_.Cancel();
      return;
    }
    dialogRequest_ = path;
    dialogLoader_.Request(path, dialog.previewPanel()->PicPreview()->pixelSize());
  });
  const FileDialogAnswer answer = dialog.run();
  dialogPreview_ = nullptr;
  dialogRequest_.clear();
  dialogLoader_.Cancel();
  if (!answer.accepted) return std::nullopt;  // Cancel changes nothing
  return answer.file;
}

void fMain::BrowseDialogPreview(const PreviewResult& result) {
  if (!dialogPreview_ || result.path != dialogRequest_) return;
  DialogPreviewPanel* panel = dialogPreview_->previewPanel();
  if (!result.image.ok()) {
    panel->clearPreview();
    return;
  }
  QImage picture = result.image.pixels;
  picture.setDevicePixelRatio(panel->PicPreview()->devicePixelRatioF());
  panel->showPreview(picture, ImageInfoText(result.image.naturalSize.width(), result.image.naturalSize.height(),
                                            result.image.bpp));
}

void fMain::RestoreBackgroundImage(const QString& path) {
  const QString file = path.trimmed();
  if (file.isEmpty()) return;
  backgroundLoader_.Request(file, QSize());
}

void fMain::BackgroundImageLoaded(const PreviewResult& result) {
  // The box was emptied or names another file since: this one is not wanted.
  if (imagePage_->txtThumbBackImage()->text().trimmed() != result.path) return;
  // A background that does not decode changes nothing: picBknd keeps what it had.
  if (!stage_.ApplyBackgroundImage(result.image))
    Note(QStringLiteral("The background image %1 cannot be read; the thumbnails have none.").arg(result.path));
}
