#pragma once
// The frame size of a JPEG file read from its start-of-frame marker, without
// the library: the decoder needs it before decoding (pixel limit, size hint),
// and walking the markers costs far less than the library's header pass.
#include <cstdint>

// False when the file is not a JPEG this walk understands (no start-of-frame
// before the scan, a segment running past the end): then ask the library.
bool ReadJpegFrameSize(const char* path, uint32_t* width, uint32_t* height);
