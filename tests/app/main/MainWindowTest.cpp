// The main window as a whole: start-up from the settings, closing and saving,
// and the desktop conventions (drop, F5, accessible names).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QUrl>
#include <functional>

#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/ImageOptionsPage.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/fPreferences.h"
#include "app/main/fAbout.h"
#include "platform/shell/DialogScript.h"
#include "tests/app/main/WindowFixture.h"

using windowtest::ReadFile;
using windowtest::WindowTest;
using windowtest::WriteFile;

namespace {

class MainWindow : public WindowTest {};

// The windows of type T that owner owns.
template <class T>
QList<QWidget*> Windows(QObject& owner) {
  QList<QWidget*> found;
  for (T* window : owner.findChildren<T*>()) found << window;
  return found;
}

}  // namespace

TEST_F(MainWindow, OpensWithItsCaptionAndClosesCleanly) {
  fMain& w = Open(true);
  EXPECT_EQ(w.windowTitle(), "Quillmora by Oxbrindle");
  DialogScript script;
  script.answerMessage(MsgResult::Yes, "Are you sure you want to quit?");
  EXPECT_TRUE(w.close());
  EXPECT_EQ(script.problems(), "");
  ASSERT_EQ(script.messages().size(), 1u);
  EXPECT_EQ(script.messages()[0].title, "Confirm Exit");
  EXPECT_EQ(script.messages()[0].icon, MsgIcon::Question);
  EXPECT_EQ(script.messages()[0].buttons, MsgButtons::YesNo);
}

TEST_F(MainWindow, ClosingWithNoChangesNothingAndWithYesSavesWhatTheControlsHold) {
  SetPreference(record, Preference::SaveImageSettings, true);
  record.thumbWidth = 150;
  record.thumbHeight = 150;
  record.prefix = "OLD_";
  record.outputFormatIndex = 4;
  ASSERT_TRUE(SaveSettings(record, settingsPath()));
  const QByteArray stored = ReadFile(settingsPath());
  fMain& w = Open();
  Retype(w.fraImageOptions()->txtPrefix(), "NEW_");
  Retype(w.albumOptions()->txtpageTitle(), "  Holiday  ");

  {
    DialogScript script;
    script.answerMessage(MsgResult::No, "Are you sure you want to quit?");
    ChooseMenuItem(w.mnuFile(2));  // "Exit"
    EXPECT_EQ(script.problems(), "");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(ReadFile(settingsPath()), stored);
  }
  {
    DialogScript script;
    script.answerMessage(MsgResult::Yes, "Are you sure you want to quit?");
    QTest::mouseClick(w.Label1(), Qt::LeftButton);  // "Source File Mask" closes, as Exit does
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 2000));
    EXPECT_EQ(script.problems(), "");
  }
  bool usedDefaults = true;
  const SettingsRecord saved = LoadSettings(settingsPath(), &usedDefaults);
  EXPECT_FALSE(usedDefaults);
  EXPECT_EQ(saved.prefix, "NEW_");
  EXPECT_EQ(saved.pageTitle, "Holiday");
  EXPECT_EQ(saved.thumbWidth, 150);
  EXPECT_EQ(saved.outputFormatIndex, 4);
  EXPECT_EQ(saved.saveImageSettings, kFlagOn);
}

