#include "app/imaging/CodecFile.h"

#include <algorithm>

#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"

namespace {

// The formats behind the program's 27 input file masks.
bool IsInputFormat(FREE_IMAGE_FORMAT fif) {
  switch (fif) {
    case FIF_BMP:     // *.bmp, *.dib, *.rle
    case FIF_ICO:     // *.ico, *.cur
    case FIF_JPEG:    // *.jpg, *.jpeg, *.jif, *.jfif
    case FIF_JNG:
    case FIF_KOALA:   // *.koala, *.gg
    case FIF_LBM:     // *.lbm, *.iff
    case FIF_MNG:
    case FIF_PBM:
    case FIF_PBMRAW:
    case FIF_PCD:
    case FIF_PCX:
    case FIF_PGM:
    case FIF_PGMRAW:
    case FIF_PNG:
    case FIF_PPM:
    case FIF_PPMRAW:
    case FIF_RAS:
    case FIF_TARGA:
    case FIF_TIFF:    // *.tif, *.tiff
    case FIF_WBMP:
    case FIF_PSD:
    case FIF_XBM:
    case FIF_XPM:
    case FIF_DDS:
    case FIF_GIF:
      return true;
    default:  // *.emf and *.wmf have no plugin; everything else is not an input
      return false;
  }
}

InputKind KindOf(FREE_IMAGE_FORMAT fif) {
  switch (fif) {
    case FIF_JPEG: return InputKind::Jpeg;
    case FIF_BMP: return InputKind::Bmp;
    case FIF_PCX: return InputKind::Pcx;
    case FIF_TARGA: return InputKind::Targa;
    default: return InputKind::Other;
  }
}

FREE_IMAGE_FORMAT LibraryFormat(const FileFormat& format) { return static_cast<FREE_IMAGE_FORMAT>(format.codecFormat); }

int LoadFlags(const FileFormat& format) {
  return format.kind == InputKind::Jpeg ? (JPEG_ACCURATE | JPEG_EXIFROTATE) : 0;
}

}  // namespace

FileFormat DetectFileFormat(const char* path) {
  FileFormat format;
  FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(path, 0);
  if (fif == FIF_UNKNOWN) fif = FreeImage_GetFIFFromFilename(path);
  if (fif == FIF_UNKNOWN) return format;
  format.codecFormat = static_cast<int32_t>(fif);
  format.kind = KindOf(fif);
  format.isInput = IsInputFormat(fif) && FreeImage_FIFSupportsReading(fif);
  return format;
}

HeaderSize ReadHeaderSize(const FileFormat& format, const char* path, uint32_t* width, uint32_t* height) {
  if (!format.isInput || !FreeImage_FIFSupportsNoPixels(LibraryFormat(format))) return HeaderSize::NotOffered;
  FiBitmap header(FreeImage_Load(LibraryFormat(format), path, LoadFlags(format) | FIF_LOAD_NOPIXELS));
  if (!header) return HeaderSize::Unreadable;
  *width = FreeImage_GetWidth(header.get());
  *height = FreeImage_GetHeight(header.get());
  return HeaderSize::Read;
}

CodecImage::CodecImage() = default;
CodecImage::~CodecImage() = default;
CodecImage::CodecImage(CodecImage&&) noexcept = default;
CodecImage& CodecImage::operator=(CodecImage&&) noexcept = default;

CodecImage CodecImage::Load(const FileFormat& format, const char* path, uint32_t jpegSizeRequest) {
  CodecImage image;
  if (!format.isInput) return image;
  int flags = LoadFlags(format);
  if (format.kind == InputKind::Jpeg && jpegSizeRequest > 0)
    flags |= static_cast<int>(std::min<uint32_t>(jpegSizeRequest, 0xFFFF) << 16);
  auto bitmap = std::make_unique<FiBitmap>(FreeImage_Load(LibraryFormat(format), path, flags));
  if (*bitmap && FreeImage_HasPixels(bitmap->get())) image.bitmap_ = std::move(bitmap);
  return image;
}

CodecImage::operator bool() const { return bitmap_ && *bitmap_; }
uint32_t CodecImage::width() const { return *this ? FreeImage_GetWidth(bitmap_->get()) : 0; }
uint32_t CodecImage::height() const { return *this ? FreeImage_GetHeight(bitmap_->get()) : 0; }
uint32_t CodecImage::bpp() const { return *this ? FreeImage_GetBPP(bitmap_->get()) : 0; }

bool CodecImage::ShrinkTo(uint32_t width, uint32_t height) {
  if (!*this || width < 1 || height < 1) return false;
  FIBITMAP* bitmap = bitmap_->get();
  // The box filter takes 24- and 32-bit bitmaps as they are; others go through 32 bits.
  const bool standard = FreeImage_GetImageType(bitmap) == FIT_BITMAP && FreeImage_GetBPP(bitmap) >= 24;
  FiBitmap source = standard ? FiBitmap() : To32Bits(bitmap);
  if (!standard && !source) return false;
  FiBitmap shrunk(FreeImage_Rescale(standard ? bitmap : source.get(), static_cast<int>(width),
                                    static_cast<int>(height), FILTER_BOX));
  if (!shrunk) return false;
  *bitmap_ = std::move(shrunk);
  return true;
}

bool CodecImage::CopyPixels(uint32_t* dst) const { return *this && CopyBitmapPixels(bitmap_->get(), dst); }

void EnableInputCodecsOnly() {
  const int count = FreeImage_GetFIFCount();
  for (int i = 0; i < count; ++i) {
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(i);
    FreeImage_SetPluginEnabled(fif, IsInputFormat(fif) ? TRUE : FALSE);
  }
}
