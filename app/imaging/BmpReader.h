#pragma once
// A reader for the BMP files the codec library refuses: those with a version
// 4 (108-byte) or version 5 (124-byte) info header, as most painting programs
// and ImageMagick write them, at 16, 24 or 32 bits per pixel, uncompressed or
// with bit fields, bottom up or top down. Every size in the header is checked
// against the file and the pixel limit before anything is allocated or read.
#include <cstddef>
#include <cstdint>

#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

// Whether the first bytes of a file are a BMP file header followed by a
// version 4 or 5 info header.
bool HasBmpV4OrV5Header(const uint8_t* header, size_t headerBytes);

struct BmpRead {
  // Unsupported: a layout this reader leaves to the codec (palettes,
  // run-length or embedded JPEG/PNG pixels). TooLarge: past maxPixels.
  // Damaged: sizes that do not fit the file. NotReadable: no such file.
  Outcome outcome;
  PixelBuffer pixels;  // RGB32, fourth byte 255, with the file's bits per pixel
};

// Reads a BMP file with a version 4 or 5 info header.
BmpRead ReadBmpV4V5(const char* path, uint64_t maxPixels);
