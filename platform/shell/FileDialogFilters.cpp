#include "platform/shell/FileDialogFilters.h"

QStringList NameFiltersFromFilterText(const QString& filterText) {
  const QStringList pieces = filterText.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < pieces.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : pieces[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      if (trimmed.isEmpty()) continue;
      patterns.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
    patterns.removeDuplicates();
    filters.append(pieces[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
  }
  return filters;
}
