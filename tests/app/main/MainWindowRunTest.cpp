// A batch run started from the main window: what it writes, what the user
// can touch meanwhile, Stop, and closing the window while it runs.
#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

#include "app/controls/picturebutton/PictureButton.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/ImageOptionsPage.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/fPreferences.h"
#include "platform/shell/DialogScript.h"
#include "tests/app/main/WindowFixture.h"
#include "tests/support/TestImages.h"

using windowtest::Entries;
using windowtest::ReadFile;
using windowtest::WindowTest;

namespace {

const QColor kColors[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::magenta, Qt::cyan};

// Calls back when the run reaches its first progress change (the first file written).
class FirstProgress : public QObject {
 public:
  FirstProgress(Rk_Progbar* bar, std::function<void()> then) {
    connect(bar, &Rk_Progbar::ValueChanged, this, [this, then](int value) {
      if (value != 1 || fired) return;
      fired = true;
      then();
    });
  }
  bool fired = false;
};

// Calls back whenever the start button is disabled: a run (or a sample) has begun.
class RunStarts : public QObject {
 public:
  RunStarts(QWidget* start, std::function<void()> then) : then_(std::move(then)) { start->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange && !static_cast<QWidget*>(watched)->isEnabled()) then_();
    return false;
  }

 private:
  std::function<void()> then_;
};

class MainWindowRun : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    src = folder("src");
    dest = folder("dest");
    for (int i = 0; i < 6; ++i)
      ASSERT_TRUE(testimages::Solid(240, 160, kColors[i]).save(QStringLiteral("%1/f%2.png").arg(src).arg(i + 1)));
    record.sourceFolder = src;
    record.destinationFolder = dest;
  }

  // What a run must not let the user change, by name, and whether each is enabled.
  QMap<QString, bool> Inputs() const {
    fMain& w = *window;
    QMap<QString, bool> enabled{
        {"ftvSource", w.ftvSource()->isEnabled()},
        {"ftvDest", w.ftvDest()->isEnabled()},
        {"txtImgDir", w.txtImgDir()->isEnabled()},
        {"txtThumbDir", w.txtThumbDir()->isEnabled()},
        {"ComboFilter", w.ComboFilter()->isEnabled()},
        {"fbImages", w.fbImages()->isEnabled()},
        {"Select All", w.cmdselect(0)->isEnabled()},
        {"Clear", w.cmdselect(1)->isEnabled()},
        {"prefix", w.fraImageOptions()->txtPrefix()->isEnabled()},
        {"cmdBrowse 1", w.fraImageOptions()->cmdBrowse1()->isEnabled()},
        {"cmdBrowse 0", w.albumOptions()->cmdBrowse0()->isEnabled()},
        {"txtThumbDirName", w.albumOptions()->txtThumbDirName()->isEnabled()},
        {"ckHTML", w.ckHTML()->isEnabled()},
        {"START", w.cmdAction(0)->isEnabled()},
        {"Preferences", w.mnuFile(0)->isEnabled()},
    };
    for (const int item : {0, 2, 3, 5}) enabled.insert(QStringLiteral("mnuPop1 %1").arg(item), w.mnuPop1(item)->isEnabled());
    return enabled;
  }
  static QMap<QString, bool> All(const QMap<QString, bool>& names, bool value) {
    QMap<QString, bool> all;
    for (auto it = names.begin(); it != names.end(); ++it) all.insert(it.key(), value);
    return all;
  }
  QStringList Thumbnails(const QString& folder) const {
    QStringList names;
    for (const QString& name : Entries(folder))
      if (name.startsWith("TH_")) names << name;
    return names;
  }

  QString src, dest;
};

}  // namespace

