#pragma once
// A source folder "pics" and a destination folder "out" in a temporary folder,
// with a fake window pointing at them: what most batch run tests start from.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/app/engine/FakeBatchHost.h"
#include "tests/support/TestImages.h"

class RunFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    src = dir_.filePath("pics");
    out = dir_.filePath("out");
    ASSERT_TRUE(QDir().mkpath(src));
    ASSERT_TRUE(QDir().mkpath(out));
    host.sourceFolder = src;
    host.destinationFolder = out;
  }
  // A w x h gradient saved as PNG under name in the source folder.
  void MakeImage(const QString& name, int w = 60, int h = 40) {
    ASSERT_TRUE(testimages::Gradient(w, h).save(QDir(src).filePath(name), "PNG")) << name.toStdString();
  }
  static QStringList Files(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

  QTemporaryDir dir_;
  QString src, out;
  FakeBatchHost host;
};
