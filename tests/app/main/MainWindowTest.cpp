#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/main/fMain.h"
#include "app/settings/SettingsRecord.h"
#include "platform/shell/MessageBox.h"

TEST(MainWindow, OpensWithItsCaptionAndClosesCleanly) {
  QTemporaryDir dir;
  SettingsRecord record = DefaultSettings();
  auto* window = new fMain(record, dir.filePath("qmsetup.dat"), true);
  window->show();
  EXPECT_EQ(window->windowTitle(), "Quillmora by Oxbrindle");
  const MessageBoxHandler previous = SetMessageBoxHandler([](const MessageBoxRequest&) { return MsgResult::Yes; });
  EXPECT_TRUE(window->close());
  SetMessageBoxHandler(previous);
  delete window;
}
