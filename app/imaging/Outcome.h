#pragma once
// What became of one thing that can fail (decoding, encoding, writing,
// copying a file): done, or the reason it was not. The run turns a reason
// into the one failure text of a file.
#include <cstdint>

enum class Failure : int32_t {
  None = 0,            // done
  NotFound,            // the file or folder is not there
  NotReadable,         // there, but it cannot be opened or read
  Unsupported,         // not a format the program reads or writes
  Damaged,             // the codec could not make sense of it
  TooLarge,            // past the decoder's size or memory limits
  DecoderGaveUp,       // the decoder crashed, hit a limit or ran out of time on it
  NoImage,             // there was no picture to write
  ConversionFailed,    // the pixels could not be brought into the format
  DiskFull,            // no space left on the device
  PermissionDenied,    // the folder or file may not be written
  NameRefused,         // a name that would put a file elsewhere, or an invalid one
  WriteFailed,         // any other failure to write
  DecoderUnavailable,  // no decoder process could be started
  Abandoned,           // the caller stopped waiting for it
};

struct Outcome {
  Failure failure = Failure::None;
  bool ok() const { return failure == Failure::None; }
  explicit operator bool() const { return ok(); }
  static Outcome Done() { return {}; }
  static Outcome Failed(Failure why) { return Outcome{why}; }
};

// The reason behind a system error number (errno) from opening, writing,
// renaming or reading a file.
Failure FailureOfErrno(int error);
