// The main window's folder side: the folder menu's operations on the folder
// it was opened on, and Enter in the two path boxes.
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

#include "platform/shell/DialogScript.h"
#include "tests/app/main/WindowFixture.h"

using windowtest::Entries;
using windowtest::WindowTest;
using windowtest::WriteFile;

namespace {

constexpr int kRefresh = 0;
constexpr int kNewFolder = 2;
constexpr int kRemoveFolder = 3;
constexpr int kDeleteContents = 5;

class MainWindowFolders : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    src = folder("src");
    dest = folder("dest");
    ASSERT_TRUE(WriteFile(src + "/s1.jpg"));
    record.sourceFolder = src;
    record.destinationFolder = dest;
  }
  FolderTree* Tree(bool source) const { return source ? window->ftvSource() : window->ftvDest(); }
  // Types text into a path box (replacing what it held) and presses Enter.
  static void TypeAndEnter(QLineEdit* box, const QString& text) {
    Retype(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }

  QString src, dest;
};

}  // namespace

TEST_F(MainWindowFolders, NewFolderCreatesOneLevelAndRefusesNamesThatLeadElsewhere) {
  const struct {
    bool sourceTree;
    bool answered;  // false: Cancel
    const char* answer;
    const char* created;  // nullptr: nothing is created
    bool refused;         // a message says why
  } cases[] = {
      {false, true, "Holiday", "Holiday", false},
      {true, true, "  Trip 2024  ", "Trip 2024", false},
      {false, true, ".", nullptr, true},
      {false, true, "..", nullptr, true},
      {false, true, "a/b", nullptr, true},
      {false, true, "../escape", nullptr, true},
      {false, true, "Existing", nullptr, true},
      {true, true, "s1.jpg", nullptr, true},  // a file of that name exists
      {false, true, "", nullptr, false},
      {false, true, "   ", nullptr, false},
      {false, false, "typed, then cancelled", nullptr, false},
  };
  QDir(dest).mkdir("Existing");
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    const QString target = c.sourceTree ? src : dest;
    const QStringList before = Entries(target);
    DialogScript script;
    if (c.answered)
      script.answerInput(c.answer, "Name For New Folder?");
    else
      script.cancelInput("Name For New Folder?");
    if (c.refused) script.answerMessage(MsgResult::OK);
    FolderMenu(Tree(c.sourceTree), target, kNewFolder);
    EXPECT_EQ(script.problems(), "");
    ASSERT_EQ(script.inputs().size(), 1u);
    EXPECT_EQ(script.inputs()[0].title, "Create New Folder");
    EXPECT_EQ(script.inputs()[0].defaultText, "");
    if (c.refused) {
      ASSERT_EQ(script.messages().size(), 1u);
      EXPECT_EQ(script.messages()[0].icon, MsgIcon::Exclamation);
    }
    QStringList expected = before;
    if (c.created) {
      expected << c.created;
      expected.sort();
      EXPECT_TRUE(QFileInfo(target + "/" + c.created).isDir());
    }
    EXPECT_EQ(Entries(target), expected);
    EXPECT_EQ(Entries(dir.path() + "/a"), QStringList());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/escape"));
  }
}

