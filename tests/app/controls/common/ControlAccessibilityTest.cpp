// The custom controls as assistive tools see them: role, name, value, the
// actions they offer and the events they send, through the accessibility
// interfaces only.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <functional>
#include <memory>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/picturebutton/PictureButton.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/controls/vkFrames/vkFrames.h"

namespace {

struct Case {
  const char* what;
  std::function<QWidget*()> make;  // a control, named "Example" where it takes a name
  QAccessible::Role role;
  QString name;
  QString valueText;
  bool pressAction;
};

}  // namespace

TEST(ControlAccessibility, EachControlHasTheRoleNameValueAndActionsOfItsStockCounterpart) {
  const Case cases[] = {
      {"picture button",
       [] {
         auto* b = new PictureButton;
         b->setAccessibleName("Example");
         return b;
       },
       QAccessible::Button, "Example", "", true},
      {"up-down box",
       [] {
         auto* box = new ucUpDownBox;
         box->setAccessibleName("Example");
         box->setMax(500);
         box->setValue(120);
         return box;
       },
       QAccessible::SpinBox, "Example", "120", false},
      {"progress bar",
       [] {
         auto* bar = new Rk_Progbar;
         bar->setAccessibleName("Example");
         bar->setValue(30);
         return bar;
       },
       QAccessible::ProgressBar, "Example", "30", false},
      {"colour picker",
       [] {
         auto* picker = new ColorPicker;
         picker->setAccessibleName("Example");
         picker->setColor(0x0080FFu);  // 0x00BBGGRR
         return picker;
       },
       QAccessible::Button, "Example", "#FF8000", true},
      {"styled frame named by its caption",
       [] {
         auto* frame = new vkFrames;
         frame->setCaption("Example");
         return frame;
       },
       QAccessible::Grouping, "Example", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::unique_ptr<QWidget> control(c.make());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control.get());
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->role(), c.role);
    EXPECT_EQ(iface->text(QAccessible::Name), c.name);
    EXPECT_EQ(iface->text(QAccessible::Value), c.valueText);
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_TRUE(actions);
    EXPECT_EQ(actions->actionNames().contains(QAccessibleActionInterface::pressAction()), c.pressAction);
    control->setEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
  }
}

// (The change events they send reach a screen reader only where a platform
// accessibility bridge is active, not offscreen: scripts/atspi-check.sh
// looks at them under a virtual X server.)
TEST(ControlAccessibility, ValuesReadAndSetAsTheControlsHoldThem) {
  ucUpDownBox box;
  box.setMin(10);
  box.setMax(500);
  QAccessibleValueInterface* spin = QAccessible::queryAccessibleInterface(&box)->valueInterface();
  ASSERT_TRUE(spin);
  EXPECT_EQ(spin->minimumValue(), 10);
  EXPECT_EQ(spin->maximumValue(), 500);
  // Set as from code: clamped into Min..Max, shown in the text box.
  for (const auto& [set, expected] : {std::pair{150, 150}, {900, 500}, {3, 10}}) {
    spin->setCurrentValue(set);
    EXPECT_EQ(box.Value(), expected) << set;
    EXPECT_EQ(spin->currentValue(), expected) << set;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&box)->text(QAccessible::Value), QString::number(expected));
  }

  Rk_Progbar bar;
  bar.setMax(8);
  bar.setValue(3);
  QAccessibleValueInterface* progress = QAccessible::queryAccessibleInterface(&bar)->valueInterface();
  ASSERT_TRUE(progress);
  EXPECT_EQ(progress->currentValue(), 3);
  EXPECT_EQ(progress->maximumValue(), 8);
  progress->setCurrentValue(5);  // a tool reads progress, it does not make it
  EXPECT_EQ(bar.Value(), 3);

  ColorPicker picker;
  picker.setColor(0x000000FFu);
  QAccessibleInterface* colour = QAccessible::queryAccessibleInterface(&picker);
  EXPECT_EQ(colour->text(QAccessible::Value), "#FF0000");
  EXPECT_EQ(colour->text(QAccessible::Description), "#FF0000");
  picker.setToolTip("Page background color.");
  EXPECT_EQ(colour->text(QAccessible::Description), "Page background color. #FF0000");

  vkFrames frame;
  frame.setCaption("First");
  frame.setCaption("Second");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&frame)->text(QAccessible::Name), "Second");
}

TEST(ControlAccessibility, PressActionsActFromTheEventLoopAndOnlyWhenEnabled) {
  for (const bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    PictureButton button;
    button.setEnabled(enabled);
    QSignalSpy clicks(&button, &PictureButton::Click);
    QAccessible::queryAccessibleInterface(&button)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 0);  // not inside the tool's request
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), enabled ? 1 : 0);

    ColorPicker picker;
    picker.setEnabled(enabled);
    QAccessible::queryAccessibleInterface(&picker)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(picker.palette() != nullptr, enabled);
  }
}
