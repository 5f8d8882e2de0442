#include "platform/shell/FolderTreeModel.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>

#include "platform/shell/MountedVolumes.h"

struct FolderTreeModel::Node {
  Node* owner = nullptr;           // the node of the parent row
  QPersistentModelIndex source;    // the folder in the file-system model
  QString topPath;                 // top nodes: the folder they show
  std::unordered_map<const void*, std::unique_ptr<Node>> children;  // by their folder's internal pointer
};

namespace {

const QString kRoot = QStringLiteral("/");

QString ParentFolder(const QString& path) { return QFileInfo(path).path(); }

bool IsInside(const QString& path, const QString& folder) {
  if (folder == kRoot) return path.startsWith(kRoot);
  return path == folder || path.startsWith(folder + kRoot);
}

// True when index is one of rows first..last of parent or lies below one.
bool IsWithin(QModelIndex index, const QModelIndex& parent, int first, int last) {
  for (; index.isValid(); index = index.parent())
    if (index.row() >= first && index.row() <= last && index.parent() == parent) return true;
  return false;
}

// "/", the home folder and the mounted volumes, each once.
QStringList TopFolderPaths() {
  QStringList paths{kRoot};
  const QString home = QDir::cleanPath(QDir::homePath());
  if (home != kRoot && QFileInfo(home).isDir()) paths.append(home);
  for (const QString& volume : MountedVolumes())
    if (!paths.contains(volume)) paths.append(volume);
  return paths;
}

}  // namespace

FolderTreeModel::FolderTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      icons_(new QFileIconProvider),
      fs_(new QFileSystemModel(this)),
      root_(new Node),
      computer_(new Node) {
  computer_->owner = root_.get();
  fs_->setIconProvider(icons_.get());
  fs_->setOption(QFileSystemModel::DontUseCustomDirectoryIcons);
  fs_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  fs_->setRootPath(QString());  // allows reading; the model's own root holds "/"

  connect(fs_, &QAbstractItemModel::rowsAboutToBeInserted, this, &FolderTreeModel::onRowsAboutToBeInserted);
  connect(fs_, &QAbstractItemModel::rowsInserted, this, [this] { onRowsInserted(); });
  connect(fs_, &QAbstractItemModel::rowsAboutToBeRemoved, this, &FolderTreeModel::onRowsAboutToBeRemoved);
  connect(fs_, &QAbstractItemModel::rowsRemoved, this, [this] { onRowsRemoved(); });
  connect(fs_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) { onDataChanged(topLeft, bottomRight); });
  connect(fs_, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { onLayoutAboutToBeChanged(); });
  connect(fs_, &QAbstractItemModel::layoutChanged, this, [this] { onLayoutChanged(); });
  connect(fs_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { onModelAboutToBeReset(); });
  connect(fs_, &QAbstractItemModel::modelReset, this, [this] { onModelReset(); });

  for (const QString& path : TopFolderPaths()) tops_.push_back(makeTop(path));
}

FolderTreeModel::~FolderTreeModel() {
  // The file-system model's reading thread uses the icon provider: end it first.
  fs_->disconnect(this);
  delete fs_;
}

// ---- rows ----

FolderTreeModel::Node* FolderTreeModel::ownerOf(const QModelIndex& index) const {
  return static_cast<Node*>(index.internalPointer());
}

FolderTreeModel::Node* FolderTreeModel::nodeFor(const QModelIndex& index) const {
  if (!index.isValid()) return nullptr;
  Node* owner = ownerOf(index);
  if (owner == root_.get()) return computer_.get();
  if (owner == computer_.get()) return index.row() < int(tops_.size()) ? tops_[index.row()].get() : nullptr;
  if (!owner->source.isValid()) return nullptr;
  const QModelIndex source = fs_->index(index.row(), 0, owner->source);
  if (!source.isValid()) return nullptr;
  std::unique_ptr<Node>& slot = owner->children[source.internalPointer()];
  if (slot && slot->source != source) {
    const_cast<FolderTreeModel*>(this)->forget(slot.get());
    slot.reset();
  }
  if (!slot) {
    slot = std::make_unique<Node>();
    slot->owner = owner;
    slot->source = source;
    bySource_.emplace(source.internalPointer(), slot.get());
  }
  return slot.get();
}

