#include <gtest/gtest.h>

#include <QString>

#include "app/settings/SettingsFormat.h"
#include "tests/app/settings/RecordBytes.h"

namespace {

// Every field set to a value of its own, texts left empty.
SettingsRecord DistinctRecord() {
  SettingsRecord r;
  r.saveFolders = -1;
  r.autoCreateDestination = 0x0102;
  r.autoSelectAll = 0x0103;
  r.saveImageSettings = 0x0104;
  r.saveHtmlSettings = 0x0105;
  r.saveThumbPageSettings = 0x0106;
  r.saveTableSettings = 0x0107;
  r.alwaysCreateHtml = 0x0108;
  r.autoViewGallery = 0x0109;
  r.thumbStyleIndex = 0x0112;
  r.thumbWidth = 25000;
  r.thumbHeight = -16;
  r.thumbBackColor = 0x80000005;
  r.resampleIndex = 0x0117;
  r.imagePadding = 0x0118;
  r.outputFormatIndex = 0x0121;
  r.headerColor = 0x00112233;
  r.pageColor = 0x00445566;
  r.headerSize = 0x0126;
  r.indexSize = 0x0127;
  r.repeatIndexAtTop = 0x0131;
  r.rowsPerPage = 0x0132;
  r.columnsPerRow = 0x0133;
  r.alignmentIndex = 0x0134;
  r.cellPadding = 0x0135;
  r.cellSpacing = 0x0136;
  r.borderWidth = 0x0137;
  r.borderColor = 0x00778899;
  r.cellColor = 0x00AABBCC;
  r.captionBackColor = 0x00DDEEFF;
  r.tableColor = 0x00010203;
  r.captionFontColor = 0x00040506;
  r.captionFontSize = 0x0143;
  r.reserved44 = 0x0144;
  r.reserved45 = -0x0145;
  return r;
}

TEST(SettingsFormat, RecordWithEmptyTextsIs106BytesWithEveryFieldAtItsOffset) {
  const QByteArray b = EncodeSettings(DistinctRecord());
  ASSERT_EQ(b.size(), 106);
  struct Field {
    const char* name;
    int offset;
    int width;  // 2 or 4 bytes
    int64_t value;
  };
  const Field fields[] = {
      {"saveFolders", 0, 2, -1},           {"autoCreateDestination", 2, 2, 0x0102},
      {"autoSelectAll", 4, 2, 0x0103},     {"saveImageSettings", 6, 2, 0x0104},
      {"saveHtmlSettings", 8, 2, 0x0105},  {"saveThumbPageSettings", 10, 2, 0x0106},
      {"saveTableSettings", 12, 2, 0x0107}, {"alwaysCreateHtml", 14, 2, 0x0108},
      {"autoViewGallery", 16, 2, 0x0109},  {"sourceFolder length", 18, 2, 0},
      {"destinationFolder length", 20, 2, 0}, {"thumbStyleIndex", 22, 2, 0x0112},
      {"thumbWidth", 24, 2, 25000},        {"thumbHeight", 26, 2, -16},
      {"thumbBackColor", 28, 4, 0x80000005}, {"thumbBackImage length", 32, 2, 0},
      {"resampleIndex", 34, 2, 0x0117},    {"imagePadding", 36, 2, 0x0118},
      {"prefix length", 38, 2, 0},         {"suffix length", 40, 2, 0},
      {"outputFormatIndex", 42, 2, 0x0121}, {"pageTitle length", 44, 2, 0},
      {"pageHeader length", 46, 2, 0},     {"headerColor", 48, 4, 0x00112233},
      {"pageColor", 52, 4, 0x00445566},    {"headerSize", 56, 2, 0x0126},
      {"indexSize", 58, 2, 0x0127},        {"backgroundImage length", 60, 2, 0},
      {"pageFileName length", 62, 2, 0},   {"thumbFolderName length", 64, 2, 0},
      {"repeatIndexAtTop", 66, 2, 0x0131}, {"rowsPerPage", 68, 2, 0x0132},
      {"columnsPerRow", 70, 2, 0x0133},    {"alignmentIndex", 72, 2, 0x0134},
      {"cellPadding", 74, 2, 0x0135},      {"cellSpacing", 76, 2, 0x0136},
      {"borderWidth", 78, 2, 0x0137},      {"borderColor", 80, 4, 0x00778899},
      {"cellColor", 84, 4, 0x00AABBCC},    {"captionBackColor", 88, 4, 0x00DDEEFF},
      {"tableColor", 92, 4, 0x00010203},   {"captionFontColor", 96, 4, 0x00040506},
      {"captionFontSize", 100, 2, 0x0143}, {"reserved 44", 102, 2, 0x0144},
      {"reserved 45", 104, 2, -0x0145},
  };
  for (const Field& f : fields) {
    const int64_t actual = f.width == 2 ? int64_t{Le16(b, f.offset)} : int64_t{Le32(b, f.offset)};
    EXPECT_EQ(actual, f.value) << f.name << " at offset " << f.offset;
  }
}

TEST(SettingsFormat, ThumbFolderNameIsLengthThenBytes) {
  SettingsRecord r;
  r.thumbFolderName = QStringLiteral("thumbs");
  const QByteArray b = EncodeSettings(r);
  ASSERT_EQ(b.size(), 112);
  EXPECT_EQ(b.mid(64, 8), QByteArray("\x06\x00thumbs", 8));
}

TEST(SettingsFormat, ReadsEveryFieldOfAHandWrittenFile) {
  const SettingsRecord r = DecodeSettings(SampleRecordBytes());
  EXPECT_EQ(r.saveFolders, -1);
  EXPECT_EQ(r.autoCreateDestination, 0);
  EXPECT_EQ(r.sourceFolder, "/home/ann/photos");
  EXPECT_EQ(r.destinationFolder, "/home/ann/web");
  EXPECT_EQ(r.thumbStyleIndex, 2);
  EXPECT_EQ(r.thumbWidth, 160);
  EXPECT_EQ(r.thumbHeight, 140);
  EXPECT_EQ(r.thumbBackColor, 0x00C0C0C0u);
  EXPECT_EQ(r.thumbBackImage, "/home/ann/bg.png");
  EXPECT_EQ(r.resampleIndex, 5);
  EXPECT_EQ(r.imagePadding, 8);
  EXPECT_EQ(r.prefix, "TH_");
  EXPECT_EQ(r.suffix, "_s");
  EXPECT_EQ(r.outputFormatIndex, 4);
  EXPECT_EQ(r.pageTitle, "Trip");
  EXPECT_EQ(r.pageHeader, "Our trip");
  EXPECT_EQ(r.headerColor, 0x000000FFu);
  EXPECT_EQ(r.pageColor, 0x00FFFFFFu);
  EXPECT_EQ(r.headerSize, 3);
  EXPECT_EQ(r.indexSize, 2);
  EXPECT_EQ(r.backgroundImage, "bg.gif");
  EXPECT_EQ(r.pageFileName, "gallery");
  EXPECT_EQ(r.thumbFolderName, "thumbs");
  EXPECT_EQ(r.repeatIndexAtTop, -1);
  EXPECT_EQ(r.rowsPerPage, 7);
  EXPECT_EQ(r.borderWidth, 1);
  EXPECT_EQ(r.captionFontColor, 0x00000080u);
  EXPECT_EQ(r.captionFontSize, 3);
  EXPECT_EQ(r.reserved44, 0x1234);
  EXPECT_EQ(r.reserved45, -2);
  // Written back byte for byte, reserved fields included.
  EXPECT_EQ(EncodeSettings(r), SampleRecordBytes());
}

TEST(SettingsFormat, OnlyMinusOneCountsAsOn) {
  struct Case {
    int16_t stored;
    bool on;
  };
  for (const Case c : {Case{-1, true}, Case{1, false}, Case{0, false}, Case{-2, false}, Case{0x7FFF, false}}) {
    const SettingsRecord r = DecodeSettings(RecordBytes().i16(c.stored).i16(c.stored).bytes());
    EXPECT_EQ(PreferenceOn(r, Preference::SaveFolders), c.on) << c.stored;
    EXPECT_EQ(PreferenceOn(r, Preference::AutoCreateDestination), c.on) << c.stored;
  }
}

TEST(SettingsFormat, ShortOrOverrunningDataReadsTheRestAsZeroOrEmpty) {
  const QByteArray full = SampleRecordBytes();
  const SettingsRecord whole = DecodeSettings(full);

  // Cut inside the thumbnail width: style is whole, width is half there.
  const int widthOffset = 18 + 2 + 16 + 2 + 13 + 2;
  SettingsRecord r = DecodeSettings(full.left(widthOffset + 1));
  EXPECT_EQ(r.destinationFolder, "/home/ann/web");
  EXPECT_EQ(r.thumbStyleIndex, 2);
  EXPECT_EQ(r.thumbWidth, 0);
  EXPECT_EQ(r.thumbBackColor, 0u);
  EXPECT_EQ(r.prefix, "");
  EXPECT_EQ(r.reserved45, 0);

  // Cut inside the text of the source folder.
  r = DecodeSettings(full.left(18 + 2 + 5));
  EXPECT_EQ(r.saveFolders, -1);
  EXPECT_EQ(r.sourceFolder, "");
  EXPECT_EQ(r.destinationFolder, "");

  // A text length running far past the end of the data.
  r = DecodeSettings(RecordBytes().i16(-1).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0)
                         .i16(-1).bytes() + QByteArray(200, 'x'));
  EXPECT_EQ(r.saveFolders, -1);
  EXPECT_EQ(r.sourceFolder, "");
  EXPECT_EQ(r.thumbWidth, 0);

