#include "app/imaging/Outcome.h"

#include <cerrno>

Failure FailureOfErrno(int error) {
  switch (error) {
    case 0:
      return Failure::WriteFailed;  // a failure that set no error number
    case ENOSPC:
    case EDQUOT:
      return Failure::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return Failure::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
      return Failure::NotFound;
    case ENAMETOOLONG:
    case EISDIR:
    case EINVAL:
      return Failure::NameRefused;
    default:
      return Failure::WriteFailed;
  }
}
