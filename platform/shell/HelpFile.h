#pragma once
// The help file: UTF-8 text in a small markup that the help viewer reads.
//
//   Title: Quillmora Help          the viewer's caption (optional, first)
//   == Getting started ==          a topic begins
//   Keywords: start; steps         the topic's index entries, separated by ";"
//   Text lines ...                 a paragraph; a blank line ends it
//   - item                         a list item
//       preformatted               four spaces: kept as typed (commands)
#include <QString>
#include <QStringList>
#include <QVector>

struct HelpTopic {
  QString title;
  QStringList keywords;
  QStringList lines;  // the body as written
};

struct HelpDocument {
  QString title;
  QVector<HelpTopic> topics;
};

struct HelpIndexEntry {
  QString keyword;
  int topic = 0;  // index into HelpDocument::topics
};

HelpDocument ParseHelpText(const QString& text);

// Reads and parses path. False with a description in error when the file
// cannot be read or holds no topic.
bool ReadHelpFile(const QString& path, HelpDocument* document, QString* error);

// The topic as HTML for a text browser: title, paragraphs, lists, preformatted blocks.
QString TopicHtml(const HelpTopic& topic);

// Every keyword of every topic, sorted case-insensitively; a keyword that
// several topics share appears once per topic.
QVector<HelpIndexEntry> KeywordIndex(const HelpDocument& document);

// True when typed is empty, or the keyword or one of its words starts with it
// (case-insensitively).
bool KeywordMatches(const QString& keyword, const QString& typed);
