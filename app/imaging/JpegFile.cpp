#include "app/imaging/JpegFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "app/imaging/ColourProfile.h"
#include "app/imaging/Orientation.h"

namespace {

struct ErrorJump {
  jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1); }

// Warnings (a file cut short, a damaged block) leave the decode going, as
// the codec library's loader does: libjpeg fills in what is missing.
void IgnoreMessage(j_common_ptr, int) {}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// One decompression; every libjpeg call that may stop sits in a function of
// its own below, so that a jump out of libjpeg only ever lands in a frame
// that touched nothing of its own since.
class Decompression {
 public:
  explicit Decompression(std::FILE* file) {
    Create();
    jpeg_stdio_src(&info_, file);
  }
  Decompression(const uint8_t* bytes, size_t size) {
    Create();
    jpeg_mem_src(&info_, bytes, static_cast<unsigned long>(size));
  }
  ~Decompression() { jpeg_destroy_decompress(&info_); }
  Decompression(const Decompression&) = delete;
  Decompression& operator=(const Decompression&) = delete;

  jpeg_decompress_struct& info() { return info_; }

  bool ReadHeader() {
    if (setjmp(errors_.jump)) return false;
    jpeg_save_markers(&info_, JPEG_APP0 + 1, 0xFFFF);  // Exif
    jpeg_save_markers(&info_, JPEG_APP0 + 2, 0xFFFF);  // ICC
    return jpeg_read_header(&info_, TRUE) == JPEG_HEADER_OK;
  }

  bool Start() {
    if (setjmp(errors_.jump)) return false;
    return jpeg_start_decompress(&info_) == TRUE;
  }

  // Rows top down into out, stride words apart.
  bool ReadRows(uint32_t* out, size_t stride) {
    if (setjmp(errors_.jump)) return false;
    while (info_.output_scanline < info_.output_height) {
      JSAMPROW row = reinterpret_cast<JSAMPROW>(out + info_.output_scanline * stride);
      if (jpeg_read_scanlines(&info_, &row, 1) != 1) return false;
    }
    return jpeg_finish_decompress(&info_) == TRUE;
  }

  std::vector<uint8_t> IccProfile() {
    std::vector<uint8_t> profile;
    if (setjmp(errors_.jump)) return profile;
    JOCTET* data = nullptr;
    unsigned int size = 0;
    if (jpeg_read_icc_profile(&info_, &data, &size) && data) profile.assign(data, data + size);
    std::free(data);
    return profile;
  }

  // The orientation in the first Exif block; 1 without one.
  uint16_t Orientation() const {
    for (jpeg_saved_marker_ptr m = info_.marker_list; m; m = m->next) {
      if (m->marker != JPEG_APP0 + 1 || m->data_length < 14 || std::memcmp(m->data, "Exif\0\0", 6) != 0) continue;
      const uint8_t* tiff = m->data + 6;
      const size_t size = m->data_length - 6;
      return TiffOrientation([tiff, size](uint64_t offset, uint8_t* out, size_t n) {
        if (offset > size || n > size - offset) return false;
        std::memcpy(out, tiff + offset, n);
        return true;
      });
    }
    return 1;
  }

 private:
  void Create() {
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = JumpOut;
    errors_.manager.emit_message = IgnoreMessage;
    jpeg_create_decompress(&info_);
  }

  jpeg_decompress_struct info_{};
  ErrorJump errors_{};
};

// One compression into memory.
class Compression {
 public:
  Compression() {
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = JumpOut;
    errors_.manager.emit_message = IgnoreMessage;
    jpeg_create_compress(&info_);
  }
  ~Compression() {
    jpeg_destroy_compress(&info_);
    std::free(bytes_);
  }
  Compression(const Compression&) = delete;
  Compression& operator=(const Compression&) = delete;

  bool Write(const PixelView& picture, int quality) {
    if (setjmp(errors_.jump)) return false;
    jpeg_mem_dest(&info_, &bytes_, &size_);
    info_.image_width = static_cast<JDIMENSION>(picture.width);
    info_.image_height = static_cast<JDIMENSION>(picture.height);
    info_.input_components = 4;
    info_.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info_);
    jpeg_set_quality(&info_, quality, TRUE);
    info_.density_unit = 1;  // dots per inch
    info_.X_density = 72;
    info_.Y_density = 72;
    jpeg_start_compress(&info_, TRUE);
    while (info_.next_scanline < info_.image_height) {
      JSAMPROW row = const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE*>(picture.row(static_cast<int32_t>(info_.next_scanline))));
      jpeg_write_scanlines(&info_, &row, 1);
    }
    jpeg_finish_compress(&info_);
    return true;
  }

  std::vector<uint8_t> Bytes() const { return std::vector<uint8_t>(bytes_, bytes_ + size_); }

 private:
  jpeg_compress_struct info_{};
  ErrorJump errors_{};
  unsigned char* bytes_ = nullptr;
  unsigned long size_ = 0;
};

