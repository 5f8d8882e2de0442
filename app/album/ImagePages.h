#pragma once
// The image pages of an album ("Create custom fullsize image pages."): one
// page per image beside the album pages, showing its web-size copy fitted to
// the window, its name, its place in the album ("5 of 12"), links to the
// previous, next, first and last image, to the album page that holds it and
// to the original. Arrow keys, Home, End, Escape and swipes move between
// them; without script every move is a plain link. UTF-8 text.
#include <QSet>
#include <QString>
#include <QStringList>

#include "app/album/AlbumOptions.h"
#include "app/album/AlbumPages.h"

// The longest side of the web-size copies the run makes for these options, 0
// for none (image pages off).
inline int ImagePageCopySize(const AlbumOptions& options) {
  return options.createFullsizePages ? options.imagePageSize : 0;
}

// Whether those pages show each photo's EXIF details under its name.
inline bool ImagePageDetails(const AlbumOptions& options) {
  return options.createFullsizePages && options.showPhotoDetails;
}

// File name of the page of image k (from 1): the page file name without
// surrounding blanks, "_img", k with at least four digits and ".htm"
// ("gallery_img0001.htm").
QString ImagePageFileName(const AlbumOptions& options, qint64 image);

// The web-size copy of a thumbnail list entry, relative to the destination
// folder and joined with "/" ("images/beach.jpg").
QString ImageCopyPath(const AlbumOptions& options, const QString& thumbnailEntry);

// Writes the page of every image into destinationFolder; thumbnails and
// sources as for WriteAlbumPages. A page shows the image's web-size copy, or
// the original where the copy is not in the folder. With showPhotoDetails, details[k] holds the
// lines shown under image k's name (escaped, each isolated in <bdi>). A page whose file would be one of keep is
// not written; nothing is written when the page file name would lead out of
// the folder or a page holds no cells.
AlbumWriteResult WriteImagePages(const QStringList& thumbnails, const QStringList& sources,
                                 const QString& destinationFolder, const AlbumOptions& options,
                                 const QSet<QString>& keep = {}, const QList<QStringList>& details = {});
