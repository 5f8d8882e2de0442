#pragma once
// A folder tree: "My Computer" with "/", the home folder and the mounted
// volumes, folders read as they are opened. Trees of one window share one
// FolderTreeModel. The selected folder is the tree's current row.
//
// The window relies on:
// - SelectedFolder: read, the selected folder's path without a trailing
//   separator ("/" for the root), empty for "My Computer"; written, selects
//   that folder and scrolls to it (opening its parents), or its nearest
//   existing ancestor when it no longer exists.
// - SelectionChange: raised after the selection moved, whether the user or a
//   write of SelectedFolder moved it, and when the selected folder vanished
//   (its parent is then selected).
// - MouseUp(button, shift, x, y): raised when a mouse button is released over
//   the tree (button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt;
//   x, y in pixels of the tree), and with button 2 for the keyboard's menu
//   key. A right-button press selects the folder under the mouse first.
// - Refresh(): re-reads the folders, so new folders show and removed ones go.
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeView>

class FolderTreeModel;
class QTimer;

class FolderTree : public QTreeView {
  Q_OBJECT
  Q_PROPERTY(QString SelectedFolder READ SelectedFolder WRITE setSelectedFolder NOTIFY SelectionChange)

 public:
  explicit FolderTree(FolderTreeModel* model, QWidget* parent = nullptr);

  QString SelectedFolder() const;
  void setSelectedFolder(const QString& path);

  void Refresh();

  FolderTreeModel* folderModel() const { return model_; }

 signals:
  void SelectionChange();
  void MouseUp(int button, int shift, int x, int y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

 private:
  void onCurrentChanged();
  void onRowsRemoved();
  void keepSelectionInView();

  QPointer<FolderTreeModel> model_;
  // A folder selected by a write stays in view while its parents' rows
  // arrive, until the user scrolls or clicks.
  QPersistentModelIndex keepInView_;
  QTimer* scrollLater_;
  // Set while the rows that hold the selected folder are being removed.
  bool selectionRemoved_ = false;
  QPersistentModelIndex removedParent_;
};
