#include "app/main/ProgramInfo.h"

namespace ProgramInfo {

QString VersionNumber() {
  return QStringLiteral("%1.%2.%3")
      .arg(QUILLMORA_VERSION_MAJOR)
      .arg(QUILLMORA_VERSION_MINOR)
      .arg(QUILLMORA_VERSION_PATCH);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/quillmora/icons/%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace ProgramInfo