  // Nothing at all.
  EXPECT_EQ(DecodeSettings(QByteArray()), SettingsRecord());
  EXPECT_EQ(DecodeSettings(QByteArray(1, '\xFF')), SettingsRecord());

  // Bytes after the record are ignored.
  EXPECT_EQ(DecodeSettings(full + QByteArray("\x05\x00trail", 7)), whole);
}

TEST(SettingsFormat, NonAsciiFolderComesBackExactly) {
  SettingsRecord r;
  r.sourceFolder = QStringLiteral("/home/zo\u00EB/\u0424\u043E\u0442\u043E");
  const QByteArray b = EncodeSettings(r);
  const QByteArray utf8 = r.sourceFolder.toUtf8();
  EXPECT_EQ(Le16(b, 18), utf8.size());
  EXPECT_EQ(b.mid(20, utf8.size()), utf8);
  EXPECT_EQ(DecodeSettings(b).sourceFolder, r.sourceFolder);
}

TEST(SettingsFormat, OverlongTextIsCutAtACharacterBoundary) {
  struct Case {
    QString unit;  // repeated well past the limit
    int bytesPerUnit;
  };
  const Case cases[] = {
      {QStringLiteral("a"), 1},
      {QStringLiteral("\u00E9"), 2},
      {QStringLiteral("\u20AC"), 3},
      {QString::fromUtf8("\xF0\x9F\x93\xB7"), 4},  // a camera, outside the 16-bit plane
  };
  for (const Case& c : cases) {
    SettingsRecord r;
    r.prefix = c.unit.repeated(70000);
    r.suffix = QStringLiteral("end");
    const QByteArray b = EncodeSettings(r);
    const int expected = (0xFFFF / c.bytesPerUnit) * c.bytesPerUnit;
    EXPECT_EQ(static_cast<uint16_t>(Le16(b, 38)), expected) << c.bytesPerUnit;
    const SettingsRecord back = DecodeSettings(b);
    EXPECT_EQ(back.prefix, c.unit.repeated(expected / c.bytesPerUnit)) << c.bytesPerUnit;
    EXPECT_EQ(back.suffix, "end");
  }
}

}  // namespace

