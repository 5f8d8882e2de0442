#pragma once
// Header checks for formats whose codec loaders (those of the library 3.18)
// trust header fields and then read past their own buffers: such files decode
// "successfully" into garbage (heap contents) or crash. A file that fails a
// guard is refused.
#include <cstddef>
#include <cstdint>

#include "app/imaging/CodecFile.h"

// header: the file's first bytes (at least 128 when the file has them);
// fileSize: the whole file's length.
bool PassesHeaderGuards(InputKind kind, const uint8_t* header, size_t headerBytes, uint64_t fileSize);
