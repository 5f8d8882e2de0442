// The main window as the batch run's host.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include "app/album/AlbumPages.h"
#include "app/album/ImagePages.h"
#include "app/album/ViewGallery.h"
#include "app/controls/picturebutton/PictureButton.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/main/ProgramInfo.h"
#include "app/main/fMain.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/ImageOptionsPage.h"
#include "app/options/OptionPagesControls.h"
#include "app/settings/ControlOptions.h"
#include "app/settings/OptionDigest.h"
#include "app/settings/fPreferences.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/MessageBox.h"

void fMain::cmdActionStop_Click() { run_.Stop(); }

void fMain::cmdActionStart_Click() {
  if (run_.isRunning()) return;
  failures_.clear();
  statusBar()->clearMessage();
  SetRunning(true);
  run_.Start();
  SetRunning(false);
  if (!failures_.isEmpty()) {
    Note(QStringLiteral("%1 not written: %2").arg(failures_.size() == 1 ? QStringLiteral("1 file")
                                                                         : QStringLiteral("%1 files").arg(failures_.size()),
                                                   failures_.first()));
    statusBar()->setToolTip(failures_.mid(0, 30).join(QLatin1Char('\n')));
  }
  emit RunEnded();
  if (closeAfterRun_) {
    closeAfterRun_ = false;
    close();
  }
}

void fMain::SetRunning(bool running) {
  // What changes the run is closed while it runs; Stop stays live. The
  // keyboard focus comes back to where it was.
  if (running) focusBeforeRun_ = QApplication::focusWidget();
  for (QWidget* input : runInputs_) input->setEnabled(!running);
  if (!running && focusBeforeRun_ && focusBeforeRun_->isEnabled()) focusBeforeRun_->setFocus();
  if (!running) cmdViewHTML_->setEnabled(ckHTML_->isChecked());
  for (QAction* action : runActions_) action->setEnabled(!running);
  if (preferences_) preferences_->setEnabled(!running);  // opened before the run: its flags steer the run too
  cmdStop_->setEnabled(true);
  if (running)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QApplication::restoreOverrideCursor();
}

void fMain::Note(const QString& text) { statusBar()->showMessage(text); }

QStringList fMain::SelectedFileNames() const {
  QStringList names;
  const int count = fbImages_->count();
  for (int i = 0; i < count; ++i) {
    const QListWidgetItem* item = fbImages_->item(i);
    if (item->isSelected()) names << item->text();
  }
  return names;
}

// The run reads the folder the list shows, not a path typed without Enter.
QString fMain::SourceFolderText() const { return listFolder_; }
QString fMain::DestinationFolderText() const { return txtThumbDir_->text(); }
bool fMain::AlbumOutputChecked() const { return ckHTML_->isChecked(); }
QString fMain::ThumbFolderNameText() const { return albumPanel_->Options().thumbFolderName; }
QString fMain::PageFileNameText() const { return albumPanel_->Options().pageFileName; }
ThumbnailOptions fMain::Options() const { return ThumbnailOptionsFrom(*controls_); }
bool fMain::AutoCreateDestinationFolder() const { return IsOn(record_.autoCreateDestination); }
bool fMain::AutoViewCompletedGallery() const { return IsOn(record_.autoViewGallery); }

RunScope fMain::Scope() const {
  RunScope scope;
  scope.update = onlyChanged_;
  scope.thumbnailDigest = ThumbnailOptionsDigest(Options());
  scope.albumDigest = AlbumOptionsDigest(albumPanel_->Options());
  return scope;
}
void fMain::SetProgressMax(int max) { thProg_->setMax(max); }
void fMain::SetProgressValue(int value) { thProg_->setValue(value); }
void fMain::SetCounterText(const QString& text) { lblCount_->setText(text); }
void fMain::ClearSelection() { cmdClear_Click(); }
void fMain::SelectDestinationFolder(const QString& folder) { ftvDest_->setSelectedFolder(folder); }
void fMain::Yield() { QCoreApplication::processEvents(); }
void fMain::YieldWhileWaiting() { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }

void fMain::TellUser(const QString& message) {
  ShowMessageBox(message, QString::fromLatin1(ProgramInfo::kProgramName), MsgIcon::Critical, MsgButtons::OK, this);
}

void fMain::FileFailed(const QString& fileName, const QString& reason) { failures_ << fileName + ": " + reason; }

bool fMain::WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                            const QString& destinationFolder, const QString& prefix, const QString& suffix,
                            int thumbSurfaceWidth, const QSet<QString>& keep,
                            const QList<QStringList>& details) {
  const AlbumWriteResult result = ::WriteAlbumPages(thumbnails, sources, destinationFolder, prefix, suffix,
                                                    albumPanel_->Options(), thumbSurfaceWidth, CanvasTextWidth, keep,
                                                    details);
  return result.pagesFailed == 0;
}

int fMain::ImagePageCopySize() const { return ::ImagePageCopySize(albumPanel_->Options()); }
bool fMain::ImagePageDetails() const { return ::ImagePageDetails(albumPanel_->Options()); }

void fMain::ViewGallery() { ::ViewGallery(txtThumbDir_->text(), albumPanel_->Options()); }

void fMain::cmdViewHTML_Click() { ViewGallery(); }