TEST_F(MainWindowRun, ARunWritesTheThumbnailsAndWithTheBoxOnTheAlbum) {
  for (const bool album : {false, true}) {
    SCOPED_TRACE(album ? "album" : "thumbnails only");
    QDir(dest).removeRecursively();
    QDir().mkpath(dest);
    fMain& w = Open();
    QSignalSpy ended(&w, &fMain::RunEnded);
    QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
    if (album) QTest::mouseClick(w.ckHTML(), Qt::LeftButton);
    ASSERT_EQ(w.ckHTML()->isChecked(), album);
    QMap<QString, bool> during;
    bool stopLive = false;
    FirstProgress probe(w.thProg(), [&] {
      during = Inputs();
      stopLive = w.cmdAction(1)->isEnabled();
    });

    DialogScript script;  // the run shows nothing
    QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
    EXPECT_EQ(script.problems(), "");
    ASSERT_EQ(ended.count(), 1);
    ASSERT_TRUE(probe.fired);
    EXPECT_EQ(during, All(during, false));
    EXPECT_TRUE(stopLive);
    const QMap<QString, bool> after = Inputs();
    EXPECT_EQ(after, All(after, true));
    EXPECT_EQ(w.cmdViewHTML()->isEnabled(), album);

    const QString thumbs = album ? dest + "/thumbs" : dest;
    EXPECT_EQ(Thumbnails(thumbs), QStringList({"TH_f1.jpg", "TH_f2.jpg", "TH_f3.jpg", "TH_f4.jpg", "TH_f5.jpg", "TH_f6.jpg"}));
    for (int i = 0; i < 6; ++i) {
      const QImage thumb(QStringLiteral("%1/TH_f%2.jpg").arg(thumbs).arg(i + 1));
      ASSERT_FALSE(thumb.isNull());
      EXPECT_EQ(thumb.size(), QSize(120, 80));
      const QColor centre = thumb.pixelColor(60, 40);
      EXPECT_NEAR(centre.red(), kColors[i].red(), 8);
      EXPECT_NEAR(centre.green(), kColors[i].green(), 8);
      EXPECT_NEAR(centre.blue(), kColors[i].blue(), 8);
      const QString copy = QStringLiteral("%1/f%2.png").arg(dest).arg(i + 1);
      if (album)
        EXPECT_EQ(ReadFile(copy), ReadFile(QStringLiteral("%1/f%2.png").arg(src).arg(i + 1)));
      else
        EXPECT_FALSE(QFileInfo::exists(copy));
    }
    const QByteArray page = ReadFile(dest + "/gallery1.htm");
    EXPECT_EQ(page.isEmpty(), !album);
    if (album) {
      EXPECT_TRUE(page.contains("thumbs/TH_f1.jpg"));
      EXPECT_TRUE(page.contains("f6.png"));
    }
    EXPECT_EQ(w.lblCount()->text(), "Completed 6 of 6 images");
    EXPECT_EQ(w.thProg()->Value(), 0);
    EXPECT_TRUE(w.fbImages()->selectedItems().isEmpty());
    window.reset();
  }
}

TEST_F(MainWindowRun, MakingAgainOnlyWhatChangedIsASessionPreferenceOffByDefaultAndNeverSaved) {
  fMain& w = Open();
  const auto runAll = [&] {
    QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
    QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
    return w.lblCount()->text();
  };
  const auto preferences = [&] {
    ChooseMenuItem(w.mnuFile(0));
    return w.findChild<fPreferences*>();
  };
  fPreferences* dialog = preferences();
  ASSERT_TRUE(dialog && dialog->ckOnlyChanged());
  EXPECT_FALSE(dialog->ckOnlyChanged()->isChecked());
  dialog->close();
  const QByteArray settings = ReadFile(settingsPath());
  EXPECT_EQ(runAll(), "Completed 6 of 6 images");
  EXPECT_EQ(runAll(), "Completed 6 of 6 images");

  dialog = preferences();
  QTest::mouseClick(dialog->ckOnlyChanged(), Qt::LeftButton, {}, QPoint(5, dialog->ckOnlyChanged()->height() / 2));
  dialog->close();
  EXPECT_EQ(ReadFile(settingsPath()), settings);
  EXPECT_EQ(runAll(), "Completed 6 of 6 images");
  EXPECT_EQ(runAll(), "Completed 0 of 0 images, 6 already up to date");
}

TEST_F(MainWindowRun, StopEndsTheRunAfterTheFileInHand) {
  fMain& w = Open();
  QSignalSpy ended(&w, &fMain::RunEnded);
  // A stop pressed while nothing runs does not end the next run early.
  QTest::mouseClick(w.cmdAction(1), Qt::LeftButton);
  QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
  FirstProgress stop(w.thProg(), [&] {
    QTimer::singleShot(0, &w, [&] { QTest::mouseClick(w.cmdAction(1), Qt::LeftButton); });
  });
  QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
  ASSERT_EQ(ended.count(), 1);
  ASSERT_TRUE(stop.fired);
  EXPECT_EQ(Thumbnails(dest), QStringList{"TH_f1.jpg"});
  EXPECT_FALSE(QImage(dest + "/TH_f1.jpg").isNull());
  EXPECT_EQ(w.lblCount()->text(), "Processing 1 of 6");
  EXPECT_EQ(w.thProg()->Value(), 0);
  const QMap<QString, bool> after = Inputs();
  EXPECT_EQ(after, All(after, true));

  // The next run makes them all.
  QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
  QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
  EXPECT_EQ(ended.count(), 2);
  EXPECT_EQ(Thumbnails(dest).size(), 6);
}

