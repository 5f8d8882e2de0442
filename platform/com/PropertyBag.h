#pragma once
// The host's property store for a control's design-time properties. Read gives
// the stored value or the default; write stores a value unless it equals its
// default (then any stored value is removed).
#include <QMap>
#include <QString>
#include <QVariant>

class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  virtual QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const = 0;
  virtual void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) = 0;
};

class MemoryPropertyBag : public PropertyBag {
 public:
  QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const override;
  void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue) override;

  bool contains(const QString& name) const { return values_.contains(name); }
  QStringList keys() const { return values_.keys(); }
  QVariant stored(const QString& name) const { return values_.value(name); }

 protected:
  QMap<QString, QVariant> values_;
};

// A bag kept in a file (Qt's binary variant stream). Load reads the file, Save
// writes it whole (temporary file, then rename).
class FilePropertyBag : public MemoryPropertyBag {
 public:
  explicit FilePropertyBag(QString path) : path_(std::move(path)) {}
  bool Load();
  bool Save() const;

 private:
  QString path_;
};
