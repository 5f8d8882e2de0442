#include "platform/shell/FolderTree.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "platform/com/InputMasks.h"
#include "platform/shell/FolderTreeModel.h"

FolderTree::FolderTree(FolderTreeModel* model, QWidget* parent)
    : QTreeView(parent), model_(model), scrollLater_(new QTimer(this)) {
  setHeaderHidden(true);
  setUniformRowHeights(true);  // keeps folders with thousands of rows cheap to lay out
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  setAnimated(false);

  scrollLater_->setSingleShot(true);
  scrollLater_->setInterval(0);
  connect(scrollLater_, &QTimer::timeout, this, [this] {
    if (keepInView_.isValid() && keepInView_ == currentIndex()) scrollTo(keepInView_, PositionAtCenter);
  });
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { keepInView_ = QModelIndex(); });

  if (!model) return;
  setModel(model);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &FolderTree::onRowsRemoved);
  connect(model, &QAbstractItemModel::rowsInserted, this, &FolderTree::keepSelectionInView);
  connect(model, &QAbstractItemModel::layoutChanged, this, &FolderTree::keepSelectionInView);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &FolderTree::onCurrentChanged);

  const QModelIndex computer = model->computerIndex();
  expand(computer);
  setCurrentIndex(computer);
}

QString FolderTree::SelectedFolder() const { return model_ ? model_->folderPath(currentIndex()) : QString(); }

void FolderTree::setSelectedFolder(const QString& path) {
  if (!model_) return;
  const QModelIndex target = model_->indexForPath(path);
  if (!target.isValid() || target == currentIndex()) return;
  keepInView_ = target;
  setCurrentIndex(target);
  if (keepInView_.isValid()) scrollTo(keepInView_, PositionAtCenter);  // opens its parents
}

void FolderTree::Refresh() {
  if (model_) model_->refresh();
}

void FolderTree::onCurrentChanged() {
  if (selectionRemoved_) return;  // the removal picks the folder to select
  const QModelIndex current = currentIndex();
  if (current.isValid() && !selectionModel()->isSelected(current))
    selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
  emit SelectionChange();
}

void FolderTree::keepSelectionInView() {
  if (keepInView_.isValid()) scrollLater_->start();
}

// Runs before the selection model moves the current row off removed rows, so
// the parent folder, not a sibling, becomes the selection.
void FolderTree::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  for (QModelIndex at = currentIndex(); at.isValid() && !selectionRemoved_; at = at.parent())
    if (at.row() >= start && at.row() <= end && at.parent() == parent) {
      selectionRemoved_ = true;
      removedParent_ = parent;
    }
  QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void FolderTree::onRowsRemoved() {
  if (!selectionRemoved_) return;
  selectionRemoved_ = false;
  const QModelIndex target = removedParent_.isValid() ? QModelIndex(removedParent_) : model_->computerIndex();
  removedParent_ = QModelIndex();
  if (currentIndex() != target) {
    setCurrentIndex(target);
  } else {
    selectionModel()->select(target, QItemSelectionModel::ClearAndSelect);
    emit SelectionChange();
  }
}

void FolderTree::mousePressEvent(QMouseEvent* event) {
  keepInView_ = QModelIndex();
  QTreeView::mousePressEvent(event);
  if (event->button() == Qt::RightButton) {
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid() && hit != currentIndex()) setCurrentIndex(hit);
  }
}

void FolderTree::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  const QPoint at = viewport()->mapTo(this, event->position().toPoint());
  emit MouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()), at.x(), at.y());
}

void FolderTree::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse's menu request follows the button release; the menu key has no
  // release, so it reports a right button at the selected folder.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    const QRect row = visualRect(currentIndex());
    const QPoint at = viewport()->mapTo(this, row.isValid() ? row.center() : QPoint(0, 0));
    emit MouseUp(ButtonMask(Qt::RightButton), ShiftMask(event->modifiers()), at.x(), at.y());
  }
  event->accept();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
  keepInView_ = QModelIndex();
  QTreeView::keyPressEvent(event);
}

void FolderTree::wheelEvent(QWheelEvent* event) {
  keepInView_ = QModelIndex();
  QTreeView::wheelEvent(event);
}
