#pragma once
// TIFF through libtiff: a striped file scanline by scanline, a tiled one tile
// by tile (one row of tiles open in the shrinker). The first image of the
// file; chunky samples only. The orientation tag is ignored, as the
// whole-image path ignores it.
#include <memory>

#include "app/imaging/StreamReader.h"

std::unique_ptr<StreamReader> OpenTiffStreamReader(const char* path);
