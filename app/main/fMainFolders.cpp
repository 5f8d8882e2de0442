// The main window's folder trees, path boxes and folder menu.
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>

#include "app/engine/FileMasks.h"
#include "app/engine/mUtils.h"
#include "app/main/FolderOperations.h"
#include "app/main/ProgramInfo.h"
#include "app/main/fMain.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/FolderTreeModel.h"
#include "platform/shell/InputBox.h"
#include "platform/shell/MessageBox.h"

namespace {

const QString kProgram = QString::fromLatin1(ProgramInfo::kProgramName);

QString TopNodeRefusal() {
  return QStringLiteral("\"My Computer\" is not a folder: choose a folder in the tree first.");
}

}  // namespace

bool fMain::ShowFolder(const QString& folder) {
  const FolderListing listing = ListFolder(folder, FileMasks().value(ComboFilter_->currentIndex()).pattern);
  if (!listing.readable) {
    Note(QStringLiteral("The folder %1 cannot be read: %2").arg(folder, listing.error));
    return false;
  }
  listFolder_ = AddBackslash(folder);
  fbImages_->setUpdatesEnabled(false);
  fbImages_->clear();
  fbImages_->addItems(listing.names);
  fbImages_->setUpdatesEnabled(true);
  if (!listing.unrepresentable.isEmpty())
    Note(QStringLiteral("%1 file names in this folder are not valid text; those files cannot be read.")
             .arg(listing.unrepresentable.size()));
  else
    statusBar()->clearMessage();
  return true;
}

void fMain::ftvSource_SelectionChange() {
  const QString path = ftvSource_->SelectedFolder();
  // "My Computer" has no path: the list keeps its folder.
  if (path.isEmpty() || !ShowFolder(path)) return;
  txtImgDir_->setText(path);
  record_.sourceFolder = path;
  if (IsOn(record_.autoSelectAll)) cmdSelectAll_Click();
}

void fMain::ftvDest_SelectionChange() {
  const QString path = ftvDest_->SelectedFolder();
  if (path.isEmpty()) return;
  txtThumbDir_->setText(path);
  record_.destinationFolder = path;
}

void fMain::FolderTree_MouseUp(bool sourceTree, int button) {
  if (button != 2 || run_.isRunning()) return;
  menuTargetSource_ = sourceTree;
  mnuPopTop1_->popup(QCursor::pos());
}

FolderTree* fMain::MenuTargetTree() const { return menuTargetSource_ ? ftvSource_ : ftvDest_; }

QString fMain::MenuTargetFolder() {
  if (run_.isRunning()) return QString();
  const QString folder = MenuTargetTree()->SelectedFolder();
  if (folder.isEmpty()) ShowMessageBox(TopNodeRefusal(), kProgram, MsgIcon::Information, MsgButtons::OK, this);
  return folder;
}

void fMain::mnuPopRefresh_Click() {
  if (run_.isRunning()) return;
  MenuTargetTree()->Refresh();
}

void fMain::mnuPopNewFolder_Click() {
  const QString parent = MenuTargetFolder();
  if (parent.isEmpty()) return;
  const InputBoxAnswer answer =
      ShowInputBox(QStringLiteral("Name For New Folder?"), QStringLiteral("Create New Folder"), QString(), this);
  const QString name = answer.text.trimmed();
  if (!answer.accepted || name.isEmpty()) return;
  const QString problem = CreateNewFolder(parent, name);
  if (!problem.isEmpty()) ShowMessageBox(problem, kProgram, MsgIcon::Exclamation, MsgButtons::OK, this);
}

void fMain::mnuPopRemoveFolder_Click() {
  const QString folder = MenuTargetFolder();
  if (folder.isEmpty()) return;
  FolderTree* tree = MenuTargetTree();
  if (ShowMessageBox(QStringLiteral("Are you sure? Deleted files or folders cannot be recovered!\n\n%1").arg(folder),
                     QStringLiteral("Confirm Delete"), MsgIcon::Question, MsgButtons::YesNo, this,
                     MsgDefault::Second) != MsgResult::Yes)
    return;
  // A folder that cannot be removed changes nothing: the trees, the list and
  // its selection stay as they are.
  if (!RemoveEmptyFolder(folder)) {
    ShowMessageBox(QStringLiteral("Unable to delete. Folder may contain files and/or subfolders."), kProgram,
                   MsgIcon::Critical, MsgButtons::OK, this);
    return;
  }
  // The parent is selected before the tree sees the folder go, so the
  // selection does not jump to a sibling.
  tree->setSelectedFolder(QFileInfo(folder).absolutePath());
  if (tree == ftvSource_) {
    tree->Refresh();
    ShowFolder(listFolder_);
  }
}

void fMain::mnuPopDeleteContents_Click() {
  const QString folder = MenuTargetFolder();
  if (folder.isEmpty()) return;
  const int files = CountFolderFiles(folder);
  if (ShowMessageBox(QStringLiteral("Are you sure? Deleted files cannot be recovered!\n\n%1\n%2 %3 will be deleted.")
                         .arg(folder)
                         .arg(files)
                         .arg(files == 1 ? QStringLiteral("file") : QStringLiteral("files")),
                     QStringLiteral("Confirm Delete"), MsgIcon::Question, MsgButtons::YesNo, this,
                     MsgDefault::Second) != MsgResult::Yes)
    return;
  DeleteFolderFiles(folder);
  ShowFolder(listFolder_);
}

void fMain::txtImgDir_Enter() {
  const QString folder = txtImgDir_->text().trimmed();
  if (!folder.isEmpty()) ShowFolder(folder);
}

void fMain::txtThumbDir_Enter() {
  const QString folder = txtThumbDir_->text().trimmed();
  if (folder.isEmpty()) return;
  if (QFileInfo(folder).isDir()) {
    Note(QStringLiteral("The folder %1 exists already.").arg(folder));
    return;
  }
  if (!QDir().mkpath(folder)) {
    ShowMessageBox(QStringLiteral("The folder %1 could not be created.").arg(folder), kProgram, MsgIcon::Exclamation,
                   MsgButtons::OK, this);
    return;
  }
  Note(QStringLiteral("Created the folder %1.").arg(folder));
}

void fMain::RefreshAll() {
  if (run_.isRunning()) return;  // the run's list and selection stay as they are
  folderModel_->refresh();
  if (!listFolder_.isEmpty()) ShowFolder(listFolder_);
}

void fMain::ComboFilter_Click() {
  if (!listFolder_.isEmpty()) ShowFolder(listFolder_);
}
