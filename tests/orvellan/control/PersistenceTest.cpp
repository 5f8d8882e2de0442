// Saving and loading the control's properties through a property bag, and
// the property page General.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTemporaryDir>

#include "platform/com/PropertyBag.h"
#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {
void Write(ControlHost& host, PropertyBag& bag) {
  host.Call("WriteProperties", {QVariant::fromValue(static_cast<PropertyBag*>(&bag))});
}
void Read(ControlHost& host, PropertyBag& bag) {
  host.Call("ReadProperties", {QVariant::fromValue(static_cast<PropertyBag*>(&bag))});
}
}  // namespace

TEST(OrvellanPersistence, DefaultsAreNotStored) {
  ControlHost host;
  MemoryPropertyBag bag;
  Write(host, bag);
  EXPECT_TRUE(bag.keys().isEmpty()) << bag.keys().join(QLatin1Char(',')).toStdString();
}

TEST(OrvellanPersistence, WrittenPropertiesReadBackThroughAFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("control.bag"));
  const QImage picture = testimages::Gradient(6, 4);
  {
    ControlHost host;
    host.Set("OvScrollBarWidth", 20);
    host.Set("OvMouseScrolling", false);
    host.Set("OvScrollBars", 1);
    host.Set("BackColor", 0x00336699u);
    host.Set("OvKeyboardScrolling", true);
    host.Set("OvBorderStyle", 7);
    host.Set("ToolTipText", QStringLiteral("tip"));
    host.LoadRef(picture);
    FilePropertyBag bag(path);
    Write(host, bag);
    EXPECT_EQ(bag.stored(QStringLiteral("OvScrollBars")).metaType(), QMetaType::fromType<qint32>());
    ASSERT_TRUE(bag.Save());
  }
  FilePropertyBag bag(path);
  ASSERT_TRUE(bag.Load());
  EXPECT_EQ(bag.keys().size(), 8);
  ControlHost host;
  auto changed = host.Count("OvChanged");
  Read(host, bag);
  EXPECT_EQ(host.GetInt("OvScrollBarWidth"), 20);
  EXPECT_FALSE(host.Get("OvMouseScrolling").toBool());
  EXPECT_EQ(host.GetInt("OvScrollBars"), 1);
  EXPECT_EQ(host.Get("BackColor").toUInt(), 0x00336699u);
  EXPECT_TRUE(host.Get("OvKeyboardScrolling").toBool());
  EXPECT_EQ(host.GetInt("OvBorderStyle"), 7);
  EXPECT_EQ(host.Get("ToolTipText").toString(), QStringLiteral("tip"));
  EXPECT_EQ(host.Get("Picture").value<StdPicture>().image(), picture);
  EXPECT_EQ(*changed, 0);  // the picture is assigned by reference
  // The tool tip is stored only; the boxes get it when the property is next set.
  EXPECT_TRUE(host.Child("iDst")->toolTip().isEmpty());
}

TEST(OrvellanPersistence, AValueOfTheWrongTypeStopsLoading) {
  ControlHost host;
  MemoryPropertyBag bag;
  bag.WriteProperty(QStringLiteral("OvScrollBarWidth"), 30, 15);
  bag.WriteProperty(QStringLiteral("Enabled"), QStringLiteral("not a boolean"), true);
  bag.WriteProperty(QStringLiteral("OvBorderStyle"), 3, 0);
  EXPECT_EQ(ControlHost::ErrorOf([&] { Read(host, bag); }), kErrTypeMismatch);
  EXPECT_EQ(host.GetInt("OvScrollBarWidth"), 30);
  EXPECT_EQ(host.GetInt("OvBorderStyle"), 0);
}

class OrvellanPropertyPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page = CreateControl(QStringLiteral("OrvellanLib.General"), host.window());
    Dispatch::Call(page, "SelectionChanged", {QVariant::fromValue(QObjectList{host.control()})});
  }
  template <class T>
  T* Element(const char* name) {
    return page->findChild<T*>(QString::fromLatin1(name));
  }
  ControlHost host;
  QWidget* page = nullptr;
};

TEST_F(OrvellanPropertyPage, ReadsTheControlAndMarksEditsChanged) {
  EXPECT_EQ(Element<QLineEdit>("txtOvScrollBarWidth")->text(), QStringLiteral("15"));
  EXPECT_EQ(Element<QCheckBox>("chkOvMouseScrolling")->checkState(), Qt::Checked);
  EXPECT_EQ(Element<QCheckBox>("chkOvKeyboardScrolling")->checkState(), Qt::Unchecked);
  EXPECT_EQ(Element<QComboBox>("cboScrolls")->itemText(1), QStringLiteral("1 - OvNone "));
  EXPECT_EQ(Element<QComboBox>("cboBorder")->count(), 9);
  EXPECT_FALSE(Dispatch::Get(page, "Changed").toBool());
  Element<QLineEdit>("txtToolTipText")->setText(QStringLiteral("x"));
  EXPECT_TRUE(Dispatch::Get(page, "Changed").toBool());
}

TEST_F(OrvellanPropertyPage, AppliesInOrderAndStopsAtANonNumericWidth) {
  Element<QCheckBox>("chkOvKeyboardScrolling")->setCheckState(Qt::Checked);
  Element<QCheckBox>("chkOvMouseScrolling")->setCheckState(Qt::Unchecked);
  Element<QLineEdit>("txtOvURL")->setText(QStringLiteral("http://127.0.0.1:1/none.png"));
  Element<QLineEdit>("txtOvScrollBarWidth")->setText(QStringLiteral("wide"));
  Element<QComboBox>("cboBorder")->setCurrentIndex(5);
  Element<QLineEdit>("txtToolTipText")->setText(QStringLiteral("tip"));
  Element<QComboBox>("cboScrolls")->setCurrentIndex(1);

  EXPECT_EQ(ControlHost::ErrorOf([&] { Dispatch::Call(page, "ApplyChanges"); }), kErrTypeMismatch);
  // Before the width: set.
  EXPECT_TRUE(host.Get("OvKeyboardScrolling").toBool());
  EXPECT_EQ(host.Get("OvURL").toString(), QStringLiteral("http://127.0.0.1:1/none.png"));
  EXPECT_FALSE(host.Get("OvMouseScrolling").toBool());
  // From the width on: not set.
  EXPECT_EQ(host.GetInt("OvScrollBarWidth"), 15);
  EXPECT_EQ(host.GetInt("OvBorderStyle"), 0);
  EXPECT_TRUE(host.Get("ToolTipText").toString().isEmpty());
  EXPECT_EQ(host.GetInt("OvScrollBars"), 0);

  Element<QLineEdit>("txtOvScrollBarWidth")->setText(QStringLiteral("99"));
  EXPECT_EQ(ControlHost::ErrorOf([&] { Dispatch::Call(page, "ApplyChanges"); }), 0);
  EXPECT_EQ(host.GetInt("OvScrollBarWidth"), 50);
  EXPECT_EQ(host.GetInt("OvBorderStyle"), 5);
  EXPECT_EQ(host.Get("ToolTipText").toString(), QStringLiteral("tip"));
  EXPECT_EQ(host.GetInt("OvScrollBars"), 1);
}

TEST(OrvellanAbout, ShowsTheVersionAndClosesWithOK) {
  ControlHost host;
  QString version;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    version = box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  });
  host.Call("About");
  EXPECT_EQ(version, QStringLiteral("Version: 1.0.0"));
}
