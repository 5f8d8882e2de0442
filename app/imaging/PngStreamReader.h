#pragma once
// PNG through libpng's row interface. Rows in order go straight into the
// shrinker; an interlaced (Adam7) file sends every pass's pixels to the
// block they belong to, so its sums are kept for the whole shrunk image
// (three words per output pixel) while only one pass row is read at a time.
#include <cstdio>
#include <memory>

#include "app/imaging/StreamReader.h"

std::unique_ptr<StreamReader> OpenPngStreamReader(std::FILE* file);
