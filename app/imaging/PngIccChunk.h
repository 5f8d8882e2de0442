#pragma once
// The ICC profile of a PNG file's iCCP chunk. FreeImage 3.18 as Debian builds
// it drops the chunk, so it is read here with libpng (header chunks only).
#include <png.h>

#include <cstdint>
#include <vector>

// Empty when the file has no iCCP chunk or cannot be read as PNG.
std::vector<uint8_t> ReadPngIccProfile(const char* path);

// The iCCP chunk's profile of a file whose header chunks libpng has read
// (png_read_info); empty when there is none.
std::vector<uint8_t> PngIccProfile(png_structp png, png_infop info);
