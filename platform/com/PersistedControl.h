#pragma once
// What every control with design-time properties offers its host: it reads
// them from the host's property bag when it is created and writes them back
// when the host saves. One signature for all controls, so a host persists
// any of them the same way.
class PropertyBag;

class PersistedControl {
 public:
  virtual ~PersistedControl() = default;
  virtual void ReadProperties(const PropertyBag& bag) = 0;
  virtual void WriteProperties(PropertyBag& bag) const = 0;
};
