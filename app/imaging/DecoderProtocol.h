#pragma once
// The messages between the program and its decoder process. Plain fixed-size
// little-endian records on the decoder's standard input and output; the
// pixels themselves travel through a shared memory file, never the pipe.
//
//   decoder -> program, once at start:  Hello
//   program -> decoder, per image:      Request, then the path bytes
//   decoder -> program, per image:      Reply (pixels, when decoded, at the
//                                       start of the shared memory file; the
//                                       photo's details, when asked for,
//                                       right after them)
//
// Nothing the decoder sends is trusted: ValidateReply checks every field
// against the request and the shared memory before any pixel is read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/imaging/Outcome.h"

namespace decoderproto {

constexpr uint32_t kVersion = 4;
constexpr uint32_t kHelloMagic = 0x4948'4D51;    // "QMHI"
constexpr uint32_t kRequestMagic = 0x5152'4D51;  // "QMRQ"
constexpr uint32_t kReplyMagic = 0x5052'4D51;    // "QMRP"

// No decoded image may have more pixels than this (1 GiB as 32-bit pixels).
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;
// Longest path a request may carry.
constexpr uint32_t kMaxPathBytes = 64 * 1024;

// Why the decoder did not hand back pixels.
enum class DecodeStatus : int32_t {
  Decoded = 0,
  Unreadable = 1,      // not a file, or it cannot be opened
  UnknownFormat = 2,   // neither content nor name names a format
  RefusedFormat = 3,   // a format that is not one of the program's inputs
  TooLarge = 4,        // more than kMaxPixels, or no room in the address-space limit
  DecodeFailed = 5,    // the library gave no bitmap or could not convert it
};

// The reason a refusal stands for.
Failure FailureOf(DecodeStatus status);

struct Hello {
  uint32_t magic = kHelloMagic;
  uint32_t version = kVersion;
  uint32_t pid = 0;
  uint32_t reserved = 0;
};

// How small a decoded image may come out, for callers that need less than
// every pixel (a thumbnail, a preview box): its shorter side keeps at least
// minShortEdge pixels, its scale at least minScalePermille / 1000, and it
// still covers what a fitWidth x fitHeight box shows of it (fitted, never
// enlarged). A JPEG is decoded at 1/2, 1/4 or 1/8 of its size; other formats
// are scaled down in the decoder. All zero: the natural size. With
// jpegEighths 1, a JPEG may also decode at 3/8, 5/8, 6/8 or 7/8 of its size:
// closer to what is asked for, for pictures that are resampled again anyway.
struct SizeHint {
  uint32_t minShortEdge = 0;
  uint32_t minScalePermille = 0;
  uint16_t fitWidth = 0;
  uint16_t fitHeight = 0;
  uint8_t jpegEighths = 0;
  uint8_t reserved[3] = {};
  bool any() const { return minShortEdge != 0 || minScalePermille != 0 || (fitWidth != 0 && fitHeight != 0); }
  bool operator==(const SizeHint& o) const {
    return minShortEdge == o.minShortEdge && minScalePermille == o.minScalePermille && fitWidth == o.fitWidth &&
           fitHeight == o.fitHeight && jpegEighths == o.jpegEighths;
  }
};

// Request flags.
constexpr uint32_t kWantDetails = 1;  // the photo's EXIF details (PhotoDetails.h) after the pixels
// The most bytes of details a reply may carry.
constexpr uint32_t kMaxDetailsBytes = 2048;

struct Request {
  uint32_t magic = kRequestMagic;
  uint32_t id = 0;
  uint32_t pathBytes = 0;  // length of the UTF-8 (file system encoded) path that follows
  SizeHint hint;
  uint32_t flags = 0;      // kWantDetails
};

struct Reply {
  uint32_t magic = kReplyMagic;
  uint32_t id = 0;
  int32_t status = 0;      // a DecodeStatus
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bpp = 0;        // bits per pixel of the file as the library decoded it
  uint32_t naturalWidth = 0;   // the upright image's own size; larger than width x height
  uint32_t naturalHeight = 0;  // when a size hint let the decoder shrink it
  uint64_t pixelBytes = 0; // width * height * 4: RGB32 rows, top down, no padding
  uint32_t detailsBytes = 0;  // packed details right after the pixels (at most kMaxDetailsBytes)
  uint32_t reserved = 0;
};

static_assert(sizeof(Hello) == 16, "fixed wire size");
static_assert(sizeof(Request) == 32, "fixed wire size");
static_assert(sizeof(Reply) == 48, "fixed wire size");

// The outcome of checking a reply the program received.
enum class ReplyCheck {
  Decoded,      // pixels are ready in the shared memory
  NotDecoded,   // a well-formed refusal: the file simply does not load
  Malformed,    // anything else: the decoder is not to be trusted any more
};

// Checks bytes received as a reply to request id against the current size of
// the shared memory. Only a reply of exactly sizeof(Reply) bytes can pass.
ReplyCheck ValidateReply(const void* bytes, size_t size, uint32_t expectedId, uint64_t sharedBytes,
                         Reply* reply);

// Checks the hello of a freshly started decoder.
bool ValidateHello(const void* bytes, size_t size);

// Bits per pixel a decoded file may report.
bool IsPlausibleBpp(uint32_t bpp);

}  // namespace decoderproto

// The smallest scale (at most 1) an image of width x height may be decoded at
// under a hint; 1 without one.
double HintScale(uint32_t width, uint32_t height, const decoderproto::SizeHint& hint);
