// The registry stand-in's answer for the system information tool.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/shell/Registry.h"

namespace {
QString MakeProgram(const QDir& folder, const QString& name, bool executable = true) {
  const QString path = folder.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write("#!/bin/sh\n");
  file.close();
  if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
  return path;
}

// Sets PATH for the life of the object.
class SearchPath {
 public:
  explicit SearchPath(const QString& value) : old_(qgetenv("PATH")) { qputenv("PATH", QFile::encodeName(value)); }
  ~SearchPath() { qputenv("PATH", old_); }

 private:
  QByteArray old_;
};
}  // namespace

TEST(Registry, SystemInformationToolIsTheFirstKnownProgramOnTheSearchPath) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QDir folder(dir.path());
  EXPECT_TRUE(Registry::FindSystemInformationTool({folder.path()}).isEmpty());

  MakeProgram(folder, QStringLiteral("hardinfo"), false);  // not executable: not a tool
  EXPECT_TRUE(Registry::FindSystemInformationTool({folder.path()}).isEmpty());
  const QString cpux = MakeProgram(folder, QStringLiteral("cpu-x"));
  EXPECT_EQ(Registry::FindSystemInformationTool({folder.path()}), cpux);
  const QString kinfocenter = MakeProgram(folder, QStringLiteral("kinfocenter"));
  EXPECT_EQ(Registry::FindSystemInformationTool({folder.path()}), kinfocenter);

  // The machine value "PATH" of the MSINFO key answers with it; names compare
  // case-insensitively; every other value is absent.
  const SearchPath path(folder.path());
  EXPECT_EQ(Registry::ReadMachineValue(QLatin1String(Registry::kMsInfoKey), QStringLiteral("PATH")), kinfocenter);
  EXPECT_EQ(Registry::ReadMachineValue(QStringLiteral("software\\microsoft\\shared tools\\msinfo"),
                                       QStringLiteral("Path")),
            kinfocenter);
  EXPECT_FALSE(Registry::ReadMachineValue(QLatin1String(Registry::kSharedToolsLocationKey), QStringLiteral("MSINFO")));
  EXPECT_FALSE(Registry::ReadMachineValue(QLatin1String(Registry::kMsInfoKey), QStringLiteral("Other")));
}

TEST(Registry, NoToolMeansNoValueAndALookupReplacesTheAnswers) {
  QTemporaryDir empty;
  {
    const SearchPath path(empty.path());
    EXPECT_FALSE(Registry::ReadMachineValue(QLatin1String(Registry::kMsInfoKey), QStringLiteral("PATH")));
  }
  Registry::SetLookup([](const QString&, const QString& name) -> std::optional<QString> {
    if (name == QLatin1String("MSINFO")) return QStringLiteral("/opt/tools");
    return std::nullopt;
  });
  EXPECT_EQ(Registry::ReadMachineValue(QLatin1String(Registry::kSharedToolsLocationKey), QStringLiteral("MSINFO")),
            QStringLiteral("/opt/tools"));
  Registry::SetLookup(nullptr);
  EXPECT_FALSE(Registry::ReadMachineValue(QLatin1String(Registry::kSharedToolsLocationKey), QStringLiteral("MSINFO")));
}
