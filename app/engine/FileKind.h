#pragma once
// What kind of image a file holds, told from its first bytes, for the words
// of a failure: a file the program did not read says what it is.
#include <QString>

#include "app/imaging/Outcome.h"

// The format's name ("WebP", "HEIC", "JPEG XR", ...) from the file's
// content; empty when its first bytes name none this knows.
QString ImageKindOfFile(const QString& path);

// FailureText(why), told more precisely when the content names its format:
// "HEIC images need a HEVC decoder, which this system lacks", "this is a
// JPEG XR file, which this program does not read", or "not an image this
// program can read, or damaged (this is a WebP file)".
QString FileFailureText(const QString& path, Failure why);
