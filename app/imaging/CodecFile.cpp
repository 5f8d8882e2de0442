#include "app/imaging/CodecFile.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/imaging/BitmapPixels.h"
#include "app/imaging/ColourProfile.h"
#include "app/imaging/FiBitmap.h"
#include "app/imaging/Orientation.h"
#include "app/imaging/PngIccChunk.h"

namespace {

// The formats behind the program's input file masks.
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
    case FIF_WEBP:
    case FIF_J2K:     // *.j2k, *.j2c
    case FIF_JP2:
    case FIF_EXR:
    case FIF_RAW:     // camera RAW, by name only
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
    case FIF_J2K:
    case FIF_JP2: return InputKind::Jpeg2000;
    case FIF_RAW: return InputKind::Raw;
    case FIF_WEBP: return InputKind::Webp;
    default: return InputKind::Other;
  }
}

FREE_IMAGE_FORMAT LibraryFormat(const FileFormat& format) { return static_cast<FREE_IMAGE_FORMAT>(format.codecFormat); }

int LoadFlags(const FileFormat& format) {
  return format.kind == InputKind::Jpeg ? (JPEG_ACCURATE | JPEG_EXIFROTATE) : 0;
}

// Camera RAW extensions; .cr3 is missing from the codec's own list.
bool HasRawName(const char* path) {
  static const char* const kExtensions[] = {"dng", "cr2", "cr3", "nef", "arw", "orf", "rw2", "raf", "pef", "srw"};
  const char* dot = std::strrchr(path, '.');
  if (!dot || std::strchr(dot, '/')) return false;
  for (const char* ext : kExtensions)
    if (strcasecmp(dot + 1, ext) == 0) return true;
  return false;
}

// The orientation of a RAW file's embedded preview: its own Exif tag (a JPEG
// preview) else the file's.
uint16_t PreviewOrientation(FIBITMAP* preview, const char* path) {
  FITAG* tag = nullptr;
  if (FreeImage_GetMetadata(FIMD_EXIF_MAIN, preview, "Orientation", &tag) && tag &&
      FreeImage_GetTagType(tag) == FIDT_SHORT && FreeImage_GetTagCount(tag) >= 1)
    return *static_cast<const WORD*>(FreeImage_GetTagValue(tag));
  return TiffFileOrientation(path);  // an uncompressed preview is not turned by the codec
}

// Turns a bitmap upright by an Exif orientation (1-8), as JPEG_EXIFROTATE
// does for JPEG.
FiBitmap Upright(FiBitmap bitmap, uint16_t orientation) {
  // Mirror first where the orientation has one, then rotate anticlockwise.
  const bool mirror = orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
  double angle = 0;
  switch (orientation) {
    case 3: case 4: angle = 180; break;
    case 5: case 8: angle = 90; break;
    case 6: case 7: angle = 270; break;
    default: break;
  }
  if (mirror && !FreeImage_FlipHorizontal(bitmap.get())) return bitmap;
  if (angle == 0) return bitmap;
  FiBitmap turned(FreeImage_Rotate(bitmap.get(), angle));
  return turned ? std::move(turned) : std::move(bitmap);
}

// Whether the bitmap carries an ICC profile of CMYK (the header's colour
// space field, bytes 16-19).
bool HasCmykProfile(FIBITMAP* bitmap) {
  const FIICCPROFILE* icc = FreeImage_GetICCProfile(bitmap);
  if (!icc || !icc->data || icc->size < 20) return false;
  const auto* header = static_cast<const uint8_t*>(icc->data);
  return header[16] == 'C' && header[17] == 'M' && header[18] == 'Y' && header[19] == 'K';
}

std::vector<uint8_t> ProfileBytes(FIBITMAP* bitmap) {
  const FIICCPROFILE* icc = FreeImage_GetICCProfile(bitmap);
  if (!icc || !icc->data || icc->size <= 0) return {};
  const auto* data = static_cast<const uint8_t*>(icc->data);
  return std::vector<uint8_t>(data, data + icc->size);
}

