#include "app/engine/mUtils.h"

#include <QDir>

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