QModelIndex FolderTreeModel::sourceOf(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  Node* owner = ownerOf(index);
  if (owner == root_.get()) return {};
  if (owner == computer_.get())
    return index.row() < int(tops_.size()) ? QModelIndex(tops_[index.row()]->source) : QModelIndex();
  if (!owner->source.isValid()) return {};
  return fs_->index(index.row(), 0, owner->source);
}

int FolderTreeModel::topRow(const Node* node) const {
  for (size_t i = 0; i < tops_.size(); ++i)
    if (tops_[i].get() == node) return int(i);
  return -1;
}

QModelIndex FolderTreeModel::indexOfNode(const Node* node) const {
  if (!node || node == root_.get()) return {};
  if (node == computer_.get()) return createIndex(0, 0, root_.get());
  if (node->owner == computer_.get()) {
    const int row = topRow(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, computer_.get());
  }
  if (!node->source.isValid()) return {};
  return createIndex(node->source.row(), 0, node->owner);
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0) return {};
  if (!parent.isValid()) return row == 0 ? createIndex(0, 0, root_.get()) : QModelIndex();
  if (parent.column() != 0 || row >= rowCount(parent)) return {};
  Node* node = nodeFor(parent);
  return node ? createIndex(row, 0, node) : QModelIndex();
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid() || ownerOf(child) == root_.get()) return {};
  return indexOfNode(ownerOf(child));
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  if (ownerOf(parent) == root_.get()) return int(tops_.size());
  const QModelIndex source = sourceOf(parent);
  return source.isValid() ? fs_->rowCount(source) : 0;
}

int FolderTreeModel::columnCount(const QModelIndex& parent) const { return parent.column() > 0 ? 0 : 1; }

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return true;
  if (parent.column() != 0) return false;
  if (ownerOf(parent) == root_.get()) return !tops_.empty();
  const QModelIndex source = sourceOf(parent);
  return source.isValid() && fs_->hasChildren(source);
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  const QModelIndex source = sourceOf(parent);
  return source.isValid() && fs_->canFetchMore(source);
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
  const QModelIndex source = sourceOf(parent);
  if (source.isValid()) fs_->fetchMore(source);
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() != 0) return {};
  const Node* owner = ownerOf(index);
  const QFileIconProvider* icons = icons_.get();
  if (owner == root_.get()) {
    if (role == Qt::DisplayRole) return QStringLiteral("My Computer");
    if (role == Qt::DecorationRole && icons) return icons->icon(QAbstractFileIconProvider::Computer);
    return {};
  }
  if (owner == computer_.get()) {
    if (index.row() >= int(tops_.size())) return {};
    const QString& path = tops_[index.row()]->topPath;
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return path;
    if (role == Qt::DecorationRole && icons) {
      const bool home = path == QDir::cleanPath(QDir::homePath());
      return home ? icons->icon(QFileInfo(path)) : icons->icon(QAbstractFileIconProvider::Drive);
    }
    return {};
  }
  if (role != Qt::DisplayRole && role != Qt::DecorationRole) return {};
  return fs_->data(sourceOf(index), role);
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- folders ----

QModelIndex FolderTreeModel::computerIndex() const { return createIndex(0, 0, root_.get()); }

QString FolderTreeModel::folderPath(const QModelIndex& index) const {
  if (!index.isValid() || ownerOf(index) == root_.get()) return {};
  if (ownerOf(index) == computer_.get())
    return index.row() < int(tops_.size()) ? tops_[index.row()]->topPath : QString();
  const QModelIndex source = sourceOf(index);
  if (!source.isValid()) return {};
  QString path = fs_->filePath(source);
  while (path.size() > 1 && path.endsWith(kRoot)) path.chop(1);
  return path;
}

QStringList FolderTreeModel::topFolders() const {
  QStringList paths;
  for (const auto& top : tops_) paths.append(top->topPath);
  return paths;
}

