#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/settings/SettingsFile.h"
#include "app/settings/fPreferences.h"
#include "tests/app/settings/RecordBytes.h"
#include "tests/support/TestImages.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(fPreferences, ShowsTheNineFlagsUnderTheirCaptions) {
  SettingsRecord r;
  r.saveFolders = -1;
  r.autoSelectAll = 1;  // not -1: off
  r.autoViewGallery = -1;
  fPreferences dialog(r, QString());
  EXPECT_EQ(dialog.windowTitle(), "Preferences");
  EXPECT_EQ(dialog.frame()->title(), "Set Program Preferences");
  // "&&" is how a button caption shows one "&".
  const QStringList captions{"Save Origin && Destination Paths.", "Auto Create Destination Folder.",
                             "Auto Select All Source Images.",    "Save Image Settings.",
                             "Save HTML Gallery Settings.",       "Save Thumb Page Settings.",
                             "Save Table Settings.",              "Always create HTML Gallery.",
                             "Auto View Completed Gallery."};
  const bool checked[] = {true, false, false, false, false, false, false, false, true};
  for (int i = 0; i < 9; ++i) {
    ASSERT_NE(dialog.ckPrefs(i), nullptr);
    EXPECT_EQ(dialog.ckPrefs(i)->text(), captions[i]);
    EXPECT_EQ(dialog.ckPrefs(i)->isChecked(), checked[i]) << i;
  }
  EXPECT_EQ(dialog.ckPrefs(9), nullptr);
  EXPECT_EQ(r.autoSelectAll, 1);  // showing the flags does not rewrite them
}

TEST(fPreferences, ClickStoresTheFlagAtOnceAndClosingSavesTheRecord) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("qmsetup.dat"));
  ASSERT_TRUE(testimages::WriteBytes(path, SampleRecordBytes()));
  SettingsRecord r = LoadSettings(path);
  fPreferences dialog(r, path);
  dialog.show();

  QCheckBox* autoCreate = dialog.ckPrefs(1);
  QTest::mouseClick(autoCreate, Qt::LeftButton, {}, QPoint(5, autoCreate->height() / 2));
  EXPECT_EQ(r.autoCreateDestination, -1);
  QCheckBox* saveTable = dialog.ckPrefs(6);
  QTest::mouseClick(saveTable, Qt::LeftButton, {}, QPoint(5, saveTable->height() / 2));
  EXPECT_EQ(r.saveTableSettings, 0);
  EXPECT_EQ(ReadAll(path), SampleRecordBytes());  // nothing written before closing

  dialog.close();
  QByteArray expected = SampleRecordBytes();
  expected[2] = '\xFF';
  expected[3] = '\xFF';
  expected[12] = '\0';
  expected[13] = '\0';
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(fPreferences, EscapeAlsoSaves) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("qmsetup.dat"));
  SettingsRecord r = DefaultSettings();
  fPreferences dialog(r, path);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  QByteArray expected(106, '\0');
  expected[0] = '\xFF';
  expected[1] = '\xFF';
  EXPECT_EQ(ReadAll(path), expected);
}

}  // namespace
