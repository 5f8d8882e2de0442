#pragma once
// The base of the custom controls: a widget whose design-time properties the
// host keeps in its property store (PersistedControl), with one cue for the
// host that there is something to save: PropertyChanged(name), raised once for
// every real change of a persisted property. Taking the initial or stored
// properties changes what the control shows but marks nothing.
#include <QPointer>
#include <QScopedValueRollback>
#include <QWidget>
#include <utility>

#include "app/controls/common/SetIfChanged.h"
#include "platform/com/PersistedControl.h"

class PersistedWidget : public QWidget, public PersistedControl {
  Q_OBJECT
 public:
  explicit PersistedWidget(QWidget* parent = nullptr);

 signals:
  void PropertyChanged(const QString& name);

 protected:
  // Raises PropertyChanged(name), except while the control loads its properties.
  void MarkChanged(const char* name);
  // Raises notify with value, then marks name changed. A handler may delete
  // the control: the handlers get a copy of the value, and nothing of the
  // control is touched after that.
  template <typename Control, typename Arg, typename V>
  void Notify(void (Control::*notify)(Arg), const V& value, const char* name) {
    const QPointer<PersistedWidget> self(this);
    const V told = value;
    emit(static_cast<Control*>(this)->*notify)(told);
    if (self) MarkChanged(name);
  }
  // The plain setter: when value differs from member it is stored, the
  // control repaints and the change is notified. Returns whether it changed.
  template <typename Control, typename T, typename U, typename Arg>
  bool SetProperty(T& member, U&& value, void (Control::*notify)(Arg), const char* name) {
    if (!SetIfChanged(member, std::forward<U>(value))) return false;
    update();
    Notify(notify, member, name);
    return true;
  }
  // Held by InitProperties and ReadProperties while they run.
  [[nodiscard]] QScopedValueRollback<bool> LoadingProperties() {
    return QScopedValueRollback<bool>(loading_, true);
  }

 private:
  bool loading_ = false;
};
