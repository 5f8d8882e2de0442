#include <gtest/gtest.h>

#include "app/settings/ChoiceLists.h"
#include "app/settings/RecordOptions.h"
#include "app/settings/SettingsFormat.h"
#include "tests/app/settings/RecordBytes.h"

namespace {

TEST(RecordOptions, GivesTheStoredOptionsInRange) {
  SettingsRecord r = DecodeSettings(SampleRecordBytes());
  r.thumbWidth = 5;          // below 16
  r.alignmentIndex = 9;      // past "Left"
  r.repeatIndexAtTop = 1;    // not 0: on
  const ThumbnailOptions t = ThumbnailOptionsOf(r);
  EXPECT_EQ(t.thumbStyleIndex, 2);
  EXPECT_EQ(t.thumbWidth, 16);
  EXPECT_EQ(t.thumbHeight, 140);
  EXPECT_EQ(t.thumbBackImage, "/home/ann/bg.png");
  EXPECT_EQ(t.resampleIndex, 5);
  EXPECT_EQ(t.prefix, "TH_");
  EXPECT_EQ(t.outputFormatIndex, 4);
  const AlbumOptions a = AlbumOptionsOf(r);
  EXPECT_EQ(a.alignment, "Left");
  EXPECT_TRUE(a.repeatIndexAtTop);
  EXPECT_EQ(a.pageTitle, "Trip");
  EXPECT_EQ(a.captionFontColor, 0x00000080u);
  EXPECT_FALSE(a.noTableFormatting);

  SettingsRecord back;
  StoreThumbnailOptions(back, t);
  StoreAlbumOptions(back, a);
  EXPECT_EQ(back.thumbWidth, 16);
  EXPECT_EQ(back.alignmentIndex, 3);
  EXPECT_EQ(back.repeatIndexAtTop, -1);
  EXPECT_EQ(back.saveFolders, 0);  // flags and folders are not options
}

TEST(RecordOptions, DefaultOptionsStoredGiveTheControlStartValues) {
  SettingsRecord r;
  StoreThumbnailOptions(r, ThumbnailOptions());
  StoreAlbumOptions(r, AlbumOptions());
  const QByteArray b = EncodeSettings(r);
  EXPECT_EQ(Le16(b, 24), 120);            // thumbWidth
  EXPECT_EQ(b.mid(38, 5), QByteArray("\x03\x00TH_", 5));
  // alignmentIndex: 72 plus "TH_", "Gallery" twice, "gallery" and "thumbs".
  EXPECT_EQ(Le16(b, 72 + 3 + 7 + 7 + 7 + 6), 1);
}

TEST(ChoiceLists, SixListsInFillingOrderWithTheirStartEntries) {
  const auto& lists = StartupChoiceLists();
  ASSERT_EQ(lists.size(), 6u);
  struct Expected {
    ListControl control;
    int count;
    QString start;
  };
  const Expected expected[] = {
      {ListControl::ComboFilter, 35, "All Supported Formats"},
      {ListControl::ComboOutputFormat, 9, "JPEG(*.jpg)"},
      {ListControl::ComboResizeMethod, 4, "Maintain Aspect Ratio"},
      {ListControl::comboResampleMethod, 7, "None"},
      {ListControl::cboAlign, 4, "Center"},
      {ListControl::cboThumbStyle, 4, "Normal (Thumb Image Only)"},
  };
  for (size_t i = 0; i < lists.size(); ++i) {
    EXPECT_EQ(lists[i].control, expected[i].control) << i;
    EXPECT_EQ(lists[i].entries->size(), expected[i].count) << i;
    EXPECT_EQ(lists[i].entries->at(lists[i].start), expected[i].start) << i;
  }
  EXPECT_EQ(FileMaskTexts().at(28), "All Files(*.*)");  // --mask 28 stays every file
  EXPECT_EQ(OutputFormatTexts().at(6), "Tagged Image File Format(*.tif)");  // settings files keep 0-6
}

}  // namespace
