#include "tests/app/controls/common/PropertyTable.h"

#include <gtest/gtest.h>

#include <QMetaProperty>
#include <QSignalSpy>
#include <QWidget>

#include "app/controls/common/PersistedWidget.h"
#include "platform/com/PropertyBag.h"

namespace {

int Marks(const QSignalSpy& spy, const QString& name) {
  int n = 0;
  for (const QList<QVariant>& args : spy) n += args.value(0).toString() == name ? 1 : 0;
  return n;
}

std::string Show(const QVariant& v) { return v.toString().toStdString(); }

}  // namespace

void CheckPropertyTable(const ControlFactory& make, const std::vector<PropertyCase>& cases) {
  for (const PropertyCase& c : cases) {
    SCOPED_TRACE(std::string(c.property) + " = " + Show(c.value));
    QWidget host;
    PersistedWidget* control = make(&host);
    const QMetaObject* meta = control->metaObject();
    const QMetaProperty property = meta->property(meta->indexOfProperty(c.property));
    ASSERT_TRUE(property.isValid());
    ASSERT_TRUE(property.hasNotifySignal());
    QVariant expected = c.expected.isValid() ? c.expected : c.value;
    ASSERT_TRUE(expected.convert(property.metaType()));
    const QString name = QString::fromLatin1(c.property);
    const QVariant before = control->property(c.property);
    const bool changes = before != expected;

    QSignalSpy notified(control, property.notifySignal());
    QSignalSpy marked(control, &PersistedWidget::PropertyChanged);
    ASSERT_TRUE(control->setProperty(c.property, c.value));
    EXPECT_EQ(control->property(c.property), expected) << Show(control->property(c.property));
    EXPECT_EQ(notified.count(), changes ? 1 : 0);
    if (changes && property.notifySignal().parameterCount() == 1) {
      QVariant told = notified.value(0).value(0);
      ASSERT_TRUE(told.convert(property.metaType()));
      EXPECT_EQ(told, expected);
    }
    EXPECT_EQ(Marks(marked, name), changes || c.marksEverySet ? 1 : 0);

    ASSERT_TRUE(control->setProperty(c.property, c.value));
    EXPECT_EQ(notified.count(), changes ? 1 : 0) << "a set to the same value notified";
    EXPECT_EQ(Marks(marked, name), c.marksEverySet ? 2 : changes ? 1 : 0);

    MemoryPropertyBag bag;
    control->WriteProperties(bag);
    EXPECT_EQ(bag.contains(QString::fromLatin1(c.key)), changes);

    QWidget otherHost;
    PersistedWidget* read = make(&otherHost);
    QSignalSpy readNotified(read, property.notifySignal());
    QSignalSpy readMarked(read, &PersistedWidget::PropertyChanged);
    read->ReadProperties(bag);
    EXPECT_EQ(read->property(c.property), expected) << Show(read->property(c.property));
    EXPECT_EQ(readNotified.count(), changes ? 1 : 0);
    EXPECT_EQ(readMarked.count(), 0);
  }
}
