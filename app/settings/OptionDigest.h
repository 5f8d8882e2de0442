#pragma once
// Digests of the option values that shape an output: every row of the option
// table whose member is a thumbnail option (or an album option), so a row
// added to the table is part of the digest without more code. A re-run
// compares them with the digest recorded beside each output.
#include <QByteArray>

#include "app/album/AlbumOptions.h"
#include "app/engine/ThumbnailOptions.h"

QByteArray ThumbnailOptionsDigest(const ThumbnailOptions& options);
QByteArray AlbumOptionsDigest(const AlbumOptions& options);
