#pragma once
// The album writer: numbered HTML pages that lay the thumbnails of a batch
// run out in a table, each linked to its full-size image.
#include <QSet>
#include <QString>
#include <QStringList>

#include "app/album/AlbumOptions.h"
#include "app/album/FitCaption.h"

struct AlbumWriteResult {
  int pagesWritten = 0;
  int pagesFailed = 0;
};

// Writes every page of the album into destinationFolder. thumbnails holds one
// entry per thumbnail (base name and output extension, e.g. beach.jpg) and
// sources the full-size file names in the same order; prefix and suffix are
// the ones the thumbnails were named with. Captions are fitted to
// thumbSurfaceWidth with textWidth. Nothing is written when there are no
// thumbnails or no cells per page. A page whose file would be one of keep
// (canonical paths, such as the run's source files) is not written, and no
// page is written when the page file name would lead out of the destination
// folder. With createFullsizePages the image pages are written too
// (ImagePages.h, with details) and each thumbnail links to its image's page. Shows nothing: the counts tell the caller
// how many pages were written and how many could not be.
AlbumWriteResult WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                                 const QString& destinationFolder, const QString& prefix, const QString& suffix,
                                 const AlbumOptions& options, int thumbSurfaceWidth,
                                 const TextWidthFunction& textWidth, const QSet<QString>& keep = {},
                                 const QList<QStringList>& details = {});

// File name of page p (from 1): the page file name without surrounding
// blanks, the number and ".htm".
QString AlbumPageFileName(const AlbumOptions& options, qint64 page);
