#include <gtest/gtest.h>

#include "app/main/fMain.h"

TEST(MainWindow, OpensWithItsCaptionAndClosesCleanly) {
  auto* window = new fMain;
  window->show();
  EXPECT_EQ(window->windowTitle(), "Quillmora by Oxbrindle");
  EXPECT_TRUE(window->close());
  delete window;
}
