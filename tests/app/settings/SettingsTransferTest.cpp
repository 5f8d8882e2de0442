#include <gtest/gtest.h>

#include "app/settings/SettingsFormat.h"
#include "app/settings/OptionValues.h"
#include "app/settings/SettingsTransfer.h"
#include "tests/app/settings/FakeOptionControls.h"
#include "tests/app/settings/RecordBytes.h"

namespace {

const QStringList kImageGroup{"cpThumbBack",       "txtThumbBackImage", "udImagePadding",      "udWid",
                              "udHgt",             "txtPrefix",         "txtSuffix",           "ComboOutputFormat",
                              "comboResampleMethod", "cboThumbStyle"};
const QStringList kPageGroup{"cpPage",        "txtHTMLBknd",     "udPageOpt0",      "cpHeaderColor",
                             "txtPageHeader", "udPageOpt1",      "txtPageFileName", "chkRepeatHeader",
                             "txtThumbDirName", "txtpageTitle"};
const QStringList kTableGroup{"cboAlign",    "cpBorder",    "udTableOpt4",    "cpCaptionBack",
                              "cpCell",      "udTableOpt2", "udTableOpt3",    "udTableOpt1",
                              "cpcapfontcolor", "udTableFont", "udTableOpt0", "cpTablecolor"};
const QStringList kFolders{"ftvSource", "ftvDest"};

TEST(ApplySettingsToControls, SetsTheGroupsTheFlagsAllowInOrder) {
  struct Case {
    const char* name;
    int16_t image, html, page, table, folders, alwaysHtml;
    QStringList expected;
  };
  const Case cases[] = {
      {"nothing", 0, 0, 0, 0, 0, 0, {}},
      {"image", -1, 0, 0, 0, 0, 0, kImageGroup},
      {"image stored as 1", 1, 0, 0, 0, 0, 0, {}},
      {"page and table without html", 0, 0, -1, -1, 0, 0, {}},
      {"html alone", 0, -1, 0, 0, 0, 0, {}},
      {"html and page", 0, -1, -1, 0, 0, 0, kPageGroup},
      {"html and table", 0, -1, 0, -1, 0, 0, kTableGroup},
      {"folders", 0, 0, 0, 0, -1, 0, kFolders},
      {"always html", 0, 0, 0, 0, 0, -1, {"ckHTML"}},
      {"all", -1, -1, -1, -1, -1, -1, kImageGroup + kPageGroup + kTableGroup + kFolders + QStringList{"ckHTML"}},
  };
  for (const Case& c : cases) {
    SettingsRecord r = DecodeSettings(SampleRecordBytes());
    r.saveImageSettings = c.image;
    r.saveHtmlSettings = c.html;
    r.saveThumbPageSettings = c.page;
    r.saveTableSettings = c.table;
    r.saveFolders = c.folders;
    r.alwaysCreateHtml = c.alwaysHtml;
    FakeOptionControls controls;
    ApplySettingsToControls(r, controls);
    EXPECT_EQ(controls.log, c.expected) << c.name;
  }
}

// Gathering is checked against hand-written bytes below; applying then
// gathering must give the file back, for the test controls and for plain values.
template <typename Controls>
void ExpectApplyThenGatherGivesTheFileBack() {
  const SettingsRecord r = DecodeSettings(SampleRecordBytes());  // every group's flag on
  Controls controls;
  ApplySettingsToControls(r, controls);
  SettingsRecord back = DefaultSettings();
  for (int p = 0; p < kPreferenceCount; ++p)
    PreferenceFlag(back, static_cast<Preference>(p)) = PreferenceFlag(r, static_cast<Preference>(p));
  back.sourceFolder = r.sourceFolder;
  back.destinationFolder = r.destinationFolder;
  back.reserved44 = r.reserved44;
  back.reserved45 = r.reserved45;
  GatherSettingsFromControls(controls, back);
  EXPECT_EQ(EncodeSettings(back), SampleRecordBytes());
}

TEST(ApplySettingsToControls, CopiesTheStoredValues) {
  ExpectApplyThenGatherGivesTheFileBack<FakeOptionControls>();
  ExpectApplyThenGatherGivesTheFileBack<OptionValues>();

  SettingsRecord r = DefaultSettings();
  r.saveImageSettings = r.saveHtmlSettings = r.saveThumbPageSettings = r.saveFolders = -1;
  r.repeatIndexAtTop = 1;  // any value but 0 checks the box
  r.sourceFolder = QStringLiteral("/src");
  FakeOptionControls c;
  ApplySettingsToControls(r, c);
  EXPECT_TRUE(c.checks[CheckControl::chkRepeatHeader]);
  EXPECT_EQ(c.folders[TreeControl::ftvSource], "/src");
  EXPECT_EQ(c.folders[TreeControl::ftvDest], "");
}

TEST(OptionValues, StartAtTheControlStartValuesAndTakeTheAllowedGroups) {
  SettingsRecord r = DecodeSettings(SampleRecordBytes());
  r.saveHtmlSettings = 0;
  OptionValues values;
  EXPECT_EQ(values.listIndex(ListControl::cboAlign), 1);
  EXPECT_EQ(values.listIndex(ListControl::ComboOutputFormat), 3);
  ApplySettingsToControls(r, values);
  EXPECT_EQ(values.thumbnail.thumbWidth, 160);
  EXPECT_EQ(values.thumbnail.suffix, "_s");
  EXPECT_EQ(values.album.pageTitle, "Gallery");  // page and table groups not applied
  EXPECT_EQ(values.album.rowsPerPage, 7);
  EXPECT_EQ(values.sourceFolder, "/home/ann/photos");
  EXPECT_TRUE(values.createHtml);
  values.setValue(NumberControl::udTableFont, 9);
  EXPECT_EQ(values.album.captionFontSize, 7);
}

TEST(ApplySettingsToControls, BringsStoredNumbersAndPositionsIntoRange) {
  SettingsRecord r = DefaultSettings();  // everything 0: below most minimums
  r.saveImageSettings = r.saveHtmlSettings = r.saveThumbPageSettings = r.saveTableSettings = -1;
  r.thumbHeight = 30000;
  r.imagePadding = -7;
  r.outputFormatIndex = 99;
  r.thumbStyleIndex = -3;
  r.headerSize = 73;
  r.columnsPerRow = 32767;
  r.borderWidth = 501;
  r.captionFontSize = -32768;
  r.alignmentIndex = 4;
  FakeOptionControls c;
  ApplySettingsToControls(r, c);
  EXPECT_EQ(c.outOfRange, 0);
  EXPECT_EQ(c.numbers[NumberControl::udWid], 16);
  EXPECT_EQ(c.numbers[NumberControl::udHgt], 25000);
  EXPECT_EQ(c.numbers[NumberControl::udImagePadding], 0);
  EXPECT_EQ(c.lists[ListControl::ComboOutputFormat], 6);
  EXPECT_EQ(c.lists[ListControl::cboThumbStyle], 0);
  EXPECT_EQ(c.numbers[NumberControl::udPageOpt0], 72);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt0], 1);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt1], 200);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt4], 500);
  EXPECT_EQ(c.numbers[NumberControl::udTableFont], 2);
  EXPECT_EQ(c.lists[ListControl::cboAlign], 3);
}

