// The album options panel: tabs and frames, captions and tool tips, the
// sample following the pickers, "Default Values", the background image box,
// and "Create HTML Gallery" enabling "View Gallery".
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/controls/vkFrames/vkFrames.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/AlbumSwitch.h"

namespace {

class AlbumOptionsPanelTest : public ::testing::Test {
 protected:
  QWidget window;
  AlbumOptionsPanel* panel = nullptr;
  AlbumSampleCell* sample = nullptr;
  void SetUp() override {
    auto* column = new QVBoxLayout(&window);
    panel = new AlbumOptionsPanel(&window);
    sample = new AlbumSampleCell(&window);
    column->addWidget(panel);
    column->addWidget(sample);
    panel->AttachSample(sample);
    window.show();
  }

  // Every widget Tab reaches from start, once round the focus chain.
  QList<QWidget*> TabChain(QWidget* start) {
    QList<QWidget*> seen;
    start->setFocus();
    QWidget* w = start;
    for (int i = 0; i < 200; ++i) {
      w = w->nextInFocusChain();
      if (w == start) break;
      if (w->isVisibleTo(&window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) seen << w;
    }
    return seen;
  }
};

TEST_F(AlbumOptionsPanelTest, EachTabShowsOneFrameAndOnlyItsControlsTakeTheFocus) {
  QTabBar* tabs = panel->tbsHTMLOptions();
  ASSERT_EQ(tabs->count(), 3);
  const char* captions[] = {"Table Options", "Thumb Page Options", "Fullsize Image Page Options"};
  const char* tips[] = {"Settings for various table properties which affect thumbnail display.",
                        "Global settings which affect appearence of thumbnail gallery pages.",
                        "Global settings for full-size image display pages."};
  // A control that lives on each frame.
  QWidget* marks[] = {panel->udTableOpt(0)->textBox(), panel->txtpageTitle(), panel->ckNewBrowserWindow()};
  for (int tab = 3; tab >= 1; --tab) {
    EXPECT_EQ(tabs->tabText(tab - 1), QString::fromLatin1(captions[tab - 1]));
    EXPECT_EQ(tabs->tabToolTip(tab - 1), QString::fromLatin1(tips[tab - 1]));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
    EXPECT_EQ(panel->SelectedTab(), tab);
    const QList<QWidget*> chain = TabChain(tabs);
    for (int frame = 0; frame < 3; ++frame) {
      EXPECT_EQ(panel->fraHTMLOptions(frame)->isVisible(), frame == tab - 1) << tab << frame;
      EXPECT_EQ(chain.contains(marks[frame]), frame == tab - 1) << tab << frame;
    }
  }
  // The window selects the second tab when the album page opens, also when it is selected already.
  panel->SelectTab(2);
  panel->SelectTab(2);
  EXPECT_TRUE(panel->fraHTMLOptions(1)->isVisible());
}

TEST_F(AlbumOptionsPanelTest, ControlsCarryTheirCaptionsAndToolTips) {
  const auto caption = [this](const char* name) {
    const auto* label = panel->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
  };
  EXPECT_EQ(caption("lblTableOpt0"), QStringLiteral("Rows"));
  EXPECT_EQ(caption("lblTableOpt4"), QStringLiteral("Border Width"));
  EXPECT_EQ(caption("lblTableFont"), QStringLiteral("Font Size"));
  EXPECT_EQ(caption("lblcapfontcolor"), QStringLiteral("Font Color"));
  EXPECT_EQ(caption("lblPageHeader"), QStringLiteral("Page  Header Text"));
  EXPECT_EQ(caption("lblHTMLBknd"), QStringLiteral("Background Image File(gif,jpg,png only)"));
  EXPECT_EQ(caption("lblThumbDirName"), QStringLiteral("Thumb Folder Name"));
  EXPECT_EQ(panel->txtPageFileName()->toolTip(), QStringLiteral("Base filename for HTML Gallery Pages."));
  EXPECT_EQ(panel->txtThumbDirName()->toolTip(),
            QStringLiteral("Name of subfolder in which thumbnail images will be stored."));
  EXPECT_EQ(panel->txtHTMLBknd()->toolTip(), QStringLiteral("Optional background image for gallery pages."));
  EXPECT_EQ(panel->txtPageHeader()->toolTip(), QStringLiteral("Page Header Text."));
  EXPECT_EQ(panel->txtpageTitle()->toolTip(), QStringLiteral("Page Title"));
  EXPECT_EQ(panel->cpPage()->toolTip(), QStringLiteral("Page background color."));
  EXPECT_EQ(panel->cmdDefault()->text(), QStringLiteral("Default Values"));
  EXPECT_EQ(panel->chkSuppress()->text(), QStringLiteral("No table formatting."));
  // The image pages box starts unchecked; its size box counts only with it.
  EXPECT_EQ(panel->ckDoFullPages()->text(), QStringLiteral("Create custom fullsize image pages."));
  EXPECT_FALSE(panel->ckDoFullPages()->isChecked());
  EXPECT_EQ(panel->udImagePageSize()->Value(), 2048);
  EXPECT_FALSE(panel->udImagePageSize()->isEnabled());
  panel->ckDoFullPages()->setChecked(true);
  EXPECT_TRUE(panel->udImagePageSize()->isEnabled());
  EXPECT_TRUE(panel->Options().createFullsizePages);
}

TEST_F(AlbumOptionsPanelTest, EveryCaptionFitsItsControl) {
  for (int tab = 1; tab <= 3; ++tab) {
    panel->SelectTab(tab);
    QCoreApplication::processEvents();
    for (const QLabel* label : panel->fraHTMLOptions(tab - 1)->findChildren<QLabel*>())
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
          << label->objectName().toStdString();
    for (const QAbstractButton* button : panel->fraHTMLOptions(tab - 1)->findChildren<QAbstractButton*>()) {
      // Check boxes need their whole size hint (box and text); push buttons their text and a margin.
      const int needed = qobject_cast<const QPushButton*>(button)
                             ? button->fontMetrics().horizontalAdvance(button->text()) + 8
                             : button->sizeHint().width();
      EXPECT_GE(button->width(), needed) << button->objectName().toStdString();
    }
  }
}

TEST_F(AlbumOptionsPanelTest, PickersAndBorderWidthDriveTheSample) {
  panel->cpCell()->setColor(0x0000FF);
  panel->cpPage()->setColor(0x00FF00);
  panel->cpTablecolor()->setColor(0xFF0000);
  panel->cpCaptionBack()->setColor(0x00FFFF);
  panel->cpcapfontcolor()->setColor(0xFFFFFF);
  panel->cpBorder()->setColor(0x808080);
  panel->cpHeaderColor()->setColor(0x111111);
  EXPECT_EQ(sample->CellColor(), 0x0000FFu);
  EXPECT_EQ(sample->thumbSurface().backColor(), 0x0000FFu);
  EXPECT_EQ(sample->PageColor(), 0x00FF00u);
  EXPECT_EQ(sample->TableColor(), 0xFF0000u);
  EXPECT_EQ(sample->CaptionBackColor(), 0x00FFFFu);
  EXPECT_EQ(sample->CaptionFontColor(), 0xFFFFFFu);
  EXPECT_EQ(sample->BorderColor(), 0x808080u);

  panel->udTableOpt(4)->setValue(0);
  EXPECT_EQ(sample->BorderWidth(), 0);
  EXPECT_FALSE(sample->cellLayout().outlinesVisible);
  QTest::keyClick(panel->udTableOpt(4)->textBox(), Qt::Key_Up);
  EXPECT_EQ(sample->BorderWidth(), 1);
  panel->udTableOpt(2)->setValue(40);  // cell padding has no sample
  EXPECT_EQ(sample->BorderWidth(), 1);
}

TEST_F(AlbumOptionsPanelTest, DefaultValuesResetTableOptionsOnly) {
  for (int i = 0; i < 5; ++i) panel->udTableOpt(i)->setValue(20 + i);
  panel->udTableFont()->setValue(6);
  panel->cboAlign()->setCurrentIndex(3);
  for (ColorPicker* p : {panel->cpBorder(), panel->cpCell(), panel->cpCaptionBack(), panel->cpTablecolor(),
                         panel->cpcapfontcolor(), panel->cpPage(), panel->cpHeaderColor()})
    p->setColor(0x123456);
  panel->txtpageTitle()->setText(QStringLiteral("Trip"));

  panel->SelectTab(1);
  QTest::mouseClick(panel->cmdDefault(), Qt::LeftButton);

  const int values[] = {7, 5, 2, 5, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(panel->udTableOpt(i)->Value(), values[i]) << i;
  EXPECT_EQ(panel->udTableFont()->Value(), 3);
  EXPECT_EQ(panel->cboAlign()->currentText(), QStringLiteral("Center"));
  EXPECT_EQ(sample->BorderColor(), 0x000000u);
  EXPECT_EQ(sample->CellColor(), 0x808080u);
  EXPECT_EQ(sample->CaptionBackColor(), 0xC0FFFFu);
  EXPECT_EQ(sample->TableColor(), 0x808000u);
  EXPECT_EQ(sample->CaptionFontColor(), 0x000000u);
  EXPECT_EQ(sample->BorderWidth(), 1);
  // Page options stay.
  EXPECT_EQ(panel->cpPage()->Color(), 0x123456u);
  EXPECT_EQ(sample->PageColor(), 0x123456u);
  EXPECT_EQ(panel->cpHeaderColor()->Color(), 0x123456u);
  EXPECT_EQ(panel->txtpageTitle()->text(), QStringLiteral("Trip"));
}

TEST_F(AlbumOptionsPanelTest, EnterInTheBackgroundBoxIsSwallowed) {
  // A default button of the window must not see the Enter either.
  auto* ok = new QPushButton(QStringLiteral("OK"), &window);
  ok->setDefault(true);
  QSignalSpy pressed(ok, &QPushButton::clicked);
  QSignalSpy returned(panel->txtHTMLBknd(), &QLineEdit::returnPressed);
  QSignalSpy browse(panel, &AlbumOptionsPanel::BrowseBackgroundImage);
  panel->SelectTab(2);
  QLineEdit* box = panel->txtHTMLBknd();
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("bg.gif"));
  QTest::keyClick(box, Qt::Key_Return);
  QTest::keyClick(box, Qt::Key_Enter);
  QTest::keyClicks(box, QStringLiteral("x"));
  EXPECT_EQ(box->text(), QStringLiteral("bg.gifx"));
  EXPECT_EQ(returned.count(), 0);
  EXPECT_EQ(pressed.count(), 0);
  QTest::mouseClick(panel->cmdBrowse0(), Qt::LeftButton);
  EXPECT_EQ(browse.count(), 1);
  EXPECT_EQ(panel->Options().backgroundImage, QStringLiteral("bg.gifx"));
}

TEST(AlbumSwitch, CreateHtmlGalleryEnablesViewGallery) {
  QWidget window;
  auto* ckHTML = new QCheckBox(QStringLiteral("Create HTML Gallery"), &window);
  auto* view = new QPushButton(QStringLiteral("View Gallery"), &window);
  ckHTML->move(0, 0);
  view->move(0, 40);
  window.show();
  ConnectAlbumSwitch(ckHTML, view);
  EXPECT_FALSE(view->isEnabled());
  QTest::mouseClick(ckHTML, Qt::LeftButton, {}, QPoint(5, ckHTML->height() / 2));
  EXPECT_TRUE(view->isEnabled());
  QTest::mouseClick(ckHTML, Qt::LeftButton, {}, QPoint(5, ckHTML->height() / 2));
  EXPECT_FALSE(view->isEnabled());
  ckHTML->setChecked(true);  // the settings store checks it at start-up
  EXPECT_TRUE(view->isEnabled());
}

}  // namespace
