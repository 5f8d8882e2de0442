#include "platform/shell/Registry.h"

#include <QStandardPaths>

namespace Registry {

namespace {

Lookup& Override() {
  static Lookup lookup;
  return lookup;
}

// Programs that show the machine's hardware and system summary, best first.
const char* const kSystemInformationTools[] = {"kinfocenter", "hardinfo2", "hardinfo", "cpu-x", "lshw-gtk"};

}  // namespace

QString FindSystemInformationTool(const QStringList& folders) {
  for (const char* tool : kSystemInformationTools) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool), folders);
    if (!path.isEmpty()) return path;
  }
  return QString();
}

std::optional<QString> ReadMachineValue(const QString& key, const QString& valueName) {
  if (Override()) return Override()(key, valueName);
  if (key.compare(QLatin1String(kMsInfoKey), Qt::CaseInsensitive) == 0 &&
      valueName.compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0) {
    const QString tool = FindSystemInformationTool();
    if (!tool.isEmpty()) return tool;
  }
  return std::nullopt;
}

Lookup SetLookup(Lookup lookup) {
  Lookup old = std::move(Override());
  Override() = std::move(lookup);
  return old;
}

}  // namespace Registry
