#pragma once
// The embedded preview of a camera RAW file, read with LibRaw alone: only the
// preview's bytes are read, never the sensor data (the codec library's RAW
// glue reads and converts far more for the same picture).
#include <cstdint>

#include "app/imaging/PixelBuffer.h"

// The preview, RGB32 (fourth byte 255) and upright (by the preview's own
// Exif orientation when it is a JPEG that has one, else by the file's), when
// its long edge reaches minLongEdge; empty when the file has none that large
// or LibRaw cannot read it (the caller then decodes the file another way).
PixelBuffer ReadRawPreview(const char* path, uint32_t minLongEdge, uint64_t maxPixels);
