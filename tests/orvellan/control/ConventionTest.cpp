// The control convention: every property a host reads back notifies its
// changes, setters act only on a real change (except where the control's
// contract asks for more), and persistence goes through PersistedControl.
#include <QApplication>
#include <QClipboard>
#include <QMetaProperty>
#include <QSignalSpy>

#include "platform/com/PersistedControl.h"
#include "platform/com/PropertyBag.h"
#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {

QMetaProperty PropertyOf(QObject* object, const char* name) {
  return object->metaObject()->property(object->metaObject()->indexOfProperty(name));
}

// Records one property's notify signal.
std::unique_ptr<QSignalSpy> Notifications(QObject* object, const char* property) {
  return std::make_unique<QSignalSpy>(object, PropertyOf(object, property).notifySignal());
}

}  // namespace

TEST(OrvellanConvention, EveryPropertyAHostReadsNotifies) {
  ControlHost host;
  QWidget* page = CreateControl(QStringLiteral("OrvellanLib.General"), host.window());
  for (QObject* object : {static_cast<QObject*>(host.control()), static_cast<QObject*>(page)}) {
    const QMetaObject* mo = object->metaObject();
    for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i) {
      const QMetaProperty p = mo->property(i);
      EXPECT_TRUE(p.hasNotifySignal() || p.isConstant()) << mo->className() << "::" << p.name();
    }
  }
}

TEST(OrvellanConvention, SettersNotifyOnceAndOnlyOnARealChange) {
  ControlHost host;
  host.Load(testimages::Gradient(40, 30));
  const struct { const char* property; QVariant value; } cases[] = {
      {"BackColor", 0x00112233u},   {"OvScrollBarWidth", 30},       {"Enabled", false},
      {"OvMouseScrolling", false},  {"OvScrollBars", 1},            {"OvZoomPercent", 300},
      {"OvURL", QString()},         {"OvKeyboardScrolling", true},  {"OvBorderStyle", 5},
      {"ToolTipText", QStringLiteral("tip")},
  };
  QStringList marked;
  Dispatch::Advise(host.control(), "PropertyChanged", [&](QVariantList& a) { marked << a[0].toString(); },
                   host.window());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.property);
    auto notified = Notifications(host.control(), c.property);
    if (std::string(c.property) == "OvURL") host.Set("OvURL", QStringLiteral("x"));  // then back to empty
    host.Set(c.property, c.value);
    EXPECT_EQ(host.Get(c.property), c.value);
    const qsizetype once = notified->count();
    ASSERT_GE(once, 1);
    EXPECT_EQ(notified->last().value(0), host.Get(c.property));  // the new value travels with it
    marked.clear();
    host.Set(c.property, c.value);  // the same value again
    EXPECT_EQ(notified->count(), once);
    if (std::string(c.property) == "OvURL") {
      EXPECT_EQ(marked, QStringList{QStringLiteral("OvURL")});  // every set marks OvURL changed
    } else {
      EXPECT_TRUE(marked.isEmpty()) << marked.join(QLatin1Char(',')).toStdString();
    }
  }
}

TEST(OrvellanConvention, SetsThatActEveryTime) {
  ControlHost host;
  const QImage picture = testimages::Gradient(40, 30);
  auto changed = host.Count("OvChanged");
  auto pcnt = host.Count("OvZoomPCNT");
  auto pictureNotified = Notifications(host.control(), "Picture");
  auto zoomNotified = Notifications(host.control(), "OvZoomPercent");

  // The same picture again by value: loaded again and OvChanged again; no
  // change to notify.
  host.Load(picture);
  host.Call("OvFlipImage", {0});
  host.Load(picture);
  EXPECT_EQ(*changed, 2);
  EXPECT_EQ(pictureNotified->count(), 1);
  host.Call("OvCopyModified");
  EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), picture);  // unflipped

  // The same zoom again: OvZoomPCNT each time and best fit left.
  host.Set("OvZoomPercent", 200);
  host.Call("OvZoomBestFit");
  host.Set("OvZoomPercent", 200);
  EXPECT_EQ(*pcnt, 2);
  EXPECT_EQ(zoomNotified->count(), 1);
  EXPECT_TRUE(host.Child("iBestFit")->isHidden());

  // ToolTipText read from a bag reaches the boxes when set again to the same text.
  MemoryPropertyBag bag;
  bag.WriteProperty(QStringLiteral("ToolTipText"), QStringLiteral("tip"), QString());
  dynamic_cast<PersistedControl*>(host.control())->ReadProperties(bag);
  EXPECT_TRUE(host.Child("iDst")->toolTip().isEmpty());
  host.Set("ToolTipText", QStringLiteral("tip"));
  EXPECT_EQ(host.Child("iDst")->toolTip(), QStringLiteral("tip"));
}

