#include "app/controls/common/ControlAccessibility.h"

#include <QHash>
#include <QString>

namespace {

QHash<QString, AccessibleCreator>& Creators() {
  static QHash<QString, AccessibleCreator> creators;
  return creators;
}

// Qt asks for each class of the object's chain, most derived first.
QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType()) return nullptr;
  const AccessibleCreator creator = Creators().value(className);
  return creator ? creator(object) : nullptr;
}

}  // namespace

void RegisterAccessible(const char* className, AccessibleCreator creator) {
  if (Creators().isEmpty()) QAccessible::installFactory(ControlFactory);
  Creators().insert(QString::fromLatin1(className), creator);
}

void NotifyAccessibleValue(QObject* control, const QVariant& value) {
  QAccessibleValueChangeEvent event(control, value);
  QAccessible::updateAccessibility(&event);
}

void NotifyAccessibleName(QObject* control) {
  QAccessibleEvent event(control, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}