FakeOptionControls FilledControls() {
  FakeOptionControls c;
  c.colors = {{ColorControl::cpThumbBack, 0x0000FF00}, {ColorControl::cpPage, 0x00EEEEEE},
              {ColorControl::cpHeaderColor, 0x00000011}, {ColorControl::cpBorder, 0x00000022},
              {ColorControl::cpCaptionBack, 0x00000033}, {ColorControl::cpCell, 0x00000044},
              {ColorControl::cpcapfontcolor, 0x00000055}, {ColorControl::cpTablecolor, 0x00000066}};
  c.texts = {{TextControl::txtThumbBackImage, "  /img/back.png  "}, {TextControl::txtPrefix, " TH_ "},
             {TextControl::txtSuffix, "   "},                      {TextControl::txtHTMLBknd, "  back.gif "},
             {TextControl::txtPageHeader, " My  photos "},         {TextControl::txtPageFileName, "page "},
             {TextControl::txtThumbDirName, " small"},             {TextControl::txtpageTitle, "Title"}};
  c.numbers = {{NumberControl::udWid, 300},       {NumberControl::udHgt, 200},      {NumberControl::udImagePadding, 4},
               {NumberControl::udPageOpt0, 5},    {NumberControl::udPageOpt1, 6},   {NumberControl::udTableOpt0, 10},
               {NumberControl::udTableOpt1, 11},  {NumberControl::udTableOpt2, 12}, {NumberControl::udTableOpt3, 13},
               {NumberControl::udTableOpt4, 14},  {NumberControl::udTableFont, 6}};
  c.lists = {{ListControl::ComboOutputFormat, 1}, {ListControl::comboResampleMethod, 2},
             {ListControl::cboThumbStyle, 3},     {ListControl::cboAlign, 0}};
  c.checks = {{CheckControl::chkRepeatHeader, true}, {CheckControl::ckHTML, true}};
  return c;
}