TEST_F(MainWindowFolders, RemoveFolderRemovesOnlyAnEmptyFolderAndSaysWhichOneItAsksAbout) {
  const struct {
    const char* name;
    bool sourceTree;
    const char* content;  // a file or a folder inside; nullptr: empty
    MsgResult answer;
    bool removed;
  } cases[] = {
      {"full-file", false, "photo.jpg", MsgResult::Yes, false},
      {"full-folder", true, "inner/", MsgResult::Yes, false},
      {"empty-dest", false, nullptr, MsgResult::Yes, true},
      {"empty-source", true, nullptr, MsgResult::Yes, true},
      {"kept", false, nullptr, MsgResult::No, false},
  };
  ASSERT_TRUE(WriteFile(dest + "/d1.jpg"));
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString parent = c.sourceTree ? src : dest;
    const QString target = parent + "/" + c.name;
    QDir().mkpath(target);
    if (c.content) {
      const QString inside = target + "/" + c.content;
      ASSERT_TRUE(inside.endsWith('/') ? QDir().mkpath(inside) : WriteFile(inside));
    }
    DialogScript script;
    script.answerMessage(c.answer, "Are you sure? Deleted files or folders cannot be recovered!\n\n" + target);
    const bool fails = c.answer == MsgResult::Yes && !c.removed;
    if (fails) script.answerMessage(MsgResult::OK, "Unable to delete. Folder may contain files and/or subfolders.");
    FolderMenu(Tree(c.sourceTree), target, kRemoveFolder);
    EXPECT_EQ(script.problems(), "");
    ASSERT_GE(script.messages().size(), 1u);
    EXPECT_EQ(script.messages()[0].title, "Confirm Delete");
    EXPECT_EQ(script.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(script.messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(script.messages()[0].defaultButton, MsgDefault::Second);  // Enter keeps the folder
    if (fails) {
      EXPECT_EQ(script.messages()[1].title, "Quillmora");
      EXPECT_EQ(script.messages()[1].icon, MsgIcon::Critical);
    }
    EXPECT_EQ(QFileInfo(target).isDir(), !c.removed);
    if (c.content) {
      EXPECT_TRUE(QFileInfo::exists(target + "/" + c.content));
    }
    // A removed folder's parent is selected; a kept one stays selected.
    EXPECT_EQ(Tree(c.sourceTree)->SelectedFolder(), c.removed ? parent : target);
    if (c.sourceTree) {
      EXPECT_EQ(window->fileListFolder(), (c.removed ? parent : target) + "/");
      if (c.removed) {
        EXPECT_EQ(Listed(), QStringList{"s1.jpg"});
      }
    }
  }
}

// Regression: a failed removal moved the tree to the parent and back, which
// read the file list again and lost the user's selection.
TEST_F(MainWindowFolders, AFailedRemovalChangesNothingElse) {
  const QString full = folder("src/full");
  ASSERT_TRUE(WriteFile(full + "/a.jpg"));
  ASSERT_TRUE(WriteFile(full + "/b.jpg"));
  ASSERT_TRUE(WriteFile(full + "/c.jpg"));
  const QString destFull = folder("dest/full");
  ASSERT_TRUE(WriteFile(destFull + "/kept.jpg"));
  record.sourceFolder = full;
  fMain& w = Open();
  ClickFolder(w.ftvDest(), destFull);
  const QStringList selected{"b.jpg", "c.jpg"};
  for (const bool sourceTree : {true, false}) {
    SCOPED_TRACE(sourceTree ? "source tree" : "destination tree");
    ClickFile("b.jpg");
    ClickFile("c.jpg", Qt::ControlModifier);
    ASSERT_EQ(w.SelectedFileNames(), selected);
    const QString target = sourceTree ? full : destFull;
    QSignalSpy sourceMoved(w.ftvSource(), &FolderTree::SelectionChange);
    QSignalSpy destMoved(w.ftvDest(), &FolderTree::SelectionChange);
    QSignalSpy listChanged(w.fbImages()->selectionModel(), &QItemSelectionModel::selectionChanged);
    DialogScript script;
    script.answerMessage(MsgResult::Yes, "Are you sure? Deleted files or folders cannot be recovered!\n\n" + target);
    script.answerMessage(MsgResult::OK, "Unable to delete. Folder may contain files and/or subfolders.");
    FolderMenu(Tree(sourceTree), target, kRemoveFolder);
    EXPECT_EQ(script.problems(), "");
    EXPECT_TRUE(QFileInfo(target).isDir());
    EXPECT_EQ(sourceMoved.count(), 0);
    EXPECT_EQ(destMoved.count(), 0);
    EXPECT_EQ(listChanged.count(), 0);
    EXPECT_EQ(w.ftvSource()->SelectedFolder(), full);
    EXPECT_EQ(w.ftvDest()->SelectedFolder(), destFull);
    EXPECT_EQ(w.fileListFolder(), full + "/");
    EXPECT_EQ(Listed(), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(w.SelectedFileNames(), selected);
    EXPECT_EQ(w.txtThumbDir()->text(), destFull);
  }
}

TEST_F(MainWindowFolders, DeleteContentsFromTheDestinationTreeDeletesItsFilesOnlyAndRereadsTheList) {
  const struct {
    const char* files;  // in the destination folder
    MsgResult answer;
    const char* question;
    QStringList left;
  } cases[] = {
      {"a.jpg b.txt .hidden", MsgResult::Yes, "3 files will be deleted.", {"sub"}},
      {"only.jpg", MsgResult::Yes, "1 file will be deleted.", {"sub"}},
      {"a.jpg b.jpg", MsgResult::No, "2 files will be deleted.", {"a.jpg", "b.jpg", "sub"}},
  };
  Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files);
    for (const QString& name : QString(c.files).split(' ')) ASSERT_TRUE(WriteFile(dest + "/" + name));
    ASSERT_TRUE(WriteFile(dest + "/sub/kept.jpg"));
    // A file the list does not show yet: it shows once the list is re-read.
    ASSERT_TRUE(WriteFile(src + "/s2.jpg"));
    ASSERT_EQ(Listed(), QStringList{"s1.jpg"});

    DialogScript script;
    script.answerMessage(c.answer, "Are you sure? Deleted files cannot be recovered!\n\n" + dest + "\n" + c.question);
    FolderMenu(window->ftvDest(), dest, kDeleteContents);
    EXPECT_EQ(script.problems(), "");
    ASSERT_EQ(script.messages().size(), 1u);
    EXPECT_EQ(script.messages()[0].defaultButton, MsgDefault::Second);  // Enter keeps the files
    EXPECT_EQ(Entries(dest), c.left);
    EXPECT_TRUE(QFileInfo::exists(dest + "/sub/kept.jpg"));
    EXPECT_EQ(Entries(src), QStringList({"s1.jpg", "s2.jpg"}));
    if (c.answer == MsgResult::Yes) {
      EXPECT_EQ(Listed(), QStringList({"s1.jpg", "s2.jpg"}));
    }
    // Back to one shown file for the next case.
    QFile::remove(src + "/s2.jpg");
    for (const QString& name : Entries(dest))
      if (name != "sub") QFile::remove(dest + "/" + name);
    window->ShowFolder(src);
  }
}

