#pragma once
// The codec glue the decoder process calls for one file: which format it is,
// its size from the header alone, and its pixels. The library's own types
// stay behind this header.
#include <cstdint>
#include <memory>

class FiBitmap;

// The formats the decoder treats apart from the rest.
enum class InputKind : int32_t { Other, Jpeg, Bmp, Pcx, Targa, Jpeg2000, Raw, Webp };

struct FileFormat {
  int32_t codecFormat = -1;  // the library's own number: only the glue reads it
  InputKind kind = InputKind::Other;
  bool isInput = false;      // behind one of the program's input file masks, and readable
  bool known() const { return codecFormat >= 0; }
};

// The format from the file's content, else from its name; unknown when
// neither names one. Camera RAW goes by the name (most RAW files are TIFF
// inside), unless the content says another format than TIFF.
FileFormat DetectFileFormat(const char* path);

// Whether the codec can read a file's size without its pixels.
enum class HeaderSize { NotOffered, Read, Unreadable };
HeaderSize ReadHeaderSize(const FileFormat& format, const char* path, uint32_t* width, uint32_t* height);

// A decoded image, held by the codec until its pixels are copied out.
class CodecImage {
 public:
  CodecImage();
  ~CodecImage();
  CodecImage(CodecImage&&) noexcept;
  CodecImage& operator=(CodecImage&&) noexcept;

  // JPEG is decoded with accurate DCT and turned upright by its orientation
  // tag; sizeRequest > 0 lets the codec decode at 1/2, 1/4 or 1/8 with the
  // long edge at or above it. Camera RAW gives its embedded preview when its
  // long edge reaches sizeRequest (> 0), else the full demosaic; upright
  // either way. Every other format with the codec's defaults. Empty when the
  // codec gives no pixels.
  static CodecImage Load(const FileFormat& format, const char* path, uint32_t sizeRequest);

  explicit operator bool() const;
  uint32_t width() const;
  uint32_t height() const;
  uint32_t bpp() const;  // bits per pixel as the codec decoded it

  // Scaled to width x height by the box filter (whole blocks averaged); false,
  // and the image unchanged, when it cannot be.
  bool ShrinkTo(uint32_t width, uint32_t height);
  // Brings the pixels to sRGB when the file embeds an RGB colour profile;
  // pixels without one (or with one that cannot be used) stay as they are.
  void ConvertToSrgb();
  // width() x height() RGB32 pixels at dst, rows top down, fourth byte 255.
  bool CopyPixels(uint32_t* dst) const;

 private:
  std::unique_ptr<FiBitmap> bitmap_;
};

// Switches off every codec plugin that is not an input format, and camera
// RAW's probe (it would examine any file nothing else recognises), so that
// no other decoder ever sees a file. RAW files are still read by name.
void EnableInputCodecsOnly();
