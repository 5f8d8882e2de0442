#pragma once
// A numbered error as a control reports it to its host (380 invalid property
// value, 9 subscript out of range, 6 overflow, and the file errors).
#include <QString>
#include <stdexcept>

enum ComErrorNumber : int {
  kErrOverflow = 6,
  kErrSubscriptOutOfRange = 9,
  kErrTypeMismatch = 13,
  kErrFileNotFound = 53,
  kErrFileAlreadyOpen = 55,
  kErrDiskFull = 61,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrInvalidPropertyValue = 380,
  kErrCantCreateObject = 429,
  kErrNotSupported = 438,
};

class ComError : public std::runtime_error {
 public:
  ComError(int number, const QString& description);
  explicit ComError(int number);  // with the standard description of the number

  int number() const { return number_; }
  const QString& description() const { return description_; }

  static QString StandardDescription(int number);

 private:
  int number_;
  QString description_;
};