TEST(OrvellanConvention, PictureSizeNotifiesOnLoadResizeAndClear) {
  ControlHost host;
  auto size = Notifications(host.control(), "OvPicWidth");
  auto picture = Notifications(host.control(), "Picture");
  host.Load(testimages::Gradient(40, 30));
  EXPECT_EQ(size->count(), 1);
  EXPECT_EQ(picture->count(), 1);
  host.Call("OvResize", {20, 10});
  EXPECT_EQ(size->count(), 2);
  EXPECT_EQ(size->last().value(0).toInt(), 20);
  EXPECT_EQ(picture->count(), 1);  // Picture is the picture as loaded
  host.Call("OvClear");
  EXPECT_EQ(size->count(), 3);
  EXPECT_EQ(picture->count(), 2);
  host.Call("OvClear");
  EXPECT_EQ(size->count(), 3);
}

TEST(OrvellanConvention, PersistsThroughPersistedControl) {
  ControlHost source;
  source.Set("OvScrollBarWidth", 30);
  source.Set("BackColor", 0x00445566u);
  source.Set("OvBorderStyle", 3);
  auto* persisted = dynamic_cast<PersistedControl*>(source.control());
  ASSERT_NE(persisted, nullptr);
  MemoryPropertyBag direct, byName;
  persisted->WriteProperties(direct);
  source.Call("WriteProperties", {QVariant::fromValue(static_cast<PropertyBag*>(&byName))});
  EXPECT_EQ(direct.keys(), byName.keys());
  for (const QString& key : direct.keys()) EXPECT_EQ(direct.stored(key), byName.stored(key)) << key.toStdString();

  ControlHost target;
  auto width = Notifications(target.control(), "OvScrollBarWidth");
  auto back = Notifications(target.control(), "BackColor");
  auto keys = Notifications(target.control(), "OvKeyboardScrolling");
  dynamic_cast<PersistedControl*>(target.control())->ReadProperties(direct);
  EXPECT_EQ(target.GetInt("OvScrollBarWidth"), 30);
  EXPECT_EQ(target.Get("BackColor").toUInt(), 0x00445566u);
  EXPECT_EQ(target.GetInt("OvBorderStyle"), 3);
  EXPECT_EQ(width->count(), 1);
  EXPECT_EQ(back->count(), 1);
  EXPECT_EQ(keys->count(), 0);

  // A value of the wrong type stops reading with error 13; what came before it stays.
  MemoryPropertyBag bad;
  bad.WriteProperty(QStringLiteral("OvScrollBarWidth"), 40, 15);
  bad.WriteProperty(QStringLiteral("Enabled"), QStringLiteral("not a boolean"), true);
  EXPECT_EQ(ControlHost::ErrorOf([&] { dynamic_cast<PersistedControl*>(target.control())->ReadProperties(bad); }),
            kErrTypeMismatch);
  EXPECT_EQ(target.GetInt("OvScrollBarWidth"), 40);
  EXPECT_EQ(width->count(), 2);
  EXPECT_EQ(ControlHost::ErrorOf([&] { target.Call("ReadProperties", {QVariant::fromValue<PropertyBag*>(nullptr)}); }),
            kErrInvalidPropertyValue);
}
