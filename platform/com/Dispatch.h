#pragma once
// Late-bound access to a control through its meta-object, the way a host
// talks to a control it only knows by programmatic identifier: properties by
// name, methods by name with converted arguments, events by name with their
// arguments by reference. A numbered error raised inside the control reaches
// the caller of these functions as a thrown ComError.
//
// Errors never travel through Qt's frames as exceptions: the control side
// records them on the object (Dispatch::Guard) and the host side rethrows
// them once the call has returned.
#include <QObject>
#include <QVariant>
#include <QVariantList>
#include <functional>

#include "platform/com/ComError.h"

class Dispatch {
 public:
  // Property Get / Let / Set. SetRef assigns "by reference": it calls the
  // control's invokable putref_<name>, falling back to an ordinary write.
  static QVariant Get(QObject* object, const char* name);
  static void Set(QObject* object, const char* name, const QVariant& value);
  static void SetRef(QObject* object, const char* name, const QVariant& value);

  // Calls the invokable method name with args converted to its parameter
  // types; returns its result (invalid for void methods). Integer arguments
  // that do not fit a 16-bit or 8-bit parameter raise error 6 (overflow).
  static QVariant Call(QObject* object, const char* name, const QVariantList& args = {});

  // An event handler sees the event's arguments and may change them; changed
  // values go back to the control (arguments by reference).
  using EventHandler = std::function<void(QVariantList& args)>;
  // Connects handler to the event (signal) eventName of source, or of the
  // object in source's property Events when source has no such signal. The handler
  // lives as long as context (or source when context is null). Throws 438
  // when the source has no such event.
  static void Advise(QObject* source, const char* eventName, EventHandler handler, QObject* context = nullptr);

  // Control side: runs body; a ComError it throws is recorded on self for the
  // host to receive instead of escaping.
  template <class F>
  static void Guard(QObject* self, F&& body) {
    try {
      body();
    } catch (const ComError& e) {
      Record(self, e);
    }
  }
  static void Record(QObject* self, const ComError& error);

 private:
  static void ClearPending(QObject* object);
  static void ThrowPending(QObject* object);
};