TEST_F(MainWindow, FirstStartStoresTheControlsStartUpValuesNotZeros) {
  ASSERT_FALSE(QFileInfo::exists(settingsPath()));
  fMain& w = Open(true);
  ChooseMenuItem(w.mnuFile(0));  // "Preferences"
  auto* preferences = w.findChild<fPreferences*>();
  ASSERT_TRUE(preferences && preferences->isVisible());
  EXPECT_TRUE(preferences->ckPrefs(0)->isChecked());
  QTest::keyClick(preferences, Qt::Key_Escape);  // closed at once
  ASSERT_GT(QFileInfo(settingsPath()).size(), 0);

  const SettingsRecord saved = LoadSettings(settingsPath());
  const struct {
    const char* field;
    qint64 stored;
    qint64 expected;
  } fields[] = {
      {"saveFolders", saved.saveFolders, kFlagOn},
      {"saveImageSettings", saved.saveImageSettings, kFlagOff},
      {"thumbStyleIndex", saved.thumbStyleIndex, 0},
      {"thumbWidth", saved.thumbWidth, 120},
      {"thumbHeight", saved.thumbHeight, 120},
      {"thumbBackColor", saved.thumbBackColor, 0xC0C0C0},
      {"imagePadding", saved.imagePadding, 0},
      {"outputFormatIndex", saved.outputFormatIndex, 3},
      {"headerColor", saved.headerColor, 0x000000},
      {"pageColor", saved.pageColor, 0xFFFFFF},
      {"headerSize", saved.headerSize, 2},
      {"indexSize", saved.indexSize, 2},
      {"rowsPerPage", saved.rowsPerPage, 7},
      {"columnsPerRow", saved.columnsPerRow, 5},
      {"alignmentIndex", saved.alignmentIndex, 1},
      {"cellPadding", saved.cellPadding, 2},
      {"cellSpacing", saved.cellSpacing, 5},
      {"borderWidth", saved.borderWidth, 1},
      {"cellColor", saved.cellColor, 0x808080},
      {"captionBackColor", saved.captionBackColor, 0xC0FFFF},
      {"tableColor", saved.tableColor, 0x808000},
      {"captionFontSize", saved.captionFontSize, 3},
  };
  for (const auto& f : fields) EXPECT_EQ(f.stored, f.expected) << f.field;
  EXPECT_EQ(saved.prefix, "TH_");
  EXPECT_EQ(saved.suffix, "");
  EXPECT_EQ(saved.pageTitle, "Gallery");
  EXPECT_EQ(saved.pageHeader, "Gallery");
  EXPECT_EQ(saved.pageFileName, "gallery");
  EXPECT_EQ(saved.thumbFolderName, "thumbs");
}

// Regression: each Help > About opened another about box.
TEST_F(MainWindow, EachModelessWindowIsOpenOnceAndASecondChoiceBringsItForward) {
  fMain& w = Open(true);
  const struct {
    const char* item;
    QAction* action;
    std::function<QList<QWidget*>()> windows;
  } cases[] = {
      {"About", w.mnuHelp(3), [&] { return Windows<fAbout>(w); }},
      {"Preferences", w.mnuFile(0), [&] { return Windows<fPreferences>(w); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    ChooseMenuItem(c.action);
    ASSERT_EQ(c.windows().size(), 1);
    QPointer<QWidget> first = c.windows().first();
    EXPECT_TRUE(first->isVisible());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; }, 2000));
    ChooseMenuItem(c.action);
    EXPECT_EQ(c.windows().size(), 1);
    EXPECT_EQ(c.windows().value(0), first.data());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == first; }, 2000));
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());  // closed is gone: the next choice opens a new one
    ChooseMenuItem(c.action);
    EXPECT_EQ(c.windows().size(), 1);
    c.windows().value(0)->close();
  }
}

TEST_F(MainWindow, AStoredSizeComesBackAsStored) {
  const struct {
    int width, height;
  } cases[] = {{200, 100}, {100, 200}, {16, 25000}, {120, 120}};
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 x %2").arg(c.width).arg(c.height).toStdString());
    record = DefaultSettings();
    SetPreference(record, Preference::SaveImageSettings, true);
    record.thumbWidth = static_cast<int16_t>(c.width);
    record.thumbHeight = static_cast<int16_t>(c.height);
    fMain& w = Open();
    EXPECT_EQ(w.fraImageOptions()->udWid()->Value(), c.width);
    EXPECT_EQ(w.fraImageOptions()->udHgt()->Value(), c.height);
    EXPECT_EQ(w.Options().thumbWidth, c.width);
    EXPECT_EQ(w.Options().thumbHeight, c.height);
    DialogScript script;
    script.answerMessage(MsgResult::Yes);
    EXPECT_TRUE(w.close());
    const SettingsRecord saved = LoadSettings(settingsPath());
    EXPECT_EQ(saved.thumbWidth, c.width);
    EXPECT_EQ(saved.thumbHeight, c.height);
    window.reset();
  }
}

