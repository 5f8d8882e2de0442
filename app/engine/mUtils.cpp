#include "app/engine/mUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == QLatin1Char(' ')) ++first;
  while (last > first && text[last - 1] == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

QString AddBackslash(const QString& path) {
  const QChar sep = QDir::separator();
  if (path.endsWith(sep)) return path;
  return path + sep;
}

QString TemporarySiblingPath(const QString& target) {
  const QFileInfo info(target);
  const QString folder = info.path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name = QStringLiteral(".%1.%2.part")
                             .arg(info.fileName())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QString candidate = AddBackslash(folder) + name;
    if (!QFileInfo::exists(candidate)) return candidate;
  }
  return target + QStringLiteral(".part");
}

bool ReplaceWithFile(const QString& temporary, const QString& target) {
  // rename(2) replaces the target atomically; QFile::rename refuses to.
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) == 0)
    return true;
  QFile::remove(temporary);
  return false;
}