TEST_F(MainWindowRun, ClosingDuringARunAsksAndOnYesClosesOnceTheRunHasReturned) {
  for (const MsgResult answer : {MsgResult::No, MsgResult::Yes}) {
    SCOPED_TRACE(answer == MsgResult::Yes ? "Yes" : "No");
    QDir(dest).removeRecursively();
    QDir().mkpath(dest);
    QFile::remove(settingsPath());
    Open();
    // The window deletes itself once closed, as a window of the program may.
    QPointer<fMain> w = window.release();
    w->setAttribute(Qt::WA_DeleteOnClose);
    QSignalSpy ended(w.data(), &fMain::RunEnded);
    QTest::mouseClick(w->cmdselect(0), Qt::LeftButton);
    DialogScript script;
    script.answerMessage(answer, "Are you sure you want to quit?");
    bool runningWhenAsked = false;
    FirstProgress closer(w->thProg(), [&] {
      QTimer::singleShot(0, w, [&] {
        runningWhenAsked = w->run().isRunning();
        w->close();
      });
    });
    QTest::mouseClick(w->cmdAction(0), Qt::LeftButton);
    EXPECT_EQ(script.problems(), "");
    EXPECT_TRUE(runningWhenAsked);
    EXPECT_EQ(ended.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (answer == MsgResult::Yes) {
      EXPECT_FALSE(w);  // closed, and deleted once back in the event loop
      EXPECT_EQ(Thumbnails(dest), QStringList{"TH_f1.jpg"});
      EXPECT_TRUE(QFileInfo(settingsPath()).size() > 0);  // the settings were saved
    } else {
      ASSERT_TRUE(w);
      EXPECT_TRUE(w->isVisible());
      EXPECT_EQ(Thumbnails(dest).size(), 6);
      EXPECT_FALSE(QFileInfo::exists(settingsPath()));
      delete w;
    }
  }
}

TEST_F(MainWindowRun, ClosingWhileTheSampleIsMadeClosesOnceItIsDone) {
  Open();
  QPointer<fMain> w = window.release();
  w->setAttribute(Qt::WA_DeleteOnClose);
  DialogScript script;
  script.answerMessage(MsgResult::Yes, "Are you sure you want to quit?");
  int starts = 0;
  RunStarts closer(w->cmdAction(0), [&] {
    if (++starts == 1) QTimer::singleShot(0, w, [&] { w->close(); });
  });
  QListWidget* list = w->fbImages();
  QListWidgetItem* item = list->findItems("f2.png", Qt::MatchExactly).value(0);
  ASSERT_TRUE(item);
  // A double-click as a mouse makes it: press, release, press that doubles, release.
  const QPoint at = list->visualItemRect(item).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(script.problems(), "");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(w);
  EXPECT_TRUE(QFileInfo(settingsPath()).size() > 0);
  delete w;
}

TEST_F(MainWindowRun, PreferencesOpenedBeforeARunCannotChangeItMidway) {
  fMain& w = Open();
  ChooseMenuItem(w.mnuFile(0));
  auto* preferences = w.findChild<fPreferences*>();
  ASSERT_TRUE(preferences && preferences->isVisible());

  QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
  bool prefsEnabledDuring = true;
  FirstProgress probe(w.thProg(), [&] { prefsEnabledDuring = preferences->ckPrefs(1)->isEnabled(); });
  QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
  ASSERT_TRUE(probe.fired);
  EXPECT_FALSE(prefsEnabledDuring);
  EXPECT_TRUE(preferences->ckPrefs(1)->isEnabled());
  preferences->close();
}

// A thumb folder name that comes to ".." once blanks and control characters
// are trimmed never sends the thumbnails beside the destination: not from
// the settings file, not pasted into the box.
TEST_F(MainWindowRun, ABlankLadenThumbFolderNameWritesNothingOutsideTheDestination) {
  const auto filesOutside = [this] {
    QStringList outside;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString file = QDir(dir.path()).relativeFilePath(it.next());
      if (!file.startsWith("src/") && !file.startsWith("dest/")) outside << file;
    }
    return outside;
  };
  const QStringList before = filesOutside();
  for (const char* name : {"..\t", "..\r\n", "\t..", "..\v"}) {
    for (const bool pasted : {false, true}) {
      SCOPED_TRACE(QString::fromLatin1(name).toUtf8().toPercentEncoding().toStdString() +
                   (pasted ? " pasted" : " from the settings file"));
      QDir(dest).removeRecursively();
      QDir().mkpath(dest);
      record.saveHtmlSettings = record.saveThumbPageSettings = pasted ? kFlagOff : kFlagOn;
      record.thumbFolderName = pasted ? QStringLiteral("thumbs") : QString::fromLatin1(name);
      fMain& w = Open();
      QLineEdit* box = w.albumOptions()->txtThumbDirName();
      if (pasted) {
        box->selectAll();
        box->insert(QString::fromLatin1(name));
      }
      QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
      QTest::mouseClick(w.ckHTML(), Qt::LeftButton);
      DialogScript script;
      QTest::mouseClick(w.cmdAction(0), Qt::LeftButton);
      EXPECT_EQ(filesOutside(), before);
      EXPECT_EQ(Thumbnails(dest + "/thumbs").size(), 6);
      window.reset();
    }
  }
}