QModelIndex FolderTreeModel::indexForPath(const QString& path) {
  QString folder = QDir::cleanPath(path);
  if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) return computerIndex();
  while (folder != kRoot && !QFileInfo(folder).isDir()) folder = ParentFolder(folder);

  // The top node is the longest top folder that holds the folder.
  const Node* top = nullptr;
  for (const auto& candidate : tops_)
    if (candidate->source.isValid() && IsInside(folder, candidate->topPath) &&
        (!top || candidate->topPath.size() > top->topPath.size()))
      top = candidate.get();
  if (!top) return computerIndex();

  // Hidden folders are not listed; stop above the first one.
  QString shown = top->topPath;
  for (const QString& name : folder.mid(top->topPath.size()).split(kRoot, Qt::SkipEmptyParts)) {
    if (name.startsWith(QLatin1Char('.'))) break;
    shown = shown == kRoot ? kRoot + name : shown + kRoot + name;
  }

  QModelIndex source = fs_->index(shown);
  while (!source.isValid() && shown != top->topPath) {
    shown = ParentFolder(shown);
    source = fs_->index(shown);
  }
  const QModelIndex topSource = top->source;
  std::vector<QModelIndex> chain;
  for (QModelIndex step = source; step.isValid() && step != topSource; step = step.parent()) chain.push_back(step);
  const QModelIndex topIndex = indexOfNode(top);
  if (!source.isValid() || (!chain.empty() && chain.back().parent() != topSource)) return topIndex;

  QModelIndex at = topIndex;
  for (auto step = chain.rbegin(); step != chain.rend() && at.isValid(); ++step) at = index(step->row(), 0, at);
  return at.isValid() ? at : topIndex;
}

std::unique_ptr<FolderTreeModel::Node> FolderTreeModel::makeTop(const QString& path) {
  auto node = std::make_unique<Node>();
  node->owner = computer_.get();
  node->topPath = path;
  node->source = fs_->index(path);
  if (node->source.isValid()) bySource_.emplace(node->source.internalPointer(), node.get());
  return node;
}

void FolderTreeModel::forget(Node* node) {
  auto range = bySource_.equal_range(node->source.isValid() ? node->source.internalPointer() : nullptr);
  for (auto it = range.first; it != range.second; ++it)
    if (it->second == node) {
      bySource_.erase(it);
      break;
    }
  // A node whose folder is gone no longer has its key; look for it by value.
  if (!node->source.isValid())
    for (auto it = bySource_.begin(); it != bySource_.end(); ++it)
      if (it->second == node) {
        bySource_.erase(it);
        break;
      }
  for (auto& child : node->children) forget(child.second.get());
}

void FolderTreeModel::updateTops() {
  const QStringList wanted = TopFolderPaths();
  for (int row = int(tops_.size()) - 1; row >= 0; --row) {
    if (wanted.contains(tops_[row]->topPath) && tops_[row]->source.isValid()) continue;
    beginRemoveRows(computerIndex(), row, row);
    std::unique_ptr<Node> gone = std::move(tops_[row]);
    tops_.erase(tops_.begin() + row);
    forget(gone.get());
    endRemoveRows();
  }
  // What is left keeps the order of wanted; add the missing ones in place.
  for (int row = 0; row < wanted.size(); ++row) {
    if (row < int(tops_.size()) && tops_[row]->topPath == wanted[row]) continue;
    std::unique_ptr<Node> node = makeTop(wanted[row]);
    beginInsertRows(computerIndex(), row, row);
    tops_.insert(tops_.begin() + row, std::move(node));
    endInsertRows();
  }
}

// QFileSystemModel reads a folder again only when it is fetched while marked
// unread. Moving its root path onto the folder and back is the public way to
// mark it: leaving a root path marks that folder unread.
void FolderTreeModel::rescan(const QString& folder) {
  fs_->setRootPath(folder);
  fs_->setRootPath(QString());
  const QModelIndex source = fs_->index(folder);
  if (source.isValid() && fs_->canFetchMore(source)) fs_->fetchMore(source);
}

void FolderTreeModel::refresh() {
  updateTops();
  QStringList folders;
  for (const auto& entry : bySource_) {
    const QPersistentModelIndex& source = entry.second->source;
    if (source.isValid() && !fs_->canFetchMore(source)) folders.append(fs_->filePath(source));
  }
  folders.removeDuplicates();
  for (const QString& folder : folders) rescan(folder);
}

// ---- changes of the file-system model ----

