#include "platform/shell/FolderTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "platform/shell/FolderTreeModel.h"

namespace {

constexpr int kWaitMs = 5000;

QModelIndex ChildNamed(const QAbstractItemModel& model, const QModelIndex& parent, const QString& name) {
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex child = model.index(row, 0, parent);
    if (child.data().toString() == name) return child;
  }
  return {};
}

QStringList ChildNames(const QAbstractItemModel& model, const QModelIndex& parent) {
  QStringList names;
  for (int row = 0; row < model.rowCount(parent); ++row) names.append(model.index(row, 0, parent).data().toString());
  return names;
}

// Every loaded row below parent names parent as its parent.
void ExpectConsistent(const QAbstractItemModel& model, const QModelIndex& parent, int depth = 0) {
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex child = model.index(row, 0, parent);
    ASSERT_TRUE(child.isValid());
    ASSERT_EQ(model.parent(child), parent) << child.data().toString().toStdString();
    if (depth < 4) ExpectConsistent(model, child, depth + 1);
  }
}

// A folder tree over its own folders in a temporary directory; the home
// folder is one of them while the test runs.
class FolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp_.isValid());
    root_ = QDir::cleanPath(tmp_.path());
    oldHome_ = qgetenv("HOME");
    for (const char* folder : {"a/b0/x", "a/b", "a/b2", "c", "home/pictures/2023", ".hidden/inner"})
      ASSERT_TRUE(QDir(root_).mkpath(QString::fromLatin1(folder)));
    qputenv("HOME", QFile::encodeName(path("home")));
    model_ = std::make_unique<FolderTreeModel>();
    // Changes show through Refresh only, so the tests see what Refresh does.
    model_->fileSystemModel()->setOption(QFileSystemModel::DontWatchForChanges);
  }
  void TearDown() override { qputenv("HOME", oldHome_); }

  QString path(const QString& relative) const { return relative.isEmpty() ? root_ : root_ + "/" + relative; }

  // The rows of a folder once its listing has arrived.
  bool waitForRows(FolderTree& tree, const QString& folder, int rows) {
    const QPersistentModelIndex at = model_->indexForPath(folder);
    tree.expand(at);
    return QTest::qWaitFor([&] { return model_->rowCount(at) == rows; }, kWaitMs);
  }

  QTemporaryDir tmp_;
  QString root_;
  QByteArray oldHome_;
  std::unique_ptr<FolderTreeModel> model_;
};

TEST_F(FolderTreeTest, TopNodeHoldsRootHomeAndVolumesAndGivesAnEmptyPath) {
  FolderTree tree(model_.get());
  EXPECT_EQ(tree.SelectedFolder(), "");
  const QModelIndex computer = model_->computerIndex();
  EXPECT_EQ(tree.currentIndex(), computer);
  EXPECT_EQ(computer.data().toString(), "My Computer");
  EXPECT_EQ(model_->rowCount(), 1);
  const QStringList tops = model_->topFolders();
  ASSERT_GE(tops.size(), 2);
  EXPECT_EQ(tops[0], "/");
  EXPECT_EQ(tops[1], path("home"));
  EXPECT_EQ(ChildNames(*model_, computer), tops);
  for (const QString& top : tops) EXPECT_FALSE(top.contains(':')) << top.toStdString();

  // Selecting the top node again, by a click, gives the empty path.
  tree.resize(300, 300);
  tree.show();
  tree.setSelectedFolder("/");
  EXPECT_EQ(tree.SelectedFolder(), "/");
  QSignalSpy changes(&tree, &FolderTree::SelectionChange);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(computer).center());
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(tree.SelectedFolder(), "");
}

