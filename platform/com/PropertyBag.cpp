#include "platform/com/PropertyBag.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

QVariant MemoryPropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
  auto it = values_.constFind(name);
  return it == values_.constEnd() ? defaultValue : it.value();
}

void MemoryPropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) {
  if (value == defaultValue)
    values_.remove(name);
  else
    values_.insert(name, value);
}

bool FilePropertyBag::Load() {
  QFile f(path_);
  if (!f.open(QIODevice::ReadOnly)) return false;
  QDataStream in(&f);
  in.setVersion(QDataStream::Qt_6_0);
  QMap<QString, QVariant> loaded;
  in >> loaded;
  if (in.status() != QDataStream::Ok) return false;
  values_ = loaded;
  return true;
}

bool FilePropertyBag::Save() const {
  QSaveFile f(path_);
  if (!f.open(QIODevice::WriteOnly)) return false;
  QDataStream out(&f);
  out.setVersion(QDataStream::Qt_6_0);
  out << values_;
  return out.status() == QDataStream::Ok && f.commit();
}
