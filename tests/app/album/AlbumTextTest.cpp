// Colour texts, escaping, page encoding and caption fitting.
#include <gtest/gtest.h>

#include "tests/app/album/QStringPrinter.h"

#include "app/album/AlbumText.h"
#include "app/engine/mUtils.h"
#include "app/album/FitCaption.h"

namespace {

TEST(HtmlColorText, WritesRedGreenBlueFromTheLow24Bits) {
  const struct {
    ColorValue color;
    const char* text;
  } cases[] = {
      {0x000000, "#000000"},
      {0x0000FF, "#FF0000"},
      {0x00FF00, "#00FF00"},
      {0xFF0000, "#0000FF"},
      {0x808080, "#808080"},
      {0xC0FFFF, "#FFFFC0"},
      {0x808000, "#008080"},
      {0xFFFFFF, "#FFFFFF"},
      {0x0A0B0C, "#0C0B0A"},
      {SystemColor(COLOR_WINDOW), "#050000"},      // 0x80000005
      {SystemColor(COLOR_BTNFACE), "#0F0000"},     // 0x8000000F
      {0xFF123456, "#563412"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlColorText(c.color), QString::fromLatin1(c.text)) << c.text;
}

TEST(EscapePercent20, EscapesOnlyPercent20) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"my%20photo.jpg", "my%2520photo.jpg"},
      {"%20%20", "%2520%2520"},
      {"a%2520b", "a%2520b"},  // already escaped: no "%20" in it
      {"%2", "%2"},
      {"100%.jpg", "100%.jpg"},
      {"%2a b.jpg", "%2a b.jpg"},
      {"plain name.jpg", "plain name.jpg"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapePercent20(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(EscapeLinkPath, EncodesWhatABrowserWouldNotKeepAndNothingElse) {
  const struct {
    QString in;
    QString out;
  } cases[] = {
      // Characters that end or bend the path.
      {QStringLiteral("a#1.jpg"), QStringLiteral("a%231.jpg")},
      {QStringLiteral("what?.jpg"), QStringLiteral("what%3F.jpg")},
      {QStringLiteral("back\\slash.jpg"), QStringLiteral("back%5Cslash.jpg")},
      {QStringLiteral("##??\\\\"), QStringLiteral("%23%23%3F%3F%5C%5C")},
      // Controls, from their UTF-8 bytes.
      {QStringLiteral("tab\there.jpg"), QStringLiteral("tab%09here.jpg")},
      {QStringLiteral("cr\r\nlf"), QStringLiteral("cr%0D%0Alf")},
      {QString(QChar(1)) + QChar(0x1F) + QChar(0x7F), QStringLiteral("%01%1F%7F")},
      {QStringLiteral("c1\u0085\u009F.jpg"), QStringLiteral("c1%C2%85%C2%9F.jpg")},
      // "%" only before two hex digits, of either case.
      {QStringLiteral("my%20photo.jpg"), QStringLiteral("my%2520photo.jpg")},
      {QStringLiteral("50%25off.jpg"), QStringLiteral("50%2525off.jpg")},
      {QStringLiteral("%41"), QStringLiteral("%2541")},
      {QStringLiteral("%2a%Fe"), QStringLiteral("%252a%25Fe")},
      {QStringLiteral("%%41"), QStringLiteral("%%2541")},
      {QStringLiteral("%2"), QStringLiteral("%2")},
      {QStringLiteral("%zz"), QStringLiteral("%zz")},
      {QStringLiteral("%4g.jpg"), QStringLiteral("%4g.jpg")},
      {QStringLiteral("100%"), QStringLiteral("100%")},
      // Blanks only at the ends, a colon only where it would end a scheme.
      {QStringLiteral(" lead.jpg"), QStringLiteral("%20lead.jpg")},
      {QStringLiteral("trail.jpg "), QStringLiteral("trail.jpg%20")},
      {QStringLiteral("  two  "), QStringLiteral("%20 two %20")},
      {QStringLiteral(" "), QStringLiteral("%20")},
      {QStringLiteral("photo:1.jpg"), QStringLiteral("photo%3A1.jpg")},
      {QStringLiteral("c:x.jpg"), QStringLiteral("c%3Ax.jpg")},
      {QStringLiteral("a+b.c-d:e:f"), QStringLiteral("a+b.c-d%3Ae:f")},
      // Percent-encoding comes first, markup escaping after it.
      {QStringLiteral("fish & \"chips\" <1>.jpg"), QStringLiteral("fish &amp; &quot;chips&quot; &lt;1&gt;.jpg")},
      {QStringLiteral("a&#1;.jpg"), QStringLiteral("a&amp;%231;.jpg")},
      {QStringLiteral("%26amp;"), QStringLiteral("%2526amp;")},
      // Names that stay as they are.
      {QStringLiteral("plain name.jpg"), QStringLiteral("plain name.jpg")},
      {QStringLiteral("thumbs/TH_p01.jpg"), QStringLiteral("thumbs/TH_p01.jpg")},
      {QStringLiteral("thumbs/photo:1.jpg"), QStringLiteral("thumbs/photo:1.jpg")},
      {QStringLiteral("12:30 sunset.jpg"), QStringLiteral("12:30 sunset.jpg")},
      {QStringLiteral("IMG 12:30.jpg"), QStringLiteral("IMG 12:30.jpg")},
      {QStringLiteral("it's (1) +[2]=!~;,@$.tar.gz"), QStringLiteral("it's (1) +[2]=!~;,@$.tar.gz")},
      {QStringLiteral("caf\u00E9 \u00A0\u00FF \u0444\u043E\u0442\u043E \u20AC.jpg"),
       QStringLiteral("caf\u00E9 \u00A0\u00FF \u0444\u043E\u0442\u043E \u20AC.jpg")},
      {QString::fromUtf8("sun \xF0\x9F\x8C\x9E.png"), QString::fromUtf8("sun \xF0\x9F\x8C\x9E.png")},
      {QString(), QString()},
  };
  for (const auto& c : cases) EXPECT_EQ(EscapeLinkPath(c.in), c.out) << c.in.toStdString();
}

TEST(EscapeMarkup, EscapesTheFourMarkupCharacters) {
  EXPECT_EQ(EscapeMarkup(QStringLiteral("a&b <c> \"d\" 'e'.jpg")),
            QStringLiteral("a&amp;b &lt;c&gt; &quot;d&quot; 'e'.jpg"));
  EXPECT_EQ(EscapeMarkup(QStringLiteral("&amp;")), QStringLiteral("&amp;amp;"));
}

TEST(TrimBlanks, RemovesOnlyLeadingAndTrailingSpaces) {
  EXPECT_EQ(TrimBlanks(QStringLiteral("  thumbs  ")), QStringLiteral("thumbs"));
  EXPECT_EQ(TrimBlanks(QStringLiteral(" a b ")), QStringLiteral("a b"));
  EXPECT_EQ(TrimBlanks(QStringLiteral("\tx\t")), QStringLiteral("\tx\t"));
  EXPECT_EQ(TrimBlanks(QStringLiteral("   ")), QString());
}

TEST(EncodePageText, Latin1IsOneByteAndEverythingElseACharacterReference) {
  const struct {
    QString in;
    QByteArray out;
  } cases[] = {
      {QStringLiteral("Copyright \u00A9"), QByteArray("Copyright \xA9")},
      {QStringLiteral("caf\u00E9 \u00FF"), QByteArray("caf\xE9 \xFF")},
      {QStringLiteral("\u0444\u043E\u0442\u043E"), QByteArray("&#1092;&#1086;&#1090;&#1086;")},
      {QStringLiteral("\u20AC1"), QByteArray("&#8364;1")},
      {QString::fromUtf8("sun \xF0\x9F\x8C\x9E"), QByteArray("sun &#127774;")},  // a pair is one reference
      {QString(QChar(0xD800)) + QLatin1Char('x'), QByteArray("&#65533;x")},
      {QStringLiteral("\r\n\t"), QByteArray("\r\n\t")},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodePageText(c.in), c.out) << c.in.toStdString();
}

// Every character is 10 pixels wide, so limits are easy to reason about.
int TenPerCharacter(const QString& text) { return 10 * static_cast<int>(text.size()); }

TEST(FitCaption, CutsTooWideCaptionsAndAppendsDots) {
  const struct {
    const char* caption;
    int surfaceWidth;
    const char* fitted;
  } cases[] = {
      {"abcdefghij", 120, "abcdefghij"},    // 100 = limit: fits
      {"abcdefghijk", 120, "abcdefg..."},   // 110 > 100: cut to 100 - 30
      {"short", 120, "short"},
      {"", 120, ""},
      {"", 10, "..."},                       // below zero even the empty caption is too wide
      {"abcdefghijk", 51, "..."},           // limit 31 - 30 = 1: no character fits
      {"abcdefghijk", 49, "..."},           // narrower than 20 plus "..."
      {"abcdefghijk", 10, "..."},           // negative limit
      {"abcdefghijklmnopqrstuvwxyz", 81, "abc..."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FitCaption(QString::fromLatin1(c.caption), c.surfaceWidth, TenPerCharacter), QString::fromLatin1(c.fitted))
        << c.caption << " at " << c.surfaceWidth;
}

TEST(FitCaption, MeasuresWithTheGivenFunction) {
  // Wide letters: "W" 30 pixels, others 5; "..." is 15.
  const TextWidthFunction width = [](const QString& text) {
    int w = 0;
    for (const QChar ch : text) w += ch == QLatin1Char('W') ? 30 : 5;
    return w;
  };
  EXPECT_EQ(FitCaption(QStringLiteral("WWWa"), 115, width), QStringLiteral("WWWa"));   // 95 fits 95
  EXPECT_EQ(FitCaption(QStringLiteral("WWWab"), 115, width), QStringLiteral("WW..."));  // 100 > 95; limit 80
  EXPECT_EQ(FitCaption(QStringLiteral("aWWWW"), 115, width), QStringLiteral("aWW..."));
}

TEST(FitCaption, NeverSplitsACharacterOutsideTheBasicPlane) {
  // Each code unit 10 pixels: the emoji is 20.
  const QString sun = QString::fromUtf8("\xF0\x9F\x8C\x9E");
  const QString caption = QStringLiteral("ab") + sun + sun + sun + sun;  // 100 pixels
  // Limit 85, then 55: cutting by code units would stop at 50, half an emoji.
  EXPECT_EQ(FitCaption(caption, 105, TenPerCharacter), QStringLiteral("ab") + sun + QStringLiteral("..."));
}

TEST(FitCaption, WithoutAMeasureTheCaptionStays) {
  EXPECT_EQ(FitCaption(QStringLiteral("anything at all"), 0, TextWidthFunction()), QStringLiteral("anything at all"));
}

}  // namespace
