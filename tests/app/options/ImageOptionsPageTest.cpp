// The image options page: the reactions of the style list, the resize mode,
// the size boxes, the filter and format lists, and what the page tells the
// window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/engine/OptionPageLook.h"
#include "app/options/ImageOptionsPage.h"

namespace {

class ImageOptionsPageTest : public ::testing::Test {
 protected:
  ImageOptionsPage page;
  void SetUp() override { page.show(); }
  // Chooses a list entry as the user does: open the list, pick the entry.
  void Choose(QComboBox* list, int index) {
    list->setFocus();
    list->setCurrentIndex(index);
  }
};

TEST_F(ImageOptionsPageTest, StyleShapesThePage) {
  struct Case {
    int style;
    bool framed;
    const char* resizeCaption;
    const char* widthCaption;
    const char* heightCaption;
  };
  const Case cases[] = {
      {1, true, "Background Color:", "Width(Pixels):", "Height(Pixels):"},
      {2, true, "Button Color:", "Width(Pixels):", "Height(Pixels):"},
      {3, true, "Button Color:", "Width(Pixels):", "Height(Pixels):"},
      {0, false, "Resize Mode:", "Max.Width(Pixels):", "Max.Height(Pixels):"},
  };
  for (const Case& c : cases) {
    Choose(page.cboThumbStyle(), c.style);
    EXPECT_EQ(page.LabelResizeMethod()->text(), QString::fromLatin1(c.resizeCaption)) << c.style;
    EXPECT_EQ(page.Label2()->text(), QString::fromLatin1(c.widthCaption)) << c.style;
    EXPECT_EQ(page.Labelhgt()->text(), QString::fromLatin1(c.heightCaption)) << c.style;
    // One control of the shared place shows; the other is not even reachable by Tab.
    QWidget* shown = c.framed ? static_cast<QWidget*>(page.cpThumbBack()) : page.ComboResizeMethod();
    QWidget* away = c.framed ? static_cast<QWidget*>(page.ComboResizeMethod()) : page.cpThumbBack();
    EXPECT_EQ(page.sharedPlace()->currentWidget(), shown) << c.style;
    EXPECT_TRUE(shown->isVisible()) << c.style;
    EXPECT_FALSE(away->isVisible()) << c.style;
    EXPECT_EQ(page.ComboResizeMethod()->isEnabled(), !c.framed) << c.style;
    EXPECT_EQ(page.txtThumbBackImage()->isVisible(), c.framed) << c.style;
    EXPECT_EQ(page.cmdBrowse1()->isVisible(), c.framed) << c.style;
    EXPECT_EQ(page.Label21()->isVisible(), c.framed) << c.style;
    EXPECT_EQ(page.udImagePadding()->isEnabled(), c.framed) << c.style;
    EXPECT_EQ(page.ThumbStyleIndex(), c.style);
  }
  EXPECT_EQ(page.Label21()->text(), QStringLiteral("Background Image"));
}

TEST_F(ImageOptionsPageTest, FramedStyleAndBackLeavesMaintainAspectRatio) {
  Choose(page.ComboResizeMethod(), 3);  // "Scale By Percent"
  EXPECT_FALSE(page.udHgt()->isEnabled());
  EXPECT_EQ(page.Label2()->text(), QStringLiteral("Percent:"));

  Choose(page.cboThumbStyle(), 2);
  EXPECT_EQ(page.ResizeMode(), 0);
  EXPECT_FALSE(page.ComboResizeMethod()->isEnabled());
  EXPECT_TRUE(page.udWid()->isEnabled());
  EXPECT_TRUE(page.udHgt()->isEnabled());
  EXPECT_EQ(page.udHgt()->BackColor(), kWindowColor);

  Choose(page.cboThumbStyle(), 0);
  EXPECT_EQ(page.ResizeMode(), 0);
  EXPECT_EQ(page.ComboResizeMethod()->currentText(), QStringLiteral("Maintain Aspect Ratio"));
  EXPECT_TRUE(page.ComboResizeMethod()->isEnabled());
  EXPECT_EQ(page.Options().resizeMode, 0);
}

TEST_F(ImageOptionsPageTest, ResizeModeSetsBoxesAndLabels) {
  struct Case {
    int mode;
    bool width, height, label2, labelhgt;
    const char* label2Text;
  };
  const Case cases[] = {
      {1, false, false, false, false, "Max.Width(Pixels):"},
      {3, true, false, true, false, "Percent:"},
      {2, true, true, true, true, "Max.Width(Pixels):"},
      {0, true, true, true, true, "Max.Width(Pixels):"},
  };
  for (const Case& c : cases) {
    Choose(page.ComboResizeMethod(), c.mode);
    EXPECT_EQ(page.udWid()->isEnabled(), c.width) << c.mode;
    EXPECT_EQ(page.udHgt()->isEnabled(), c.height) << c.mode;
    EXPECT_EQ(page.udWid()->BackColor(), c.width ? kWindowColor : kButtonFaceColor) << c.mode;
    EXPECT_EQ(page.udHgt()->BackColor(), c.height ? kWindowColor : kButtonFaceColor) << c.mode;
    EXPECT_EQ(page.Label2()->isEnabled(), c.label2) << c.mode;
    EXPECT_EQ(page.Labelhgt()->isEnabled(), c.labelhgt) << c.mode;
    EXPECT_EQ(page.Label2()->text(), QString::fromLatin1(c.label2Text)) << c.mode;
    EXPECT_EQ(page.Options().resizeMode, c.mode);
  }
}

TEST_F(ImageOptionsPageTest, WidthChangeSetsTheHeight) {
  // Typed.
  QLineEdit* width = page.udWid()->textBox();
  width->setFocus();
  width->selectAll();
  QTest::keyClicks(width, QStringLiteral("300"));
  EXPECT_EQ(page.udWid()->Value(), 300);
  EXPECT_EQ(page.udHgt()->Value(), 300);
  // The height can then change on its own.
  page.udHgt()->setValue(90);
  EXPECT_EQ(page.udWid()->Value(), 300);
  EXPECT_EQ(page.udHgt()->Value(), 90);
  // Spun with the arrow key.
  QTest::keyClick(width, Qt::Key_Up);
  EXPECT_EQ(page.udWid()->Value(), 301);
  EXPECT_EQ(page.udHgt()->Value(), 301);
  EXPECT_EQ(page.Options().thumbWidth, 301);
  EXPECT_EQ(page.Options().thumbHeight, 301);
}

TEST_F(ImageOptionsPageTest, FilterAndFormatListsReact) {
  using F = ResampleFilter;
  const F expected[] = {F::Halftone, F::BSpline, F::Bicubic, F::Bilinear, F::Box, F::CatmullRom, F::Lanczos3};
  for (int i = 6; i >= 0; --i) {
    Choose(page.comboResampleMethod(), i);
    EXPECT_EQ(page.Options().resampleFilter(), expected[i]) << i;
  }

  EXPECT_EQ(page.ComboOutputFormat()->toolTip(), QStringLiteral("JPEG(*.jpg)"));
  Choose(page.ComboOutputFormat(), 4);
  EXPECT_EQ(page.ComboOutputFormat()->toolTip(), QStringLiteral("Portable Network Graphics(*.png)"));
  EXPECT_EQ(page.Options().outputFormatIndex, 4);
}

TEST_F(ImageOptionsPageTest, TellsTheWindowAboutBackgroundAndBrowse) {
  QSignalSpy colour(&page, &ImageOptionsPage::ThumbBackColorChosen);
  QSignalSpy text(&page, &ImageOptionsPage::ThumbBackImageTextChanged);
  QSignalSpy browse(&page, &ImageOptionsPage::BrowseThumbBackImage);
  QSignalSpy restored(&page, &ImageOptionsPage::ThumbBackImageRestored);
  Choose(page.cboThumbStyle(), 1);

  page.cpThumbBack()->setColor(0x123456);
  ASSERT_EQ(colour.count(), 1);
  EXPECT_EQ(colour.at(0).at(0).value<quint32>(), 0x123456u);
  EXPECT_EQ(page.ThumbBackColor(), 0x123456u);

  QTest::keyClicks(page.txtThumbBackImage(), QStringLiteral("/x.png"));
  EXPECT_EQ(text.count(), 6);
  page.txtThumbBackImage()->clear();
  EXPECT_EQ(text.last().at(0).toString(), QString());
  EXPECT_EQ(restored.count(), 0);  // typing does not load

  QTest::mouseClick(page.cmdBrowse1(), Qt::LeftButton);
  EXPECT_EQ(browse.count(), 1);

  page.RestoreThumbBackImage(QStringLiteral("/pics/bg.png"));
  EXPECT_EQ(page.txtThumbBackImage()->text(), QStringLiteral("/pics/bg.png"));
  ASSERT_EQ(restored.count(), 1);
  EXPECT_EQ(restored.at(0).at(0).toString(), QStringLiteral("/pics/bg.png"));
}

}  // namespace

namespace {

TEST(ImageOptionsPageLayout, EveryCaptionFitsInEveryStyle) {
  ImageOptionsPage page;
  page.show();
  for (int style = 0; style <= 3; ++style) {
    page.cboThumbStyle()->setCurrentIndex(style);
    for (int mode : {0, 3}) {
      if (style == 0) page.ComboResizeMethod()->setCurrentIndex(mode);
      QCoreApplication::processEvents();
      for (const QLabel* label : page.findChildren<QLabel*>()) {
        if (!label->isVisible()) continue;
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
            << label->objectName().toStdString() << " style " << style;
      }
      // The chosen entry of each list is shown whole.
      for (const QComboBox* list : page.findChildren<QComboBox*>()) {
        if (!list->isVisible()) continue;
        EXPECT_GE(list->width(), list->sizeHint().width()) << list->objectName().toStdString();
      }
    }
  }
}

}  // namespace
