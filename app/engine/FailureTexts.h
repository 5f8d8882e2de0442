#pragma once
// The words the run and the previews use for why something failed: one text
// for each reason of an Outcome.
#include <QString>

#include "app/imaging/Outcome.h"

// Why a file could not be read or decoded ("not an image this program can
// read, or damaged"); empty for Failure::None.
QString FailureText(Failure why);

// Why what ("its thumbnail", "its full-size copy") was not written to path:
// "its thumbnail could not be written to /out/a.jpg: the disk is full", or
// for a picture that could not be brought into the format "its thumbnail
// could not be converted to its output format".
QString WriteFailureText(const QString& what, const QString& path, Failure why);
