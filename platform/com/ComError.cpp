#include "platform/com/ComError.h"

ComError::ComError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description) {}

ComError::ComError(int number) : ComError(number, StandardDescription(number)) {}

QString ComError::StandardDescription(int number) {
  switch (number) {
    case kErrOverflow: return QStringLiteral("Overflow");
    case kErrSubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case kErrTypeMismatch: return QStringLiteral("Type mismatch");
    case kErrFileNotFound: return QStringLiteral("File not found");
    case kErrFileAlreadyOpen: return QStringLiteral("File already open");
    case kErrDiskFull: return QStringLiteral("Disk full");
    case kErrPermissionDenied: return QStringLiteral("Permission denied");
    case kErrPathFileAccess: return QStringLiteral("Path/File access error");
    case kErrPathNotFound: return QStringLiteral("Path not found");
    case kErrInvalidPropertyValue: return QStringLiteral("Invalid property value");
    case kErrCantCreateObject: return QStringLiteral("ActiveX component can't create object");
    case kErrNotSupported: return QStringLiteral("Object doesn't support this property or method");
    default: return QStringLiteral("Application-defined or object-defined error");
  }
}
