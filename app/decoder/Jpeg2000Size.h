#pragma once
// The size of a JPEG 2000 image read from its first bytes: the codec offers
// no header-only pass, and the decoder must refuse an oversized image before
// the codec allocates it.
#include <cstddef>
#include <cstdint>

// A raw codestream's SIZ marker, or a JP2 file's image header box ('ihdr'
// inside 'jp2h'). False when neither is found where it must be.
bool ReadJpeg2000Size(const uint8_t* header, size_t headerBytes, uint32_t* width, uint32_t* height);
