#pragma once
// One table of property cases per control, each case checked the same way
// on a fresh control:
// - the property is set through the meta-object and reads back as expected;
// - its NOTIFY signal is raised once (with the new value) when that differs
//   from the control's default, and not at all when the same value is set again;
// - PropertyChanged(name) marks each real change once (every set, for a
//   property that acts on every set);
// - WriteProperties stores the key exactly when the value is not the default,
//   and a fresh control's ReadProperties brings the value back, raising the
//   NOTIFY signal for a real change and marking nothing.
#include <QString>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

class PersistedWidget;
class QWidget;

struct PropertyCase {
  PropertyCase(const char* property, const char* key, QVariant value, QVariant expected = {},
               bool marksEverySet = false)
      : property(property), key(key), value(std::move(value)), expected(std::move(expected)),
        marksEverySet(marksEverySet) {}

  const char* property;
  const char* key;     // the key in the property bag
  QVariant value;      // what is set
  QVariant expected;   // what reads back; invalid: the value itself
  bool marksEverySet;  // the property acts and marks itself changed on every set
};

// make creates the control as a child of host (owned by it).
using ControlFactory = std::function<PersistedWidget*(QWidget* host)>;

void CheckPropertyTable(const ControlFactory& make, const std::vector<PropertyCase>& cases);
