#pragma once
// The codec glue the decoder process calls for one file: which format it is,
// its size from the header alone, and its pixels. The library's own types
// stay behind this header.
#include <cstdint>
#include <memory>

class FiBitmap;

// The formats the decoder treats apart from the rest.
enum class InputKind : int32_t { Other, Jpeg, Bmp, Pcx, Targa };

struct FileFormat {
  int32_t codecFormat = -1;  // the library's own number: only the glue reads it
  InputKind kind = InputKind::Other;
  bool isInput = false;      // behind one of the program's 27 input file masks, and readable
  bool known() const { return codecFormat >= 0; }
};

// The format from the file's content, else from its name; unknown when
// neither names one.
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
  // tag; jpegSizeRequest > 0 lets the codec decode at 1/2, 1/4 or 1/8 with the
  // long edge at or above it. Every other format with the codec's defaults.
  // Empty when the codec gives no pixels.
  static CodecImage Load(const FileFormat& format, const char* path, uint32_t jpegSizeRequest);

  explicit operator bool() const;
  uint32_t width() const;
  uint32_t height() const;
  uint32_t bpp() const;  // bits per pixel as the codec decoded it

  // Scaled to width x height by the box filter (whole blocks averaged); false,
  // and the image unchanged, when it cannot be.
  bool ShrinkTo(uint32_t width, uint32_t height);
  // width() x height() RGB32 pixels at dst, rows top down, fourth byte 255.
  bool CopyPixels(uint32_t* dst) const;

 private:
  std::unique_ptr<FiBitmap> bitmap_;
};

// Switches off every codec plugin that is not an input format, so that no
// other decoder (camera raw above all, which probes any file nothing else
// recognises) ever sees a file.
void EnableInputCodecsOnly();
