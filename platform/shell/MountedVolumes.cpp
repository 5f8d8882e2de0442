#include "platform/shell/MountedVolumes.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// File systems that hold no user files, or only stand for a mount that is
// not there yet (autofs).
bool IsPseudoFileSystem(const QByteArray& type) {
  static const QSet<QByteArray> kPseudo = {
      "autofs",   "binfmt_misc", "bpf",      "cgroup",  "cgroup2",    "configfs", "debugfs",
      "devpts",   "devtmpfs",    "efivarfs", "fusectl", "hugetlbfs",  "mqueue",   "nsfs",
      "overlay",  "proc",        "pstore",   "ramfs",   "rpc_pipefs", "securityfs", "sysfs",
      "tmpfs",    "tracefs",     "none",
  };
  return kPseudo.contains(type);
}

bool IsVolumeFolder(const QString& mountPoint) {
  static const char* const kPrefixes[] = {"/mnt/", "/media/", "/run/media/"};
  if (mountPoint == QLatin1String("/mnt")) return true;
  for (const char* prefix : kPrefixes)
    if (mountPoint.startsWith(QLatin1String(prefix)) && mountPoint.size() > int(qstrlen(prefix))) return true;
  return false;
}

// Mount tables write a space as \040, a tab as \011, a newline as \012 and a
// backslash as \134.
QByteArray Unescape(const QByteArray& field) {
  QByteArray out;
  out.reserve(field.size());
  for (int i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '\\' && i + 3 < field.size()) {
      bool ok = false;
      const int code = field.mid(i + 1, 3).toInt(&ok, 8);
      if (ok && code > 0 && code < 256) {
        out.append(char(code));
        i += 3;
        continue;
      }
    }
    out.append(c);
  }
  return out;
}

}  // namespace

QStringList VolumeMountPoints(const QByteArray& mountTable) {
  QStringList points;
  for (const QByteArray& line : mountTable.split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() < 3) continue;
    if (IsPseudoFileSystem(fields[2])) continue;
    QString point = QFile::decodeName(Unescape(fields[1]));
    while (point.size() > 1 && point.endsWith(QLatin1Char('/'))) point.chop(1);
    if (IsVolumeFolder(point) && !points.contains(point)) points.append(point);
  }
  points.sort();
  return points;
}

QStringList MountedVolumes() {
  QFile table(QStringLiteral("/proc/self/mounts"));
  if (!table.open(QIODevice::ReadOnly)) return {};
  QStringList volumes;
  for (const QString& point : VolumeMountPoints(table.readAll()))
    if (QFileInfo(point).isDir()) volumes.append(point);
  return volumes;
}
