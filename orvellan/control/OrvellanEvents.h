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