// A stored name part that would lead out of the destination folder is read at
// its default; names that stay inside come back as stored.
TEST(SettingsFormat, NamePartsThatLeaveTheDestinationReadAtTheirDefaults) {
  struct Case { const char* prefix; const char* suffix; const char* page; const char* folder; const char* want[4]; } cases[] = {
      {"../", "/x", "../pwn", "../../x", {"TH_", "", "gallery", "thumbs"}},
      {"a/b", "_s", "page", "..", {"TH_", "_s", "page", "thumbs"}},
      {"..", "..", "..", ".", {"..", "..", "..", "thumbs"}},  // dots alone name no folder in a file name
      {"P_", "", "my page", "thumbs 2", {"P_", "", "my page", "thumbs 2"}},
  };
  for (const auto& c : cases) {
    SettingsRecord r;
    r.prefix = c.prefix;
    r.suffix = c.suffix;
    r.pageFileName = c.page;
    r.thumbFolderName = c.folder;
    const SettingsRecord read = DecodeSettings(EncodeSettings(r));
    EXPECT_EQ(read.prefix, c.want[0]) << c.prefix;
    EXPECT_EQ(read.suffix, c.want[1]) << c.suffix;
    EXPECT_EQ(read.pageFileName, c.want[2]) << c.page;
    EXPECT_EQ(read.thumbFolderName, c.want[3]) << c.folder;
  }
}