std::vector<FolderTreeModel::Node*> FolderTreeModel::nodesFor(const QModelIndex& sourceParent) const {
  std::vector<Node*> nodes;
  if (!sourceParent.isValid()) return nodes;
  auto range = bySource_.equal_range(sourceParent.internalPointer());
  for (auto it = range.first; it != range.second; ++it)
    if (it->second->source == sourceParent && indexOfNode(it->second).isValid()) nodes.push_back(it->second);
  return nodes;
}

void FolderTreeModel::onRowsAboutToBeInserted(const QModelIndex& parent, int first, int last) {
  int begun = 0;
  for (Node* node : nodesFor(parent)) {
    beginInsertRows(indexOfNode(node), first, last);
    ++begun;
  }
  insertsBegun_.push_back(begun);
}

void FolderTreeModel::onRowsInserted() {
  if (insertsBegun_.empty()) return;
  for (int begun = insertsBegun_.back(); begun > 0; --begun) endInsertRows();
  insertsBegun_.pop_back();
}

void FolderTreeModel::onRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last) {
  int begun = 0;
  for (Node* node : nodesFor(parent)) {
    beginRemoveRows(indexOfNode(node), first, last);
    ++begun;
    for (auto it = node->children.begin(); it != node->children.end();) {
      const int row = it->second->source.row();
      if (row >= first && row <= last) {
        forget(it->second.get());
        removedNodes_.push_back(std::move(it->second));
        it = node->children.erase(it);
      } else {
        ++it;
      }
    }
  }
  // A top node whose folder goes loses its rows with it.
  for (const auto& top : tops_) {
    if (!top->source.isValid() || !IsWithin(top->source, parent, first, last)) continue;
    const int rows = fs_->rowCount(top->source);
    if (rows > 0) {
      beginRemoveRows(indexOfNode(top.get()), 0, rows - 1);
      ++begun;
    }
    for (auto& child : top->children) {
      forget(child.second.get());
      removedNodes_.push_back(std::move(child.second));
    }
    top->children.clear();
  }
  removesBegun_.push_back(begun);
}

void FolderTreeModel::onRowsRemoved() {
  if (removesBegun_.empty()) return;
  for (int begun = removesBegun_.back(); begun > 0; --begun) endRemoveRows();
  removesBegun_.pop_back();
  if (removesBegun_.empty()) removedNodes_.clear();
}

void FolderTreeModel::onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
  for (Node* node : nodesFor(topLeft.parent())) {
    const QModelIndex at = indexOfNode(node);
    emit dataChanged(index(topLeft.row(), 0, at), index(bottomRight.row(), 0, at));
  }
}

void FolderTreeModel::onLayoutAboutToBeChanged() {
  emit layoutAboutToBeChanged();
  layoutProxies_ = persistentIndexList();
  layoutSources_.clear();
  for (const QModelIndex& proxy : layoutProxies_) {
    const Node* owner = ownerOf(proxy);
    const bool folder = owner != root_.get() && owner != computer_.get();
    layoutSources_.emplace_back(owner, folder ? QPersistentModelIndex(sourceOf(proxy)) : QPersistentModelIndex());
  }
}

void FolderTreeModel::onLayoutChanged() {
  QModelIndexList moved;
  moved.reserve(layoutProxies_.size());
  for (int i = 0; i < layoutProxies_.size(); ++i) {
    const auto& [owner, source] = layoutSources_[size_t(i)];
    if (owner == root_.get() || owner == computer_.get())
      moved.append(layoutProxies_[i]);
    else
      moved.append(source.isValid() ? createIndex(source.row(), 0, const_cast<Node*>(owner)) : QModelIndex());
  }
  changePersistentIndexList(layoutProxies_, moved);
  layoutProxies_.clear();
  layoutSources_.clear();
  emit layoutChanged();
}

void FolderTreeModel::onModelAboutToBeReset() { beginResetModel(); }

void FolderTreeModel::onModelReset() {
  bySource_.clear();
  for (auto& top : tops_) {
    top->children.clear();
    top->source = fs_->index(top->topPath);
    if (top->source.isValid()) bySource_.emplace(top->source.internalPointer(), top.get());
  }
  endResetModel();
}