TEST(GatherSettingsFromControls, StoresEveryOptionTextsTrimmedExceptTheBackgroundImage) {
  const FakeOptionControls c = FilledControls();
  SettingsRecord r = DecodeSettings(SampleRecordBytes());
  const SettingsRecord before = r;
  GatherSettingsFromControls(c, r);

  EXPECT_EQ(r.thumbBackImage, "/img/back.png");
  EXPECT_EQ(r.prefix, "TH_");
  EXPECT_EQ(r.suffix, "");
  EXPECT_EQ(r.backgroundImage, "  back.gif ");
  EXPECT_EQ(r.pageHeader, "My  photos");
  EXPECT_EQ(r.pageFileName, "page");
  EXPECT_EQ(r.thumbFolderName, "small");
  EXPECT_EQ(r.pageTitle, "Title");
  EXPECT_EQ(r.repeatIndexAtTop, -1);

  // The file holds the gathered values in file order; flags, folders and
  // reserved fields stay as they were.
  const QByteArray expected =
      RecordBytes()
          .i16(-1).i16(0).i16(-1).i16(-1).i16(-1).i16(-1).i16(-1).i16(-1).i16(0)
          .text("/home/ann/photos").text("/home/ann/web")
          .i16(3).i16(300).i16(200).i32(0x0000FF00).text("/img/back.png")
          .i16(2).i16(4).text("TH_").text("").i16(1)
          .text("Title").text("My  photos").i32(0x00000011).i32(0x00EEEEEE)
          .i16(5).i16(6).text("  back.gif ").text("page").text("small").i16(-1)
          .i16(10).i16(11).i16(0).i16(12).i16(13).i16(14)
          .i32(0x00000022).i32(0x00000044).i32(0x00000033).i32(0x00000066).i32(0x00000055)
          .i16(6).i16(0x1234).i16(-2)
          .bytes();
  EXPECT_EQ(EncodeSettings(r), expected);
  EXPECT_EQ(r.sourceFolder, before.sourceFolder);
  EXPECT_EQ(r.saveFolders, before.saveFolders);

  FakeOptionControls unchecked = FilledControls();
  unchecked.checks[CheckControl::chkRepeatHeader] = false;
  GatherSettingsFromControls(unchecked, r);
  EXPECT_EQ(r.repeatIndexAtTop, 0);
}

TEST(DefaultValues, ResetsTheTableValuesAndColoursOnly) {
  FakeOptionControls c = FilledControls();
  cmdDefault_Click(c);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt0], 7);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt1], 5);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt2], 2);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt3], 5);
  EXPECT_EQ(c.numbers[NumberControl::udTableOpt4], 1);
  EXPECT_EQ(c.numbers[NumberControl::udTableFont], 3);
  EXPECT_EQ(c.lists[ListControl::cboAlign], 1);
  EXPECT_EQ(c.colors[ColorControl::cpBorder], 0x000000u);
  EXPECT_EQ(c.colors[ColorControl::cpCell], 0x808080u);
  EXPECT_EQ(c.colors[ColorControl::cpCaptionBack], 0xC0FFFFu);
  EXPECT_EQ(c.colors[ColorControl::cpTablecolor], 0x808000u);
  EXPECT_EQ(c.colors[ColorControl::cpcapfontcolor], 0x000000u);
  // Page and image options untouched.
  const FakeOptionControls before = FilledControls();
  EXPECT_EQ(c.colors[ColorControl::cpPage], before.colors.at(ColorControl::cpPage));
  EXPECT_EQ(c.colors[ColorControl::cpHeaderColor], before.colors.at(ColorControl::cpHeaderColor));
  EXPECT_EQ(c.colors[ColorControl::cpThumbBack], before.colors.at(ColorControl::cpThumbBack));
  EXPECT_EQ(c.texts, before.texts);
  EXPECT_EQ(c.numbers[NumberControl::udPageOpt0], 5);
  EXPECT_EQ(c.numbers[NumberControl::udPageOpt1], 6);
  EXPECT_EQ(c.numbers[NumberControl::udWid], 300);
  // The pickers' change handling runs last, in this order.
  EXPECT_EQ(c.log.mid(c.log.size() - 5),
            (QStringList{"changed cpBorder", "changed cpcapfontcolor", "changed cpCaptionBack", "changed cpCell",
                         "changed cpTablecolor"}));
}

}  // namespace