TEST_F(MainWindow, ASettingsFileThatCannotBeWrittenIsNamedAtExitAndTheWindowStillCloses) {
  ASSERT_TRUE(WriteFile(path("plain-file"), "not a folder"));
  QDir().mkpath(path("folder-named-like-it/qmsetup.dat"));
  const QString cases[] = {path("plain-file/qmsetup.dat"), path("folder-named-like-it/qmsetup.dat")};
  for (const QString& file : cases) {
    SCOPED_TRACE(file.toStdString());
    settingsFile = file;
    fMain& w = Open();
    DialogScript script;
    script.answerMessage(MsgResult::Yes, "Are you sure you want to quit?").answerMessage(MsgResult::OK);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(script.problems(), "");
    ASSERT_EQ(script.messages().size(), 2u);
    EXPECT_TRUE(script.messages()[1].text.contains(file)) << script.messages()[1].text.toStdString();
    EXPECT_EQ(ReadFile(path("plain-file")), "not a folder");
    EXPECT_TRUE(QFileInfo(path("folder-named-like-it/qmsetup.dat")).isDir());
    window.reset();
  }
}

TEST_F(MainWindow, AFolderDroppedOnTheWindowBecomesTheSourceFolder) {
  const QString photos = folder("photos");
  ASSERT_TRUE(WriteFile(photos + "/IMG_0001.JPG"));
  ASSERT_TRUE(WriteFile(path("loose.jpg")));
  fMain& w = Open();
  const struct {
    QString dropped;
    bool accepted;
  } cases[] = {{path("loose.jpg"), false}, {photos, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dropped.toStdString());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(c.dropped)});
    QWidget* target = w.fbImages()->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_EQ(enter.isAccepted(), c.accepted);
    if (!enter.isAccepted()) continue;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(w.ftvSource()->SelectedFolder(), photos);
    EXPECT_EQ(w.fileListFolder(), photos + "/");
    EXPECT_EQ(Listed(), QStringList{"IMG_0001.JPG"});
    EXPECT_EQ(w.txtImgDir()->text(), photos);
    EXPECT_EQ(w.record().sourceFolder, photos);
  }
}

TEST_F(MainWindow, F5ReadsTheListAgain) {
  const QString photos = folder("photos");
  ASSERT_TRUE(WriteFile(photos + "/a.jpg"));
  record.sourceFolder = photos;
  fMain& w = Open();
  ASSERT_EQ(Listed(), QStringList{"a.jpg"});
  ASSERT_TRUE(WriteFile(photos + "/b.jpg"));
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.fbImages()->setFocus();
  QTest::keyClick(w.fbImages(), Qt::Key_F5);
  EXPECT_EQ(Listed(), QStringList({"a.jpg", "b.jpg"}));
  EXPECT_EQ(w.fileListFolder(), photos + "/");
}

TEST_F(MainWindow, TheWindowAndEveryControlHaveAnAccessibleName) {
  fMain& w = Open();
  EXPECT_EQ(w.accessibleName(), "Quillmora by Oxbrindle");
  // Qt's own parts of a control (scroll bars of a list, a combo box's
  // popup) and the parts of a composite control are reached through it.
  const auto part = [&](const QWidget* widget) {
    for (const QWidget* up = widget; up && up != &w; up = up->parentWidget())
      if (up->objectName().startsWith("qt_")) return true;
    for (const QWidget* up = widget->parentWidget(); up && up != &w; up = up->parentWidget())
      if (qobject_cast<const QComboBox*>(up) || qobject_cast<const ucUpDownBox*>(up)) return true;
    return false;
  };
  QStringList nameless;
  for (QWidget* widget : w.findChildren<QWidget*>()) {
    const bool control = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QAbstractSlider*>(widget);
    if (!control || widget->isWindow() || part(widget)) continue;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    const QString name = face ? face->text(QAccessible::Name).trimmed() : QString();
    if (name.isEmpty()) nameless << QStringLiteral("%1 %2").arg(widget->metaObject()->className(), widget->objectName());
  }
  EXPECT_EQ(nameless.join('\n'), "");
}
