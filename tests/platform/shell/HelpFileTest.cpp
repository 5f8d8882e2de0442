// Reading the help file's markup: topics, keywords, body blocks, the index.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/shell/HelpFile.h"

namespace {
const char kSample[] =
    "Title: Sample Help\r\n"
    "text before the first topic is ignored\n"
    "\n"
    "== First steps ==\n"
    "Keywords: start; Steps ;; folders\n"
    "\n"
    "One line\n"
    "and its continuation.\n"
    "\n"
    "- item <one>\n"
    "  goes on\n"
    "- item two\n"
    "    cmd --a\n"
    "\n"
    "    cmd --b\n"
    "\n"
    "Keywords: not a keyword line here\n"
    "\n"
    "\n"
    "== Second ==\n"
    "Body & more\n";
}  // namespace

TEST(HelpFile, ParsesTopicsKeywordsAndBody) {
  const HelpDocument doc = ParseHelpText(QString::fromUtf8(kSample));
  EXPECT_EQ(doc.title, QStringLiteral("Sample Help"));
  ASSERT_EQ(doc.topics.size(), 2);
  EXPECT_EQ(doc.topics[0].title, QStringLiteral("First steps"));
  EXPECT_EQ(doc.topics[0].keywords, QStringList({"start", "Steps", "folders"}));
  EXPECT_EQ(doc.topics[0].lines.first(), QStringLiteral("One line"));
  EXPECT_EQ(doc.topics[0].lines.last(), QStringLiteral("Keywords: not a keyword line here"));
  EXPECT_TRUE(doc.topics[1].keywords.isEmpty());

  EXPECT_EQ(TopicHtml(doc.topics[0]),
            QStringLiteral("<h2>First steps</h2>\n"
                           "<p>One line and its continuation.</p>\n"
                           "<ul><li>item &lt;one&gt; goes on</li><li>item two</li></ul>\n"
                           "<pre>cmd --a\n\ncmd --b</pre>\n"
                           "<p>Keywords: not a keyword line here</p>\n"));
  EXPECT_EQ(TopicHtml(doc.topics[1]), QStringLiteral("<h2>Second</h2>\n<p>Body &amp; more</p>\n"));
}

TEST(HelpFile, IndexIsSortedAndMatchesWordStarts) {
  const HelpDocument doc = ParseHelpText(QStringLiteral(
      "== A ==\nKeywords: thumbnail style; Batch\n== B ==\nKeywords: album; batch\n"));
  const QVector<HelpIndexEntry> index = KeywordIndex(doc);
  ASSERT_EQ(index.size(), 4);
  EXPECT_EQ(index[0].keyword, QStringLiteral("album"));
  EXPECT_EQ(index[1].keyword, QStringLiteral("Batch"));
  EXPECT_EQ(index[1].topic, 0);
  EXPECT_EQ(index[2].topic, 1);
  EXPECT_EQ(index[3].keyword, QStringLiteral("thumbnail style"));

  const struct {
    const char* keyword;
    const char* typed;
    bool matches;
  } cases[] = {
      {"thumbnail style", "", true},     {"thumbnail style", "THU", true}, {"thumbnail style", "sty", true},
      {"thumbnail style", "nail", false}, {"quillmora-batch", "batch", true}, {"Ctrl", " ctrl ", true},
      {"album", "albums", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(KeywordMatches(QString::fromLatin1(c.keyword), QString::fromLatin1(c.typed)), c.matches)
        << c.keyword << " / " << c.typed;
}

TEST(HelpFile, MissingOrEmptyFileIsAnError) {
  QTemporaryDir dir;
  HelpDocument doc;
  QString error;
  EXPECT_FALSE(ReadHelpFile(dir.filePath(QStringLiteral("none.hlp")), &doc, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("none.hlp")));
  QFile empty(dir.filePath(QStringLiteral("empty.hlp")));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.write("Title: nothing\n");
  empty.close();
  EXPECT_FALSE(ReadHelpFile(empty.fileName(), &doc, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("no topics")));
}
