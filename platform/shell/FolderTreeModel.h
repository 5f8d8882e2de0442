#pragma once
// The folder hierarchy of the folder trees: one top node "My Computer" that
// holds "/", the home folder and the mounted volumes, each with its folders
// below. The folders come from one QFileSystemModel that lists folders only,
// reads a folder in its own thread the first time it is opened and watches
// the folders it has read. Several trees can share one model.
//
// The same folder can show in two places (the home folder under "/" and as a
// top node), so this model maps its rows onto the file-system model itself:
// every index points at the node of its parent row, and a parent's row i is
// the file-system model's row i of the same folder. Nodes exist only for rows
// a view has opened, so a folder with thousands of sub-folders costs nothing
// until it is opened.
#include <QAbstractItemModel>
#include <QPersistentModelIndex>
#include <QStringList>
#include <memory>
#include <unordered_map>
#include <vector>

class QFileIconProvider;
class QFileSystemModel;

class FolderTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  explicit FolderTreeModel(QObject* parent = nullptr);
  ~FolderTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The "My Computer" node.
  QModelIndex computerIndex() const;

  // The folder of an index without a trailing separator ("/" for the root);
  // empty for "My Computer" and for an invalid index.
  QString folderPath(const QModelIndex& index) const;

  // The row that shows path. A folder that no longer exists, or lies inside
  // a hidden folder, gives its nearest shown ancestor; an empty or relative
  // path gives "My Computer". A folder inside the home folder or a volume
  // maps below that top node, anything else below "/". Rows along the way
  // are added at once; their siblings are read when a view opens them.
  QModelIndex indexForPath(const QString& path);

  // The folders below "My Computer", in their order.
  QStringList topFolders() const;

  // Reads the mounted volumes again and re-reads every folder read so far,
  // so new folders show and removed ones go (the folder lists arrive from
  // the reading thread shortly after).
  void refresh();

  // The file-system model below (for its directoryLoaded signal and options).
  QFileSystemModel* fileSystemModel() const { return fs_; }

 private:
  struct Node;

  Node* ownerOf(const QModelIndex& index) const;
  // The node an index stands for, made on first use as a parent.
  Node* nodeFor(const QModelIndex& index) const;
  QModelIndex sourceOf(const QModelIndex& index) const;
  QModelIndex indexOfNode(const Node* node) const;
  int topRow(const Node* node) const;
  std::unique_ptr<Node> makeTop(const QString& path);
  void forget(Node* node);
  std::vector<Node*> nodesFor(const QModelIndex& sourceParent) const;
  void updateTops();
  void rescan(const QString& folder);

  void onRowsAboutToBeInserted(const QModelIndex& parent, int first, int last);
  void onRowsInserted();
  void onRowsAboutToBeRemoved(const QModelIndex& parent, int first, int last);
  void onRowsRemoved();
  void onDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
  void onLayoutAboutToBeChanged();
  void onLayoutChanged();
  void onModelAboutToBeReset();
  void onModelReset();

  // The widget icons (folders, drives, the computer): the file-system
  // model's own provider knows only the desktop's icon theme.
  std::unique_ptr<QFileIconProvider> icons_;
  QFileSystemModel* fs_;
  std::unique_ptr<Node> root_;      // the invisible root; owner of "My Computer"
  std::unique_ptr<Node> computer_;  // "My Computer"; owner of the top nodes
  std::vector<std::unique_ptr<Node>> tops_;
  // Every node with a file-system folder, by that folder's internal pointer.
  mutable std::unordered_multimap<const void*, Node*> bySource_;

  // Changes forwarded from the file-system model: how many rows of ours each
  // begun change touches, and the nodes of removed rows, freed once it ends.
  std::vector<int> insertsBegun_;
  std::vector<int> removesBegun_;
  std::vector<std::unique_ptr<Node>> removedNodes_;
  QModelIndexList layoutProxies_;
  std::vector<std::pair<const Node*, QPersistentModelIndex>> layoutSources_;
};
