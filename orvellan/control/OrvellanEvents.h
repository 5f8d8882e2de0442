#pragma once
// The control's event source (its outgoing dispatch interface). Events live
// on their own object because two of them share their names with methods
// (OvZoomIN, OvZoomOUT). Arguments are references: a host's handler may
// change them and the control uses the changed value (e.g. KeyCode).
#include <QObject>

class OrvellanEvents : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 signals:
  void Click();
  void ClickBack();
  void DblClick();
  void KeyDown(short& KeyCode, short& Shift);
  void KeyPress(short& KeyAscii);
  void KeyUp(short& KeyCode, short& Shift);
  void MouseDown(short& Button, short& Shift, float& x, float& y);
  void MouseMove(short& Button, short& Shift, float& x, float& y);
  void MouseUp(short& Button, short& Shift, float& x, float& y);
  void OvChanged();
  void OvScrolled();
  void OvZoomIN();
  void OvZoomOUT();
  void OvZoomBEST();
  void OvZoomACTUAL();
  void OvZoomPCNT();
  void OvZTClick();
  void OvZTDblClick();
  void OvZTKeyDown(short& KeyCode, short& Shift);
  void OvZTKeyUp(short& KeyCode, short& Shift);
  void OvZTMouseDown(short& Button, short& Shift);
  void OvZTMouseUp(short& Button, short& Shift);
};

// ---- raising events (declared in Orvellan.h) ----

#include <QPointer>
#include <type_traits>

#include "orvellan/control/Orvellan.h"

template <class Step>
bool Orvellan::Survives(Step&& step) {
  const QPointer<Orvellan> alive(this);
  step();
  return !alive.isNull();
}

template <class Arg, class Value>
bool Orvellan::Notify(void (Orvellan::*signal)(Arg), const Value& value) {
  const std::decay_t<Arg> told = value;
  return Survives([&] { emit(this->*signal)(told); });
}

template <class... Params, class... Args>
bool Orvellan::Raise(void (OrvellanEvents::*event)(Params...), Args&... args) {
  if constexpr (sizeof...(Params) == 0) {
    if (insideQtHandler_ > 0) {
      QMetaObject::invokeMethod(
          this, [this, event] { (void)Raise(event); }, Qt::QueuedConnection);
      return true;
    }
  }
  ++raising_;
  if (!Survives([&] { (events_->*event)(args...); })) return false;
  --raising_;
  return true;
}

class Orvellan::QtHandlerScope {
 public:
  explicit QtHandlerScope(Orvellan* control) : control_(control) { ++control_->insideQtHandler_; }
  ~QtHandlerScope() { --control_->insideQtHandler_; }
  QtHandlerScope(const QtHandlerScope&) = delete;
  QtHandlerScope& operator=(const QtHandlerScope&) = delete;

 private:
  Orvellan* control_;
};