// The codec library's choice of reduction for a requested long edge.
unsigned ScaleDenominator(uint32_t width, uint32_t height, uint32_t sizeRequest) {
  if (sizeRequest == 0) return 1;
  const double scale = static_cast<double>(width > height ? width : height) / sizeRequest;
  return scale >= 8 ? 8 : scale >= 4 ? 4 : scale >= 2 ? 2 : 1;
}

// The fewest eighths whose long edge, as libjpeg rounds it (up), reaches the
// request.
unsigned ScaleEighths(uint32_t width, uint32_t height, uint32_t sizeRequest) {
  if (sizeRequest == 0) return 8;
  const uint64_t longEdge = width > height ? width : height;
  unsigned eighths = 1;
  while (eighths < 8 && (longEdge * eighths + 7) / 8 < sizeRequest) ++eighths;
  return eighths;
}

}  // namespace

namespace {

JpegRead ReadFrom(Decompression& jpeg, uint32_t sizeRequest, const PixelTarget& target, JpegScales scales) {
  JpegRead read;
  if (!jpeg.ReadHeader()) return read;
  jpeg_decompress_struct& info = jpeg.info();
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1;
  const bool colour = (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB) &&
                      info.num_components == 3;
  if (!grey && !colour) return read;
  info.out_color_space = JCS_EXT_BGRX;  // 0xAARRGGBB words, the fourth byte 255
  info.dct_method = JDCT_ISLOW;
  if (scales == JpegScales::Eighths) {
    info.scale_num = ScaleEighths(info.image_width, info.image_height, sizeRequest);
    info.scale_denom = 8;
  } else {
    info.scale_num = 1;
    info.scale_denom = ScaleDenominator(info.image_width, info.image_height, sizeRequest);
  }
  const uint16_t orientation = jpeg.Orientation();
  const std::vector<uint8_t> profile = jpeg.IccProfile();
  if (!jpeg.Start()) return read;

  const uint32_t w = info.output_width;
  const uint32_t h = info.output_height;
  const bool turned = TurnsSides(orientation);
  const uint32_t uprightWidth = turned ? h : w;
  const uint32_t uprightHeight = turned ? w : h;
  uint32_t* out = target(uprightWidth, uprightHeight);
  if (!out) {
    read.status = JpegReadStatus::NoRoom;
    return read;
  }
  if (orientation == 1) {
    if (!jpeg.ReadRows(out, w)) return read;
  } else {
    std::vector<uint32_t> decoded(size_t{w} * h);
    if (!jpeg.ReadRows(decoded.data(), w)) return read;
    const PixelView view{decoded.data(), static_cast<int32_t>(w), static_cast<int32_t>(h), w};
    CopyUpright(view, orientation, out);
  }
  // A CMYK profile cannot describe these pixels: they stay as decoded.
  const bool cmykProfile = profile.size() >= 20 && std::memcmp(profile.data() + 16, "CMYK", 4) == 0;
  if (!profile.empty() && !cmykProfile)
    ConvertToSrgb(out, static_cast<int32_t>(uprightWidth), static_cast<int32_t>(uprightHeight), uprightWidth,
                  profile.data(), profile.size());
  read.status = JpegReadStatus::Decoded;
  read.width = uprightWidth;
  read.height = uprightHeight;
  read.bpp = grey ? 8 : 24;
  read.orientation = orientation;
  return read;
}

}  // namespace

JpegRead ReadJpeg(const char* path, uint32_t sizeRequest, const PixelTarget& target, JpegScales scales) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return JpegRead();
  Decompression jpeg(file.get());
  return ReadFrom(jpeg, sizeRequest, target, scales);
}

JpegRead ReadJpegBytes(const uint8_t* bytes, size_t size, uint32_t sizeRequest, const PixelTarget& target) {
  if (!bytes || size == 0) return JpegRead();
  Decompression jpeg(bytes, size);
  return ReadFrom(jpeg, sizeRequest, target, JpegScales::Halvings);
}

std::vector<uint8_t> WriteJpeg(const PixelView& picture, int quality) {
  if (picture.empty()) return {};
  Compression jpeg;
  if (!jpeg.Write(picture, quality)) return {};
  return jpeg.Bytes();
}
