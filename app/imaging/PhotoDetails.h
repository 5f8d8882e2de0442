#pragma once
// The few EXIF facts an image page may show under a photo's name. Read from
// the file only in the decoder process (ReadPhotoDetails), packed into at
// most decoderproto::kMaxDetailsBytes after the pixels, and unpacked (and cleaned again)
// by the program. Every text is valid UTF-8 without control characters.
#include <cstddef>
#include <string>
#include <string_view>

#include "app/imaging/DecoderProtocol.h"

struct PhotoDetails {
  std::string dateTaken;  // DateTimeOriginal as written ("2024:05:01 10:20:30")
  std::string camera;     // Make and Model
  std::string lens;       // LensModel
  std::string exposure;   // exposure time, f-number, ISO, focal length
  std::string location;   // "48.8584, 2.2945" (decimal degrees)
  bool empty() const {
    return dateTaken.empty() && camera.empty() && lens.empty() && exposure.empty() && location.empty();
  }
};

// The most bytes one field keeps (packed details take at most
// decoderproto::kMaxDetailsBytes).
constexpr size_t kMaxDetailBytes = 256;

// text without invalid UTF-8, control characters (C0, DEL, C1) and blanks at
// either end, cut on a character boundary to at most kMaxDetailBytes.
std::string CleanDetailText(std::string_view text);

// The fields one per line, in the order of the struct; empty for no details.
std::string PackPhotoDetails(const PhotoDetails& details);
// Packed bytes from the decoder, taken as untrusted: each field cleaned.
PhotoDetails UnpackPhotoDetails(const char* bytes, size_t size);

// The details of a JPEG, TIFF (and TIFF-based camera RAW) or HEIF file (its
// metadata only, not its pixels); empty for any other file or when it has
// none.
PhotoDetails ReadPhotoDetails(const char* path);
