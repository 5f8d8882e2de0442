#pragma once
// A photo's orientation (the EXIF/TIFF tag 274: 1 upright, 2-8 mirrored or
// turned) and turning pixels upright by it.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "app/imaging/PixelBuffer.h"

// Reads size bytes at offset of a TIFF structure; false past its end.
using TiffBytes = std::function<bool(uint64_t offset, uint8_t* out, size_t size)>;

// The orientation (1-8) in the first image directory of a TIFF structure
// (a TIFF-based RAW file, or the block after "Exif\0\0" in a JPEG); 1 when
// there is none or the structure is damaged.
uint16_t TiffOrientation(const TiffBytes& read);

// The orientation in the first image directory of a TIFF-based file (DNG,
// CR2, NEF, ARW, PEF, SRW; ORF and RW2 differ only in their magic number); 1
// when there is none or the file cannot be read.
uint16_t TiffFileOrientation(const char* path);

// Whether an orientation swaps width and height (5-8).
inline bool TurnsSides(uint16_t orientation) { return orientation >= 5 && orientation <= 8; }

// The pixels of source turned upright by an orientation into out, which has
// room for the upright picture (its sides swapped for 5-8), rows top down
// and no padding: mirrored first where the orientation has a mirror, then
// turned anticlockwise (180 degrees for 3 and 4, 90 for 5 and 8, 270 for 6
// and 7).
void CopyUpright(const PixelView& source, uint16_t orientation, uint32_t* out);
