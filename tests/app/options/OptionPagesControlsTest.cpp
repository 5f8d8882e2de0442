// The settings store over the real option pages: records applied to the
// pages and gathered back come back byte for byte, group by group as the
// flags allow, and setting a control runs its change handling.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/ImageOptionsPage.h"
#include "app/options/OptionPagesControls.h"
#include "app/settings/RecordOptions.h"
#include "app/settings/SettingsFormat.h"
#include "app/settings/SettingsTransfer.h"

namespace {

// The option fields each flag group applies.
enum class Group { Image, Page, Table };

void CopyGroup(Group group, const SettingsRecord& from, SettingsRecord& to) {
  switch (group) {
    case Group::Image:
      to.thumbStyleIndex = from.thumbStyleIndex;
      to.thumbWidth = from.thumbWidth;
      to.thumbHeight = from.thumbHeight;
      to.thumbBackColor = from.thumbBackColor;
      to.thumbBackImage = from.thumbBackImage;
      to.resampleIndex = from.resampleIndex;
      to.imagePadding = from.imagePadding;
      to.prefix = from.prefix;
      to.suffix = from.suffix;
      to.outputFormatIndex = from.outputFormatIndex;
      break;
    case Group::Page:
      to.pageTitle = from.pageTitle;
      to.pageHeader = from.pageHeader;
      to.headerColor = from.headerColor;
      to.pageColor = from.pageColor;
      to.headerSize = from.headerSize;
      to.indexSize = from.indexSize;
      to.backgroundImage = from.backgroundImage;
      to.pageFileName = from.pageFileName;
      to.thumbFolderName = from.thumbFolderName;
      to.repeatIndexAtTop = from.repeatIndexAtTop;
      break;
    case Group::Table:
      to.rowsPerPage = from.rowsPerPage;
      to.columnsPerRow = from.columnsPerRow;
      to.alignmentIndex = from.alignmentIndex;
      to.cellPadding = from.cellPadding;
      to.cellSpacing = from.cellSpacing;
      to.borderWidth = from.borderWidth;
      to.borderColor = from.borderColor;
      to.cellColor = from.cellColor;
      to.captionBackColor = from.captionBackColor;
      to.tableColor = from.tableColor;
      to.captionFontColor = from.captionFontColor;
      to.captionFontSize = from.captionFontSize;
      break;
  }
}

// The record the pages hold at start-up.
SettingsRecord StartupValues() {
  SettingsRecord r = DefaultSettings();
  StoreThumbnailOptions(r, ThumbnailOptions());
  StoreAlbumOptions(r, AlbumOptions());
  return r;
}

SettingsRecord Usual() {
  SettingsRecord r;
  r.thumbStyleIndex = 2;
  r.thumbWidth = 200;
  r.thumbHeight = 100;  // applied after the width, which sets the height
  r.thumbBackColor = 0x00336699;
  r.thumbBackImage = QStringLiteral("/home/ann/bg.png");
  r.resampleIndex = 5;
  r.imagePadding = 8;
  r.prefix = QStringLiteral("small_");
  r.suffix = QStringLiteral("_s");
  r.outputFormatIndex = 4;
  r.pageTitle = QStringLiteral("Our trip");
  r.pageHeader = QStringLiteral("Caf\u00e9 du Nord");
  r.headerColor = 0x000000FF;
  r.pageColor = 0x00EEEEEE;
  r.headerSize = 4;
  r.indexSize = 3;
  r.backgroundImage = QStringLiteral("  bg.gif ");  // stored as typed
  r.pageFileName = QStringLiteral("index");
  r.thumbFolderName = QStringLiteral(".thumbs");
  r.repeatIndexAtTop = -1;
  r.rowsPerPage = 4;
  r.columnsPerRow = 6;
  r.alignmentIndex = 3;
  r.cellPadding = 10;
  r.cellSpacing = 0;
  r.borderWidth = 3;
  r.borderColor = 0x00FF0000;
  r.cellColor = 0x00C0C0C0;
  r.captionBackColor = 0x00E0FFFF;
  r.tableColor = 0x00004080;
  r.captionFontColor = 0x00800000;
  r.captionFontSize = 5;
  return r;
}

SettingsRecord Lowest() {
  SettingsRecord r;
  r.thumbStyleIndex = 0;
  r.thumbWidth = 16;
  r.thumbHeight = 16;
  r.thumbBackColor = SystemColor(COLOR_BTNFACE);
  r.resampleIndex = 0;
  r.imagePadding = 0;
  r.outputFormatIndex = 0;
  r.headerColor = SystemColor(COLOR_WINDOWTEXT);
  r.pageColor = SystemColor(COLOR_WINDOW);
  r.headerSize = 0;
  r.indexSize = 0;
  r.repeatIndexAtTop = 0;
  r.rowsPerPage = 1;
  r.columnsPerRow = 1;
  r.alignmentIndex = 0;
  r.cellPadding = 0;
  r.cellSpacing = 0;
  r.borderWidth = 0;
  r.captionFontSize = 2;
  return r;  // every text empty, every other colour black
}

SettingsRecord Highest() {
  SettingsRecord r;
  r.thumbStyleIndex = 3;
  r.thumbWidth = 25000;
  r.thumbHeight = 25000;
  r.thumbBackColor = 0x00FFFFFF;
  r.thumbBackImage = QString(300, QLatin1Char('b'));
  r.resampleIndex = 6;
  r.imagePadding = 1000;
  r.prefix = QString(200, QLatin1Char('p'));
  r.suffix = QString(200, QLatin1Char('s'));
  r.outputFormatIndex = 6;
  r.pageTitle = QString(500, QLatin1Char('t'));
  r.pageHeader = QStringLiteral("<b>Header</b> & \u00a9");
  r.headerColor = 0x00FFFFFF;
  r.pageColor = 0x00FFFFFF;
  r.headerSize = 72;
  r.indexSize = 72;
  r.backgroundImage = QStringLiteral("a b%20c.png");
  r.pageFileName = QStringLiteral("gallery page");
  r.thumbFolderName = QStringLiteral("..thumbs");
  r.repeatIndexAtTop = -1;
  r.rowsPerPage = 200;
  r.columnsPerRow = 200;
  r.alignmentIndex = 3;
  r.cellPadding = 500;
  r.cellSpacing = 500;
  r.borderWidth = 500;
  r.borderColor = 0x00FFFFFF;
  r.cellColor = SystemColor(COLOR_HIGHLIGHT);
  r.captionBackColor = 0x00FFFFFF;
  r.tableColor = 0x00FFFFFF;
  r.captionFontColor = 0x00FFFFFF;
  r.captionFontSize = 7;
  return r;
}

struct Pages {
  ImageOptionsPage image;
  AlbumOptionsPanel album;
  AlbumSampleCell sample;
  QComboBox filter;
  QCheckBox ckHTML;
  QStringList folders;
  OptionPagesControls controls{&image, &album,
                               WindowOptionParts{&filter, &ckHTML, [this](FolderTree tree, const QString& folder) {
                                                   folders << QStringLiteral("%1:%2").arg(int(tree)).arg(folder);
                                                 }}};
  Pages() {
    album.AttachSample(&sample);
    filter.addItems({QStringLiteral("All"), QStringLiteral("BMP")});
  }
};

TEST(OptionPagesControls, RecordsComeBackByteForByteGroupByGroup) {
  const SettingsRecord startup = StartupValues();
  const std::pair<const char*, SettingsRecord> records[] = {
      {"usual", Usual()}, {"lowest", Lowest()}, {"highest", Highest()}};
  for (const auto& [name, stored] : records) {
    for (int flags = 0; flags < 8; ++flags) {
      const bool image = flags & 1, page = flags & 2, table = flags & 4;
      SettingsRecord r = stored;
      r.saveImageSettings = FlagOf(image);
      r.saveHtmlSettings = FlagOf(page || table);
      r.saveThumbPageSettings = FlagOf(page);
      r.saveTableSettings = FlagOf(table);
      r.reserved44 = 0x1234;
      r.reserved45 = -2;
      Pages pages;
      ApplySettingsToControls(r, pages.controls);

      // Gathering starts from a record that holds only the flags, the folders and the reserved fields.
      SettingsRecord back = DefaultSettings();
      for (int p = 0; p < kPreferenceCount; ++p)
        PreferenceFlag(back, static_cast<Preference>(p)) = PreferenceFlag(r, static_cast<Preference>(p));
      back.reserved44 = r.reserved44;
      back.reserved45 = r.reserved45;
      GatherSettingsFromControls(pages.controls, back);

      SettingsRecord expected = r;
      if (!image) CopyGroup(Group::Image, startup, expected);
      if (!page) CopyGroup(Group::Page, startup, expected);
      if (!table) CopyGroup(Group::Table, startup, expected);
      EXPECT_EQ(EncodeSettings(back), EncodeSettings(expected)) << name << " flags " << flags;
    }
  }
}

TEST(OptionPagesControls, StoredSizeComesBackInBothOrders) {
  for (const QSize size : {QSize(200, 100), QSize(100, 200), QSize(120, 120)}) {
    Pages pages;
    SettingsRecord r = StartupValues();
    r.saveImageSettings = kFlagOn;
    r.thumbWidth = static_cast<int16_t>(size.width());
    r.thumbHeight = static_cast<int16_t>(size.height());
    ApplySettingsToControls(r, pages.controls);
    EXPECT_EQ(pages.image.udWid()->Value(), size.width());
    EXPECT_EQ(pages.image.udHgt()->Value(), size.height());
  }
}

TEST(OptionPagesControls, SettingAControlRunsItsChangeHandling) {
  Pages pages;
  QSignalSpy backColour(&pages.image, &ImageOptionsPage::ThumbBackColorChosen);
  QSignalSpy restored(&pages.image, &ImageOptionsPage::ThumbBackImageRestored);

  pages.controls.setColor(ColorControl::cpCell, 0x0000FF);
  EXPECT_EQ(pages.sample.CellColor(), 0x0000FFu);
  pages.controls.setValue(NumberControl::udTableOpt4, 0);
  EXPECT_EQ(pages.sample.BorderWidth(), 0);
  pages.controls.setListIndex(ListControl::cboThumbStyle, 1);
  EXPECT_EQ(pages.image.LabelResizeMethod()->text(), QStringLiteral("Background Color:"));
  pages.controls.setValue(NumberControl::udWid, 300);
  EXPECT_EQ(pages.controls.value(NumberControl::udHgt), 300);

  // The colour handling runs also when the colour stays (start-up runs it once).
  pages.controls.setColor(ColorControl::cpThumbBack, pages.image.ThumbBackColor());
  pages.controls.colorChanged(ColorControl::cpThumbBack);
  EXPECT_EQ(backColour.count(), 2);

  // A restored background image is shown and handed to the window to load.
  pages.controls.setText(TextControl::txtThumbBackImage, QStringLiteral("/pics/bg.png"));
  ASSERT_EQ(restored.count(), 1);
  EXPECT_EQ(restored.at(0).at(0).toString(), QStringLiteral("/pics/bg.png"));

  // The window's parts.
  pages.controls.setListIndex(ListControl::ComboFilter, 1);
  EXPECT_EQ(pages.filter.currentIndex(), 1);
  pages.controls.setChecked(CheckControl::ckHTML, true);
  EXPECT_TRUE(pages.controls.isChecked(CheckControl::ckHTML));
  pages.controls.setSelectedFolder(FolderTree::ftvDest, QStringLiteral("/out"));
  EXPECT_EQ(pages.folders, QStringList{QStringLiteral("1:/out")});

  // Without the window's parts nothing is selected or checked.
  OptionPagesControls pagesOnly(&pages.image, &pages.album);
  EXPECT_EQ(pagesOnly.listIndex(ListControl::ComboFilter), -1);
  EXPECT_FALSE(pagesOnly.isChecked(CheckControl::ckHTML));
  pagesOnly.setSelectedFolder(FolderTree::ftvSource, QStringLiteral("/x"));
}

TEST(OptionPagesControls, StoredNamesThatLeaveTheDestinationAreNotApplied) {
  Pages pages;
  SettingsRecord r = StartupValues();
  r.saveImageSettings = r.saveHtmlSettings = r.saveThumbPageSettings = kFlagOn;
  r.prefix = QStringLiteral("../up_");
  r.suffix = QStringLiteral("_s/x");
  r.pageFileName = QStringLiteral("/tmp/page");
  r.thumbFolderName = QStringLiteral("..");
  ApplySettingsToControls(r, pages.controls);
  EXPECT_EQ(pages.image.txtPrefix()->text(), QStringLiteral("TH_"));
  EXPECT_EQ(pages.image.txtSuffix()->text(), QString());
  EXPECT_EQ(pages.album.txtPageFileName()->text(), QStringLiteral("gallery"));
  EXPECT_EQ(pages.album.txtThumbDirName()->text(), QStringLiteral("thumbs"));
  SettingsRecord back = r;
  GatherSettingsFromControls(pages.controls, back);
  EXPECT_EQ(back.prefix, QStringLiteral("TH_"));
  EXPECT_EQ(back.thumbFolderName, QStringLiteral("thumbs"));
}

}  // namespace
