#pragma once
// Header checks for formats whose FreeImage 3.18 loaders trust header fields
// and then read past their own buffers: such files decode "successfully" into
// garbage (heap contents) or crash. A file that fails a guard is refused.
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>

// header: the file's first bytes (at least 128 when the file has them);
// fileSize: the whole file's length.
bool PassesHeaderGuards(FREE_IMAGE_FORMAT fif, const uint8_t* header, size_t headerBytes, uint64_t fileSize);
