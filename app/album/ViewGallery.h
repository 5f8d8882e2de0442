#pragma once
// The "View Gallery" command: the album's first page in the default browser.
#include <QString>

#include "app/album/AlbumOptions.h"

// Path of the album's first page in destinationFolder.
QString FirstAlbumPagePath(const QString& destinationFolder, const AlbumOptions& options);

// Opens the first page through the shell when it exists as a normal file;
// otherwise does nothing. True when the page was handed to the shell and the
// shell opened it. Shows nothing either way.
bool ViewGallery(const QString& destinationFolder, const AlbumOptions& options);
