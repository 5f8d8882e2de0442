#pragma once
// One album page file on disk.
#include <QByteArray>
#include <QString>

// Writes pageText followed by CR LF to path, whole: the bytes go to a
// temporary file beside it that then replaces any earlier page, so a failure
// leaves the earlier page as it was. False when the page could not be written.
bool WriteAlbumPageFile(const QString& path, const QByteArray& pageText);

// True when path names a regular file that is not hidden (its name does not
// start with ".").
bool AlbumPageExists(const QString& path);