TEST_F(FolderTreeTest, SelectedFolderReadsBackTheNearestShownFolder) {
  ASSERT_TRUE(QFile(path("a/file.txt")).open(QIODevice::WriteOnly));
  const struct {
    QString written;
    QString read;
  } cases[] = {
      {path("a/b"), path("a/b")},
      {path("a/b/"), path("a/b")},                  // trailing separator
      {path("a/./b0/../b2"), path("a/b2")},         // dots
      {path("a/b0/x"), path("a/b0/x")},             // deeper than anything read so far
      {path("a/gone/deeper"), path("a")},           // no longer there: nearest ancestor
      {path("a/file.txt"), path("a")},              // a file: its folder
      {path(".hidden/inner"), root_},               // inside a hidden folder
      {path("home/pictures/2023"), path("home/pictures/2023")},
      {"/", "/"},
      {"", ""},                                     // the top node
      {"relative/folder", ""},
      {"C:\\Photos", ""},                           // a Windows path from an old settings file
  };
  FolderTree tree(model_.get());
  tree.resize(300, 400);
  tree.show();
  QSignalSpy changes(&tree, &FolderTree::SelectionChange);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written.toStdString());
    const QString before = tree.SelectedFolder();
    changes.clear();
    tree.setSelectedFolder(c.written);
    EXPECT_EQ(tree.SelectedFolder(), c.read);
    EXPECT_EQ(changes.count(), before == c.read ? 0 : 1);
    // Its parents are open, so the folder shows.
    for (QModelIndex up = tree.currentIndex().parent(); up.isValid(); up = up.parent()) EXPECT_TRUE(tree.isExpanded(up));
    EXPECT_TRUE(tree.selectionModel()->isSelected(tree.currentIndex()));
  }
  // A folder in the home folder shows under the home node.
  tree.setSelectedFolder(path("home/pictures"));
  EXPECT_EQ(tree.currentIndex().parent().data().toString(), path("home"));
  EXPECT_EQ(tree.currentIndex().parent().parent(), model_->computerIndex());
  ExpectConsistent(*model_, model_->computerIndex());
}

TEST_F(FolderTreeTest, SelectionSurvivesTheListingAndSortingOfItsFolder) {
  for (const char* name : {"m", "k", "z", "d"}) ASSERT_TRUE(QDir(path("c")).mkdir(name));
  FolderTree tree(model_.get());
  tree.resize(300, 400);
  tree.show();
  tree.setSelectedFolder(path("c/m"));  // c is not listed yet: m shows alone first
  ASSERT_TRUE(waitForRows(tree, path("c"), 4));
  const QPersistentModelIndex c = model_->indexForPath(path("c"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ChildNames(*model_, c) == QStringList({"d", "k", "m", "z"}); }, kWaitMs))
      << ChildNames(*model_, c).join(' ').toStdString();
  EXPECT_EQ(tree.SelectedFolder(), path("c/m"));
  EXPECT_EQ(tree.currentIndex().data().toString(), "m");
  ExpectConsistent(*model_, c);
}

TEST_F(FolderTreeTest, RightButtonSelectsTheClickedFolderBeforeNotifying) {
  FolderTree tree(model_.get());
  tree.resize(300, 600);
  tree.show();
  tree.setSelectedFolder(path("a"));
  ASSERT_TRUE(waitForRows(tree, path("a"), 3));
  const QModelIndex b2 = model_->indexForPath(path("a/b2"));
  tree.scrollTo(b2);
  const QPoint click = tree.visualRect(b2).center();

  QStringList selectedWhenNotified;
  QList<QList<int>> notices;
  QObject::connect(&tree, &FolderTree::MouseUp, [&](int button, int shift, int x, int y) {
    selectedWhenNotified.append(tree.SelectedFolder());
    notices.append({button, shift, x, y});
  });
  const QPoint inTree = tree.viewport()->mapTo(&tree, click);
  QTest::mousePress(tree.viewport(), Qt::RightButton, {}, click);
  EXPECT_EQ(tree.SelectedFolder(), path("a/b2"));  // selected on the press
  QTest::mouseRelease(tree.viewport(), Qt::RightButton, {}, click);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::ShiftModifier, click);
  ASSERT_EQ(notices.size(), 2);
  EXPECT_EQ(notices[0], (QList<int>{2, 0, inTree.x(), inTree.y()}));
  EXPECT_EQ(notices[1], (QList<int>{1, 1, inTree.x(), inTree.y()}));
  EXPECT_EQ(selectedWhenNotified[0], path("a/b2"));

  // The menu key reports the right button at the selected folder.
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
  QCoreApplication::sendEvent(tree.viewport(), &key);
  ASSERT_EQ(notices.size(), 3);
  EXPECT_EQ(notices[2][0], 2);
}

