#include "platform/shell/HelpFile.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr qint64 kMaxHelpFileBytes = 4 * 1024 * 1024;

bool IsTopicLine(const QString& line) {
  return line.startsWith(QLatin1String("== ")) && line.endsWith(QLatin1String(" ==")) && line.size() > 6;
}

}  // namespace

HelpDocument ParseHelpText(const QString& text) {
  HelpDocument document;
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  HelpTopic* topic = nullptr;
  for (const QString& line : lines) {
    if (IsTopicLine(line)) {
      document.topics.push_back(HelpTopic{line.mid(3, line.size() - 6).trimmed(), {}, {}});
      topic = &document.topics.back();
    } else if (!topic) {
      if (line.startsWith(QLatin1String("Title:"))) document.title = line.mid(6).trimmed();
    } else if (topic->lines.isEmpty() && line.startsWith(QLatin1String("Keywords:"))) {
      for (const QString& keyword : line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (!keyword.trimmed().isEmpty()) topic->keywords << keyword.trimmed();
      }
    } else if (!topic->lines.isEmpty() || !line.trimmed().isEmpty()) {
      topic->lines << line;
    }
  }
  for (HelpTopic& t : document.topics) {
    while (!t.lines.isEmpty() && t.lines.last().trimmed().isEmpty()) t.lines.removeLast();
  }
  return document;
}

bool ReadHelpFile(const QString& path, HelpDocument* document, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("Cannot open the help file %1: %2").arg(path, file.errorString());
    return false;
  }
  *document = ParseHelpText(QString::fromUtf8(file.read(kMaxHelpFileBytes)));
  if (document->topics.isEmpty()) {
    if (error) *error = QStringLiteral("The help file %1 has no topics.").arg(path);
    return false;
  }
  return true;
}

QString TopicHtml(const HelpTopic& topic) {
  enum class Block { None, Paragraph, List, Pre };
  QString html = QStringLiteral("<h2>%1</h2>\n").arg(topic.title.toHtmlEscaped());
  Block open = Block::None;
  int blankLinesInPre = 0;  // written only when the block goes on after them
  auto close = [&] {
    static const char* const ends[] = {"", "</p>\n", "</li></ul>\n", "</pre>\n"};
    html += QLatin1String(ends[static_cast<int>(open)]);
    open = Block::None;
    blankLinesInPre = 0;
  };
  for (const QString& line : topic.lines) {
    if (line.trimmed().isEmpty()) {
      if (open == Block::Pre)
        ++blankLinesInPre;
      else
        close();
    } else if (line.startsWith(QLatin1String("    "))) {
      if (open != Block::Pre) {
        close();
        html += QLatin1String("<pre>");
        open = Block::Pre;
      } else {
        html += QString(blankLinesInPre + 1, QLatin1Char('\n'));
        blankLinesInPre = 0;
      }
      html += line.mid(4).toHtmlEscaped();
    } else if (line.startsWith(QLatin1String("- "))) {
      if (open == Block::List) {
        html += QLatin1String("</li><li>");
      } else {
        close();
        html += QLatin1String("<ul><li>");
        open = Block::List;
      }
      html += line.mid(2).trimmed().toHtmlEscaped();
    } else {
      // A plain line goes on with a list item or a paragraph, or starts a paragraph.
      if (open == Block::Pre) close();
      if (open == Block::None) {
        html += QLatin1String("<p>");
        open = Block::Paragraph;
      } else {
        html += QLatin1Char(' ');
      }
      html += line.trimmed().toHtmlEscaped();
    }
  }
  close();
  return html;
}

QVector<HelpIndexEntry> KeywordIndex(const HelpDocument& document) {
  QVector<HelpIndexEntry> index;
  for (int t = 0; t < document.topics.size(); ++t) {
    for (const QString& keyword : document.topics[t].keywords) index.push_back({keyword, t});
  }
  std::stable_sort(index.begin(), index.end(), [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
    return QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive) < 0;
  });
  return index;
}

bool KeywordMatches(const QString& keyword, const QString& typed) {
  const QString wanted = typed.trimmed();
  if (wanted.isEmpty()) return true;
  if (keyword.startsWith(wanted, Qt::CaseInsensitive)) return true;
  static const QRegularExpression wordStart(QStringLiteral("[\\s\\-/(]+"));
  const QStringList words = keyword.split(wordStart, Qt::SkipEmptyParts);
  return std::any_of(words.begin(), words.end(),
                     [&](const QString& word) { return word.startsWith(wanted, Qt::CaseInsensitive); });
}
