#include "platform/shell/PreviewFileDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QSplitter>

#include "platform/shell/DialogPreviewPanel.h"
#include "platform/shell/FileDialogFilters.h"

namespace {
FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}
}  // namespace

PreviewFileDialog::PreviewFileDialog(QWidget* parent) : QFileDialog(parent), panel_(nullptr) {
  setOption(QFileDialog::DontUseNativeDialog, true);
  setOption(QFileDialog::HideNameFilterDetails, true);
  setOption(QFileDialog::DontUseCustomDirectoryIcons, true);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);

  // The panel goes beside the file list: a column of its own in the rows of
  // the list, or below everything if the dialog's layout is not the known one.
  panel_ = new DialogPreviewPanel(this);
  panel_->setObjectName(QStringLiteral("fMisc"));
  auto* grid = qobject_cast<QGridLayout*>(layout());
  auto* list = findChild<QSplitter*>(QStringLiteral("splitter"));
  const int at = grid && list ? grid->indexOf(list) : -1;
  if (at >= 0) {
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(at, &row, &column, &rows, &columns);
    grid->addWidget(panel_, row, grid->columnCount(), rows, 1);
  } else if (layout()) {
    layout()->addWidget(panel_);
  }
  resize(sizeHint().expandedTo(QSize(780, 440)));

  connect(this, &QFileDialog::currentChanged, this, &PreviewFileDialog::browseTo);
}

void PreviewFileDialog::setFilterText(const QString& filterText) {
  filterText_ = filterText;
  setNameFilters(NameFiltersFromFilterText(filterText));
}

void PreviewFileDialog::browseTo(const QString& path) {
  const QString file = path.isEmpty() || QFileInfo(path).isDir() ? QString() : path;
  if (file.isEmpty()) panel_->clearPreview();
  if (file == browsed_) return;
  browsed_ = file;
  emit FileBrowse(file);
}

FileDialogAnswer PreviewFileDialog::run() {
  if (Handler()) return Handler()(*this);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
  if (exec() != QDialog::Accepted) return {};
  const QStringList files = selectedFiles();
  if (files.isEmpty() || files.first().isEmpty()) return {};
  return {true, files.first()};
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  FileDialogHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