TEST_F(FolderTreeTest, RefreshShowsNewFoldersAndDropsRemovedOnes) {
  FolderTree tree(model_.get());
  tree.resize(300, 600);
  tree.show();
  tree.setSelectedFolder(path("a"));
  ASSERT_TRUE(waitForRows(tree, path("a"), 3));
  const QPersistentModelIndex a = model_->indexForPath(path("a"));

  ASSERT_TRUE(QDir(path("a")).mkdir("new"));
  ASSERT_TRUE(QDir(path("a")).rmdir("b2"));
  QTest::qWait(50);
  EXPECT_EQ(ChildNames(*model_, a), QStringList({"b", "b0", "b2"}));  // nothing re-read by itself

  tree.Refresh();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ChildNames(*model_, a) == QStringList({"b", "b0", "new"}); }, kWaitMs))
      << ChildNames(*model_, a).join(' ').toStdString();
  tree.setSelectedFolder(path("a/new"));
  EXPECT_EQ(tree.SelectedFolder(), path("a/new"));
  ExpectConsistent(*model_, a);
}

TEST_F(FolderTreeTest, RemovedSelectedFolderSelectsItsParent) {
  FolderTree tree(model_.get());
  tree.resize(300, 600);
  tree.show();
  tree.setSelectedFolder(path("a/b0/x"));
  ASSERT_TRUE(waitForRows(tree, path("a"), 3));
  ASSERT_TRUE(waitForRows(tree, path("a/b0"), 1));
  tree.setSelectedFolder(path("a/b"));  // between two siblings
  QSignalSpy changes(&tree, &FolderTree::SelectionChange);

  ASSERT_TRUE(QDir(path("a")).rmdir("b"));
  tree.Refresh();
  EXPECT_TRUE(QTest::qWaitFor([&] { return tree.SelectedFolder() == path("a"); }, kWaitMs))
      << tree.SelectedFolder().toStdString();
  EXPECT_EQ(changes.count(), 1);

  // A folder removed with its parent: the nearest remaining row is selected.
  tree.setSelectedFolder(path("a/b0/x"));
  ASSERT_TRUE(QDir(path("a/b0")).removeRecursively());
  tree.Refresh();
  EXPECT_TRUE(QTest::qWaitFor([&] { return tree.SelectedFolder() == path("a"); }, kWaitMs))
      << tree.SelectedFolder().toStdString();
}

TEST_F(FolderTreeTest, TwoTreesShareOneModelButNotTheirSelection) {
  FolderTree source(model_.get());
  FolderTree dest(model_.get());
  source.resize(300, 500);
  dest.resize(300, 500);
  source.show();
  dest.show();
  QSignalSpy destChanges(&dest, &FolderTree::SelectionChange);
  source.setSelectedFolder(path("a/b"));
  EXPECT_EQ(source.SelectedFolder(), path("a/b"));
  EXPECT_EQ(dest.SelectedFolder(), "");
  EXPECT_EQ(destChanges.count(), 0);
  EXPECT_FALSE(dest.isExpanded(model_->indexForPath(path("a"))));

  dest.setSelectedFolder(path("c"));
  EXPECT_EQ(source.SelectedFolder(), path("a/b"));
  EXPECT_EQ(dest.SelectedFolder(), path("c"));

  // The home folder shows twice (under "/" and as a top node): a folder made
  // there shows in both places after one tree's Refresh.
  QPersistentModelIndex homeInRoot = ChildNamed(*model_, model_->computerIndex(), "/");
  const QStringList names = root_.split('/', Qt::SkipEmptyParts) << "home";
  for (const QString& name : names) {
    dest.expand(homeInRoot);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ChildNamed(*model_, homeInRoot, name).isValid(); }, kWaitMs))
        << name.toStdString();
    homeInRoot = ChildNamed(*model_, homeInRoot, name);
  }
  const QPersistentModelIndex homeTop = ChildNamed(*model_, model_->computerIndex(), path("home"));
  source.expand(homeTop);
  dest.expand(homeInRoot);
  ASSERT_TRUE(QTest::qWaitFor([&] { return model_->rowCount(homeTop) == 1 && model_->rowCount(homeInRoot) == 1; },
                              kWaitMs));
  ASSERT_TRUE(QDir(path("home")).mkdir("music"));
  source.Refresh();
  const QStringList both = {"music", "pictures"};
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return ChildNames(*model_, homeTop) == both && ChildNames(*model_, homeInRoot) == both; }, kWaitMs));
  ExpectConsistent(*model_, homeTop);
  ExpectConsistent(*model_, homeInRoot);

  ASSERT_TRUE(QDir(path("home")).rmdir("music"));
  dest.Refresh();
  EXPECT_TRUE(QTest::qWaitFor([&] { return model_->rowCount(homeTop) == 1 && model_->rowCount(homeInRoot) == 1; },
                              kWaitMs));
  ExpectConsistent(*model_, model_->computerIndex());
}

}  // namespace
