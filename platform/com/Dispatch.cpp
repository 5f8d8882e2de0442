#include "platform/com/Dispatch.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <limits>
#include <memory>
#include <vector>

namespace {

const char kPendingError[] = "_comPendingError";

// Converts value to type; integer narrowing outside the target's range is an
// overflow, anything that cannot convert a type mismatch.
QVariant ConvertFor(const QVariant& value, QMetaType type) {
  if (value.metaType() == type) return value;
  auto checkRange = [&](qlonglong lo, qlonglong hi) {
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (ok && (d < lo - 0.5 || d > hi + 0.5)) throw ComError(kErrOverflow);
  };
  switch (type.id()) {
    case QMetaType::Short: checkRange(std::numeric_limits<short>::min(), std::numeric_limits<short>::max()); break;
    case QMetaType::UShort: checkRange(0, std::numeric_limits<unsigned short>::max()); break;
    case QMetaType::UChar: checkRange(0, 255); break;
    case QMetaType::Int: checkRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()); break;
    default: break;
  }
  QVariant converted = value;
  if (!value.isValid()) return QVariant(type);
  if (!converted.convert(type)) throw ComError(kErrTypeMismatch);
  return converted;
}

QMetaMethod FindMethod(const QObject* object, const char* name, QMetaMethod::MethodType kind) {
  const QMetaObject* mo = object->metaObject();
  for (int i = mo->methodCount() - 1; i >= 0; --i) {
    const QMetaMethod m = mo->method(i);
    if (m.methodType() == kind && m.name() == name) return m;
  }
  return QMetaMethod();
}

// The type of a parameter; for a parameter by reference ("short&") the
// referenced type, whose value the argument pointer addresses.
QMetaType ParameterType(const QMetaMethod& method, int i) {
  QMetaType type = method.parameterMetaType(i);
  if (type.isValid()) return type;
  QByteArray name = method.parameterTypeName(i);
  while (name.endsWith('&')) name.chop(1);
  return QMetaType::fromName(name);
}

// Receives one signal through the meta-call mechanism and hands its
// arguments to a handler as variants, writing changed values back.
class EventSink : public QObject {
 public:
  EventSink(QMetaMethod signal, Dispatch::EventHandler handler, QObject* parent)
      : QObject(parent), signal_(signal), handler_(std::move(handler)) {}

  int qt_metacall(QMetaObject::Call call, int id, void** argv) override {
    id = QObject::qt_metacall(call, id, argv);
    if (id < 0 || call != QMetaObject::InvokeMetaMethod) return id;
    if (id == 0) Deliver(argv);
    return id - 1;
  }

 private:
  // The handler may destroy the event's source and with it this sink, so
  // Deliver works on local copies of the signal and the handler.
  void Deliver(void** argv) {
    const QMetaMethod signal = signal_;
    const Dispatch::EventHandler handler = handler_;
    QVariantList args;
    for (int i = 0; i < signal.parameterCount(); ++i) args.append(QVariant(ParameterType(signal, i), argv[i + 1]));
    const QVariantList before = args;
    handler(args);
    // The arguments live in the frame that raised the event, which is still running.
    for (int i = 0; i < signal.parameterCount() && i < args.size(); ++i) {
      if (args[i] == before[i]) continue;
      const QMetaType type = ParameterType(signal, i);
      if (!type.isValid()) continue;
      QVariant v = args[i];
      if (!v.convert(type)) continue;
      type.destruct(argv[i + 1]);
      type.construct(argv[i + 1], v.constData());
    }
  }

  QMetaMethod signal_;
  Dispatch::EventHandler handler_;
};

}  // namespace

void Dispatch::Record(QObject* self, const ComError& error) {
  self->setProperty(kPendingError, QVariantList{error.number(), error.description()});
}

void Dispatch::ClearPending(QObject* object) {
  if (object->property(kPendingError).isValid()) object->setProperty(kPendingError, QVariant());
}

void Dispatch::ThrowPending(QObject* object) {
  const QVariant pending = object->property(kPendingError);
  if (!pending.isValid()) return;
  object->setProperty(kPendingError, QVariant());
  const QVariantList e = pending.toList();
  throw ComError(e.value(0).toInt(), e.value(1).toString());
}

QVariant Dispatch::Get(QObject* object, const char* name) {
  const QMetaObject* mo = object->metaObject();
  const int index = mo->indexOfProperty(name);
  if (index < 0) throw ComError(kErrNotSupported);
  QPointer<QObject> guard(object);
  ClearPending(object);
  QVariant value = mo->property(index).read(object);
  if (guard) ThrowPending(object);
  return value;
}

void Dispatch::Set(QObject* object, const char* name, const QVariant& value) {
  const QMetaObject* mo = object->metaObject();
  const int index = mo->indexOfProperty(name);
  if (index < 0) throw ComError(kErrNotSupported);
  const QMetaProperty property = mo->property(index);
  if (!property.isWritable()) throw ComError(kErrNotSupported);
  const QVariant converted = ConvertFor(value, property.metaType());
  QPointer<QObject> guard(object);
  ClearPending(object);
  property.write(object, converted);
  if (guard) ThrowPending(object);
}

void Dispatch::SetRef(QObject* object, const char* name, const QVariant& value) {
  const QByteArray method = QByteArray("putref_") + name;
  if (FindMethod(object, method.constData(), QMetaMethod::Method).isValid())
    Call(object, method.constData(), {value});
  else
    Set(object, name, value);
}

QVariant Dispatch::Call(QObject* object, const char* name, const QVariantList& args) {
  const QMetaMethod method = FindMethod(object, name, QMetaMethod::Method);
  if (!method.isValid() || method.parameterCount() != args.size()) throw ComError(kErrNotSupported);

  std::vector<QVariant> converted;
  converted.reserve(args.size());
  for (int i = 0; i < args.size(); ++i) converted.push_back(ConvertFor(args[i], method.parameterMetaType(i)));

  // Meta-call argument vector: slot 0 is the return value.
  QVariant result;
  if (method.returnMetaType().isValid() && method.returnMetaType().id() != QMetaType::Void)
    result = QVariant(method.returnMetaType());
  std::vector<void*> argv(args.size() + 1, nullptr);
  argv[0] = result.isValid() ? result.data() : nullptr;
  for (size_t i = 0; i < converted.size(); ++i) argv[i + 1] = converted[i].data();

  QPointer<QObject> guard(object);
  ClearPending(object);
  QMetaObject::metacall(object, QMetaObject::InvokeMetaMethod, method.methodIndex(), argv.data());
  if (guard) ThrowPending(object);
  return result;
}

void Dispatch::Advise(QObject* source, const char* eventName, EventHandler handler, QObject* context) {
  QMetaMethod signal = FindMethod(source, eventName, QMetaMethod::Signal);
  if (!signal.isValid()) {
    // A control may raise its events from a separate event source.
    if (QObject* events = source->property("Events").value<QObject*>()) {
      source = events;
      signal = FindMethod(source, eventName, QMetaMethod::Signal);
    }
  }
  if (!signal.isValid()) throw ComError(kErrNotSupported);
  auto* sink = new EventSink(signal, std::move(handler), context ? context : source);
  QMetaObject::connect(source, signal.methodIndex(), sink, QObject::staticMetaObject.methodCount(),
                       Qt::DirectConnection);
}
