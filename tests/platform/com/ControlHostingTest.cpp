// Finding, registering and loading a control library; the picture file
// loader and writer.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/com/ComError.h"
#include "platform/com/ControlRegistry.h"
#include "platform/com/ControlServer.h"
#include "platform/com/CreateControl.h"
#include "platform/com/PictureFile.h"
#include "platform/com/PropertyBag.h"
#include "tests/support/ComErrors.h"
#include "tests/support/TestImages.h"


TEST(ControlHosting, RegistryRoundTripAndUnknownIdentifiers) {
  QStandardPaths::setTestModeEnabled(true);
  ASSERT_TRUE(ControlRegistry::Register({QStringLiteral("Test.Thing"), QStringLiteral("{1}"), QStringLiteral("/x/libt.so")}));
  const ControlRegistration r = ControlRegistry::Lookup(QStringLiteral("Test.Thing"));
  EXPECT_EQ(r.classId, QStringLiteral("{1}"));
  EXPECT_EQ(r.libraryPath, QStringLiteral("/x/libt.so"));
  ASSERT_TRUE(ControlRegistry::Unregister(QStringLiteral("Test.Thing")));
  EXPECT_FALSE(ControlRegistry::Lookup(QStringLiteral("Test.Thing")).isValid());

  QWidget parent;
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { CreateControl(QStringLiteral("NoSuchLib.Control"), &parent); }), kErrCantCreateObject);
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { CreateControl(QStringLiteral("OrvellanLib.NoSuchClass"), &parent); }), kErrCantCreateObject);
}

TEST(ControlHosting, LibraryRegistersItselfAndServesItsControls) {
  QStandardPaths::setTestModeEnabled(true);
  const QString path = FindControlLibrary(QStringLiteral("OrvellanLib.Orvellan"));
  ASSERT_FALSE(path.isEmpty());
  QLibrary library(path);
  ASSERT_TRUE(library.load());
  auto registerServer = reinterpret_cast<DllRegisterServerFn>(library.resolve(comserver::kRegisterServer));
  auto unregisterServer = reinterpret_cast<DllUnregisterServerFn>(library.resolve(comserver::kUnregisterServer));
  auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(library.resolve(comserver::kCanUnloadNow));
  ASSERT_TRUE(registerServer && unregisterServer && canUnload);

  ASSERT_EQ(registerServer(), comserver::kOk);
  const ControlRegistration r = ControlRegistry::Lookup(QStringLiteral("OrvellanLib.Orvellan"));
  EXPECT_TRUE(r.classId.startsWith(QLatin1Char('{')));
  EXPECT_EQ(QFileInfo(r.libraryPath).canonicalFilePath(), QFileInfo(path).canonicalFilePath());

  EXPECT_EQ(canUnload(), comserver::kOk);
  {
    QWidget parent;
    QWidget* control = CreateControl(QStringLiteral("OrvellanLib.Orvellan"), &parent);  // by class identifier
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parent(), &parent);
    EXPECT_EQ(canUnload(), comserver::kFalse);
  }
  EXPECT_EQ(canUnload(), comserver::kOk);
  EXPECT_EQ(unregisterServer(), comserver::kOk);
  EXPECT_FALSE(ControlRegistry::Lookup(QStringLiteral("OrvellanLib.Orvellan")).isValid());
}

TEST(PictureFile, LoaderAcceptsPicturesAndRefusesOtherFiles) {
  QTemporaryDir dir;
  const QImage image = testimages::Gradient(16, 16);
  const struct { const char* name; const char* format; StdPicture::Kind kind; } cases[] = {
      {"a.png", "PNG", StdPicture::Bitmap}, {"a.bmp", "BMP", StdPicture::Bitmap},
      {"a.jpg", "JPEG", StdPicture::Bitmap}, {"a.ico", "ICO", StdPicture::Icon},
      {"png-named.gif", "PNG", StdPicture::Bitmap}};
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(image.save(path, c.format)) << c.name;
    const StdPicture picture = LoadPictureFile(path);
    EXPECT_EQ(picture.kind(), c.kind) << c.name;
    EXPECT_EQ(picture.width(), 16) << c.name;
  }
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath(QStringLiteral("t.txt")), "plain text"));
  EXPECT_TRUE(LoadPictureFile(dir.filePath(QStringLiteral("t.txt"))).isNull());
  EXPECT_TRUE(LoadPictureFile(dir.filePath(QStringLiteral("missing.png"))).isNull());
}

TEST(PictureFile, BitmapWriterReportsFileErrorsAndLeavesNoHalfFile) {
  QTemporaryDir dir;
  const QImage image = testimages::Gradient(5, 3);
  const QString good = dir.filePath(QStringLiteral("ok.bmp"));
  SaveBitmapFile(image, good);
  EXPECT_EQ(QImage(good).convertToFormat(QImage::Format_RGB32), image);

  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { SaveBitmapFile(image, dir.filePath(QStringLiteral("none/x.bmp"))); }), kErrPathNotFound);
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { SaveBitmapFile(image, dir.path()); }), kErrPathFileAccess);
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { SaveBitmapFile(image, QString()); }), kErrPathFileAccess);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ok.bmp")});
}

TEST(StdPictureValue, SurvivesAFilePropertyBag) {
  QTemporaryDir dir;
  const StdPicture icon(testimages::Gradient(4, 4), StdPicture::Icon);
  {
    FilePropertyBag bag(dir.filePath(QStringLiteral("b")));
    bag.WriteProperty(QStringLiteral("Picture"), QVariant::fromValue(icon), QVariant::fromValue(StdPicture()));
    bag.WriteProperty(QStringLiteral("None"), QVariant::fromValue(StdPicture()), QVariant::fromValue(StdPicture()));
    ASSERT_TRUE(bag.Save());
  }
  FilePropertyBag bag(dir.filePath(QStringLiteral("b")));
  ASSERT_TRUE(bag.Load());
  EXPECT_FALSE(bag.contains(QStringLiteral("None")));
  EXPECT_EQ(bag.stored(QStringLiteral("Picture")).value<StdPicture>(), icon);
}
