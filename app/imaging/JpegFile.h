#pragma once
// The glue to libjpeg for the JPEG files most cameras and phones write
// (YCbCr, RGB or grey), and for the JPEG files the program writes: with the
// same library and settings as the codec library's own JPEG loader and
// writer (so the pixels and the bytes are the same), without its bitmaps
// between.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/imaging/PixelBuffer.h"

enum class JpegReadStatus {
  Decoded,
  NotHandled,  // CMYK or YCCK, or libjpeg stopped: nothing was kept; the codec library reads it
  NoRoom,      // the target gave no room
};

struct JpegRead {
  JpegReadStatus status = JpegReadStatus::NotHandled;
  uint32_t width = 0;   // upright, as written to the target
  uint32_t height = 0;
  uint32_t bpp = 0;     // 8 grey, 24 colour
  uint16_t orientation = 1;  // the EXIF orientation the picture was turned upright by
};

// How finely a JPEG may be reduced while it is decoded.
enum class JpegScales {
  Halvings,  // 1/2, 1/4, 1/8: the codec library's own choice
  Eighths,   // any n/8: the smallest whose long edge reaches the request
};

// Decodes with the accurate DCT at 1/8, 1/4 or 1/2 of the size when the long
// edge divided by sizeRequest reaches 8, 4 or 2 (0: every pixel), turns the
// picture upright by its EXIF orientation and brings an embedded ICC
// profile's colours to sRGB.
JpegRead ReadJpeg(const char* path, uint32_t sizeRequest, const PixelTarget& target,
                  JpegScales scales = JpegScales::Halvings);
// The same for a JPEG held in memory (a camera RAW file's preview).
JpegRead ReadJpegBytes(const uint8_t* bytes, size_t size, uint32_t sizeRequest, const PixelTarget& target);

// An opaque picture as the bytes of a baseline JPEG file (4:2:0, the JFIF
// header at 72 dots per inch, nothing else); empty when libjpeg stops.
std::vector<uint8_t> WriteJpeg(const PixelView& picture, int quality);
