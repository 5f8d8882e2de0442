#pragma once
// How much of the selection a run makes and what it keeps: a plain run makes
// every selected file and keeps no record; past that, a run can redo only what
// changed, make one shard of the files, or only assemble the album pages.
#include <QByteArray>

struct RunScope {
  bool update = false;    // redo only outputs whose source, options or file changed
  bool prune = false;     // with update: remove the outputs whose source is gone
  bool assemble = false;  // make nothing; check every output is there, then write the pages
  bool shard = false;     // make the files at positions shardIndex modulo shardCount; no pages
  int shardIndex = 0;
  int shardCount = 1;
  QByteArray thumbnailDigest;  // of the options that shape a thumbnail
  QByteArray albumDigest;      // of the options that shape the album pages

  bool recorded() const { return update || assemble || shard; }
};