// A 32-bit bitmap's words converted to sRGB by the profile; the profile is
// dropped once they are.
bool WordsToSrgb(FIBITMAP* bitmap, const std::vector<uint8_t>& profile) {
  if (profile.empty()) return false;
  // 32-bit rows are whole words, in 0xAARRGGBB order on this platform.
  const Outcome outcome = ConvertToSrgb(reinterpret_cast<uint32_t*>(FreeImage_GetBits(bitmap)),
                                        static_cast<int32_t>(FreeImage_GetWidth(bitmap)),
                                        static_cast<int32_t>(FreeImage_GetHeight(bitmap)),
                                        FreeImage_GetPitch(bitmap) / 4, profile.data(), profile.size());
  if (outcome) FreeImage_DestroyICCProfile(bitmap);
  return outcome.ok();
}

// A RAW file's embedded preview when its long edge reaches sizeRequest,
// else the whole picture demosaicked.
FiBitmap LoadRaw(const char* path, uint32_t sizeRequest) {
  if (sizeRequest > 0) {
    FiBitmap preview(FreeImage_Load(FIF_RAW, path, RAW_PREVIEW));
    if (preview && std::max(FreeImage_GetWidth(preview.get()), FreeImage_GetHeight(preview.get())) >= sizeRequest) {
      const uint16_t orientation = PreviewOrientation(preview.get(), path);
      return Upright(std::move(preview), orientation);
    }
  }
  return FiBitmap(FreeImage_Load(FIF_RAW, path, RAW_DISPLAY));
}

}  // namespace

FileFormat DetectFileFormat(const char* path) {
  FileFormat format;
  FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(path, 0);
  if (HasRawName(path) && (fif == FIF_UNKNOWN || fif == FIF_TIFF)) fif = FIF_RAW;
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

CodecImage CodecImage::Load(const FileFormat& format, const char* path, uint32_t sizeRequest) {
  CodecImage image;
  if (!format.isInput) return image;
  int flags = LoadFlags(format);
  if (format.kind == InputKind::Jpeg && sizeRequest > 0)
    flags |= static_cast<int>(std::min<uint32_t>(sizeRequest, 0xFFFF) << 16);
  auto bitmap = std::make_unique<FiBitmap>(format.kind == InputKind::Raw
                                               ? LoadRaw(path, sizeRequest)
                                               : FiBitmap(FreeImage_Load(LibraryFormat(format), path, flags)));
  if (format.kind == InputKind::Jpeg && *bitmap && HasCmykProfile(bitmap->get())) {
    // The codec's own CMYK to RGB ignores the profile: the plain CMYK values
    // are converted by it instead, when it can be used.
    FiBitmap cmyk(FreeImage_Load(FIF_JPEG, path, flags | JPEG_CMYK));
    if (cmyk && FreeImage_GetBPP(cmyk.get()) == 32 && WordsToSrgb(cmyk.get(), ProfileBytes(cmyk.get())))
      *bitmap = std::move(cmyk);
  }
  if (LibraryFormat(format) == FIF_PNG && *bitmap && ProfileBytes(bitmap->get()).empty()) {
    std::vector<uint8_t> icc = ReadPngIccProfile(path);
    if (!icc.empty()) FreeImage_CreateICCProfile(bitmap->get(), icc.data(), static_cast<long>(icc.size()));
  }
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

void CodecImage::ConvertToSrgb() {
  if (!*this) return;
  FIBITMAP* bitmap = bitmap_->get();
  // A CMYK profile left here describes a file the codec turned to RGB itself.
  const std::vector<uint8_t> profile = ProfileBytes(bitmap);
  if (profile.empty() || HasCmykProfile(bitmap)) return;
  const bool rgb32 = FreeImage_GetImageType(bitmap) == FIT_BITMAP && FreeImage_GetBPP(bitmap) == 32 &&
                     FreeImage_GetRedMask(bitmap) == FI_RGBA_RED_MASK;
  if (rgb32) {
    WordsToSrgb(bitmap, profile);
    return;
  }
  FiBitmap converted = To32Bits(bitmap);
  if (converted && WordsToSrgb(converted.get(), profile)) *bitmap_ = std::move(converted);
}

bool CodecImage::CopyPixels(uint32_t* dst) const { return *this && CopyBitmapPixels(bitmap_->get(), dst); }

void EnableInputCodecsOnly() {
  const int count = FreeImage_GetFIFCount();
  for (int i = 0; i < count; ++i) {
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(i);
    FreeImage_SetPluginEnabled(fif, IsInputFormat(fif) && fif != FIF_RAW ? TRUE : FALSE);
  }
}
