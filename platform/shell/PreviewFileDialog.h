#pragma once
// The previewing file dialog: Qt's own (non-native) file dialog with the
// preview panel beside its file list. While it is open, FileBrowse reports
// the full path of each file the user moves to (an empty path when the user
// moves onto a folder or nothing; the panel is then cleared); the host
// previews the file and hands the picture to previewPanel(). run() gives the
// chosen file as its exact path, or nothing on Cancel.
//
// run() is the one place a dialog is shown: a handler set with
// SetFileDialogHandler answers in its place (tests script the browsing and
// the choice with browseTo and the returned answer).
#include <QFileDialog>
#include <functional>

class DialogPreviewPanel;

struct FileDialogAnswer {
  bool accepted = false;  // false: cancelled
  QString file;           // the chosen file's exact path; empty when cancelled
};

class PreviewFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  explicit PreviewFileDialog(QWidget* parent = nullptr);

  // The filter text: "description|patterns|description|patterns...", the
  // patterns separated by ";". The list of file types shows the descriptions.
  void setFilterText(const QString& filterText);
  QString filterText() const { return filterText_; }

  DialogPreviewPanel* previewPanel() const { return panel_; }

  // Shows the dialog modally, or lets the scripted handler answer.
  FileDialogAnswer run();

  // Reports a move to path as the user's browsing does: a file is reported
  // by FileBrowse; a folder or nothing clears the panel and reports an empty
  // path.
  // A move to the path reported last reports nothing.
  void browseTo(const QString& path);

 signals:
  void FileBrowse(const QString& path);

 private:
  DialogPreviewPanel* panel_;
  QString filterText_;
  QString browsed_;
};

using FileDialogHandler = std::function<FileDialogAnswer(PreviewFileDialog& dialog)>;

// Replaces the handler (an empty one restores the real dialog); returns the old one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
