#pragma once
// The custom controls speak to assistive tools (AT-SPI, screen readers) the
// way Qt's own widgets do: each control folder has a QAccessibleWidget
// subclass, and one QAccessible factory creates it for the control's class.
// A control's constructor registers its interface, so every program and test
// that makes the control has it without further set-up.
#include <QAccessible>
#include <QVariant>

class QObject;

using AccessibleCreator = QAccessibleInterface* (*)(QObject* control);

// Makes creator the interface of the widgets of the class named className
// (and of its subclasses that have none of their own). The first call
// installs the factory; registering a class again replaces its creator.
void RegisterAccessible(const char* className, AccessibleCreator creator);

// Registers Interface for Control once, however many controls are made.
template <typename Control, typename Interface>
void RegisterAccessibleOnce() {
  static const bool registered = [] {
    RegisterAccessible(Control::staticMetaObject.className(), [](QObject* control) -> QAccessibleInterface* {
      return new Interface(static_cast<Control*>(control));
    });
    return true;
  }();
  (void)registered;
}

// Tells assistive tools that the control's value is now value.
void NotifyAccessibleValue(QObject* control, const QVariant& value);
// Tells assistive tools that the control's name has changed.
void NotifyAccessibleName(QObject* control);