TEST_F(MainWindowFolders, TheTopNodeIsNoFolderForAnyOperation) {
  fMain& w = Open();
  for (const bool sourceTree : {true, false}) {
    for (const int item : {kNewFolder, kRemoveFolder, kDeleteContents}) {
      SCOPED_TRACE(QStringLiteral("%1 tree, item %2").arg(sourceTree ? "source" : "destination").arg(item).toStdString());
      const QStringList srcBefore = Entries(src), destBefore = Entries(dest);
      DialogScript script;
      script.answerMessage(MsgResult::OK);
      FolderMenu(Tree(sourceTree), QString(), item);
      EXPECT_EQ(script.problems(), "");
      EXPECT_TRUE(script.inputs().empty());
      ASSERT_EQ(script.messages().size(), 1u);
      EXPECT_TRUE(script.messages()[0].text.contains("My Computer")) << script.messages()[0].text.toStdString();
      EXPECT_TRUE(Tree(sourceTree)->SelectedFolder().isEmpty());
      EXPECT_EQ(Entries(src), srcBefore);
      EXPECT_EQ(Entries(dest), destBefore);
    }
    // Refresh is no folder operation: no message.
    DialogScript script;
    FolderMenu(Tree(sourceTree), QString(), kRefresh);
    EXPECT_EQ(script.problems(), "");
  }
  // Selecting the top node changes neither what the list shows nor the folders.
  EXPECT_EQ(w.fileListFolder(), src + "/");
  EXPECT_EQ(Listed(), QStringList{"s1.jpg"});
  EXPECT_EQ(w.txtImgDir()->text(), src);
  EXPECT_EQ(w.txtThumbDir()->text(), dest);
  EXPECT_EQ(w.record().sourceFolder, src);
  EXPECT_EQ(w.record().destinationFolder, dest);
}

TEST_F(MainWindowFolders, EnterInTheSourceBoxListsThatFolderAndChangesNothingElse) {
  const QString other = folder("other");
  ASSERT_TRUE(WriteFile(other + "/o1.png"));
  ASSERT_TRUE(WriteFile(other + "/o2.PNG"));
  fMain& w = Open();
  ASSERT_EQ(w.ftvSource()->SelectedFolder(), src);
  const struct {
    QString typed;
    QString listFolder;
    QStringList listed;
  } cases[] = {
      {other, other + "/", {"o1.png", "o2.PNG"}},
      {src + "/", src + "/", {"s1.jpg"}},
      {"  " + other + "/  ", other + "/", {"o1.png", "o2.PNG"}},
      {path("missing"), other + "/", {"o1.png", "o2.PNG"}},  // unreadable: the list keeps its folder
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    TypeAndEnter(w.txtImgDir(), c.typed);
    EXPECT_EQ(w.fileListFolder(), c.listFolder);
    EXPECT_EQ(Listed(), c.listed);
    EXPECT_EQ(w.txtImgDir()->text(), c.typed);
    EXPECT_EQ(w.ftvSource()->SelectedFolder(), src);
    EXPECT_EQ(w.record().sourceFolder, src);
  }
}

TEST_F(MainWindowFolders, EnterInTheDestinationBoxCreatesTheFolderWithItsParents) {
  ASSERT_TRUE(WriteFile(path("plain-file")));
  fMain& w = Open();
  const struct {
    QString typed;
    QString created;  // empty: nothing new
    bool message;
  } cases[] = {
      {path("out/2024/june"), path("out/2024/june"), false},
      {"  " + path("spaced") + "  ", path("spaced"), false},
      {dest, QString(), false},  // exists already
      {path("plain-file/sub"), QString(), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    const QStringList before = Entries(dir.path());
    DialogScript script;
    if (c.message) script.answerMessage(MsgResult::OK);
    TypeAndEnter(w.txtThumbDir(), c.typed);
    EXPECT_EQ(script.problems(), "");
    if (c.message) {
      ASSERT_EQ(script.messages().size(), 1u);
      EXPECT_TRUE(script.messages()[0].text.contains(path("plain-file/sub")));
      EXPECT_EQ(Entries(dir.path()), before);
    }
    if (!c.created.isEmpty()) {
      EXPECT_TRUE(QFileInfo(c.created).isDir());
    }
    EXPECT_EQ(w.txtThumbDir()->text(), c.typed);  // Enter types nothing into the box
    EXPECT_EQ(w.ftvDest()->SelectedFolder(), dest);
    EXPECT_EQ(w.record().destinationFolder, dest);
  }
}
