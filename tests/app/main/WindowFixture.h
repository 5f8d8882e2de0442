#pragma once
// The main window in a folder of its own, driven the way a user drives it:
// clicks on the folder trees' rows, the folder menu's items, the file list's
// entries, the mask list's popup and the buttons; dialogs answered by a
// DialogScript.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/engine/SharedDecoder.h"
#include "app/main/fMain.h"
#include "app/settings/SettingsRecord.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/FolderTreeModel.h"
#include "tests/app/album/QStringPrinter.h"

namespace windowtest {

// Writes bytes to path (creating its folder); false when it could not.
inline bool WriteFile(const QString& path, const QByteArray& bytes = QByteArray()) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names a folder holds (files and folders, hidden ones too), sorted.
inline QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // A decoder that hangs costs a test seconds, not minutes.
    DecoderSettings decoder;
    decoder.timeLimitMs = 4000;
    ConfigureSharedDecoder(decoder);
  }
  void TearDown() override { window.reset(); }

  QString path(const QString& name) const { return dir.filePath(name); }
  QString settingsPath() const { return settingsFile.isEmpty() ? path(QStringLiteral("qmsetup.dat")) : settingsFile; }
  QString folder(const QString& name) const {
    QDir().mkpath(path(name));
    return path(name);
  }

  // Opens the window over record (as the program does after reading the file).
  fMain& Open(bool usedDefaults = false) {
    window = std::make_unique<fMain>(record, settingsPath(), usedDefaults);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->previewLoader().decoder().setTimeLimit(4000);
    return *window;
  }

  // A left click on a folder's row, as the user selects it.
  static void ClickFolder(FolderTree* tree, const QString& folderPath,
                          Qt::MouseButton button = Qt::LeftButton) {
    const QModelIndex index = folderPath.isEmpty() ? tree->folderModel()->computerIndex()
                                                   : tree->folderModel()->indexForPath(folderPath);
    ASSERT_TRUE(index.isValid()) << folderPath.toStdString();
    tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    const QRect row = tree->visualRect(index);
    ASSERT_TRUE(tree->viewport()->rect().contains(row.center())) << folderPath.toStdString();
    QTest::mouseClick(tree->viewport(), button, {}, row.center());
  }

  // A right click on a folder's row, then a click on the folder menu's item.
  void FolderMenu(FolderTree* tree, const QString& folderPath, int item) {
    ClickFolder(tree, folderPath, Qt::RightButton);
    QMenu* menu = window->folderMenu();
    ASSERT_TRUE(menu->isVisible());
    QAction* action = window->mnuPop1(item);
    ASSERT_TRUE(action && action->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    EXPECT_FALSE(menu->isVisible());
  }

  // Opens the menu bar's menu that holds item and clicks item.
  void ChooseMenuItem(QAction* item) {
    auto* menu = qobject_cast<QMenu*>(item->parent());
    ASSERT_TRUE(menu);
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
  }

  // Chooses an entry of the mask list in its popup: a click opens it, the
  // arrow keys move to the entry, Enter chooses it. (A click in the popup
  // right after it opened is ignored, as it would be for a user.)
  static void ChooseEntry(QComboBox* combo, int entry) {
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(view->isVisible());
    QTest::keyClick(view, Qt::Key_Home);
    for (int i = 0; i < entry; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_FALSE(view->isVisible());
  }

  // Replaces what a text box holds by typing text into it.
  static void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }

  QStringList Listed() const {
    QStringList names;
    for (int i = 0; i < window->fbImages()->count(); ++i) names << window->fbImages()->item(i)->text();
    return names;
  }

  // A click on the file list's entry of name.
  void ClickFile(const QString& name, Qt::KeyboardModifiers modifiers = {}) {
    QListWidget* list = window->fbImages();
    const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(found.first()).center());
  }

  QTemporaryDir dir;
  SettingsRecord record = DefaultSettings();
  QString settingsFile;  // empty: qmsetup.dat in the test's folder
  std::unique_ptr<fMain> window;
};

}  // namespace windowtest
