#pragma once
// The glue to libheif: HEIC/HEIF and AVIF files, their primary image upright
// (rotation and mirroring applied), an embedded thumbnail when it is large
// enough, and their colour (ICC or nclx) brought to sRGB.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"

struct heif_context;
struct heif_image_handle;

// Whether a file starting with these bytes is a HEIF or AVIF file.
bool IsHeifFile(const uint8_t* header, size_t headerBytes);
// Whether it is AVIF rather than HEIC/HEIF (for the words of a failure).
bool IsAvifFile(const uint8_t* header, size_t headerBytes);

class HeifFile {
 public:
  // Opens the file and finds its primary image; images larger than maxPixels
  // are refused (Failure::TooLarge) before anything is decoded.
  HeifFile(const char* path, uint64_t maxPixels);
  ~HeifFile();
  HeifFile(const HeifFile&) = delete;
  HeifFile& operator=(const HeifFile&) = delete;

  Outcome outcome() const { return outcome_; }
  // The primary image's upright size.
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }

  // RGB32 pixels (fourth byte 255) of an embedded thumbnail whose long edge
  // reaches minLongEdge (> 0), else of the primary image; in sRGB.
  PixelBuffer Decode(uint32_t minLongEdge, Outcome* outcome) const;

  // The primary image's Exif block from its TIFF header on (at most maxBytes
  // of it); empty when it has none.
  std::vector<uint8_t> ExifTiff(size_t maxBytes) const;

 private:
  struct ContextFree {
    void operator()(heif_context* context) const;
  };
  struct HandleRelease {
    void operator()(heif_image_handle* handle) const;
  };
  std::unique_ptr<heif_context, ContextFree> context_;
  std::unique_ptr<heif_image_handle, HandleRelease> primary_;
  Outcome outcome_;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
};
