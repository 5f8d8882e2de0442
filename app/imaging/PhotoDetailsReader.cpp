// Glue for ReadPhotoDetails: the EXIF tags of a JPEG or TIFF file (camera RAW
// files are mostly TIFF inside) read by FreeImage with the header only (no
// pixels are decoded); those of a HEIF file taken out by libheif and read
// the same way, inside a JPEG header of their own.
#include <FreeImage.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/imaging/FiBitmap.h"
#include "app/imaging/HeifFile.h"
#include "app/imaging/JpegFile.h"
#include "app/imaging/PhotoDetails.h"

namespace {

FITAG* Tag(FIBITMAP* dib, FREE_IMAGE_MDMODEL model, const char* key) {
  FITAG* tag = nullptr;
  return FreeImage_GetMetadata(model, dib, key, &tag) && tag ? tag : nullptr;
}

// The library's own reading of a tag ("1/125 sec", "F2.8", "50 mm").
std::string TagText(FIBITMAP* dib, FREE_IMAGE_MDMODEL model, const char* key) {
  FITAG* tag = Tag(dib, model, key);
  if (!tag) return std::string();
  const char* text = FreeImage_TagToString(model, tag, nullptr);
  return CleanDetailText(text ? text : "");
}

std::string Joined(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += ", ";
    out += p;
  }
  return out;
}

// Degrees, minutes and seconds (three rationals) as signed decimal degrees.
bool Degrees(FIBITMAP* dib, const char* key, const char* refKey, char negative, double* out) {
  FITAG* tag = Tag(dib, FIMD_EXIF_GPS, key);
  if (!tag || FreeImage_GetTagType(tag) != FIDT_RATIONAL || FreeImage_GetTagCount(tag) != 3) return false;
  const auto* v = static_cast<const DWORD*>(FreeImage_GetTagValue(tag));
  if (!v) return false;
  double parts[3];
  for (int i = 0; i < 3; ++i) {
    if (v[2 * i + 1] == 0) return false;
    parts[i] = double(v[2 * i]) / v[2 * i + 1];
  }
  double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
  const std::string ref = TagText(dib, FIMD_EXIF_GPS, refKey);
  if (!ref.empty() && ref[0] == negative) degrees = -degrees;
  *out = degrees;
  return true;
}

std::string Location(FIBITMAP* dib) {
  double lat = 0, lon = 0;
  if (!Degrees(dib, "GPSLatitude", "GPSLatitudeRef", 'S', &lat) ||
      !Degrees(dib, "GPSLongitude", "GPSLongitudeRef", 'W', &lon))
    return std::string();
  if (lat < -90 || lat > 90 || lon < -180 || lon > 180) return std::string();
  char text[64];
  std::snprintf(text, sizeof text, "%.4f, %.4f", lat, lon);
  return text;
}

// The details among a bitmap's metadata.
PhotoDetails DetailsOf(FIBITMAP* b) {
  PhotoDetails d;
  if (!b) return d;
  d.dateTaken = TagText(b, FIMD_EXIF_EXIF, "DateTimeOriginal");
  d.camera = Joined({TagText(b, FIMD_EXIF_MAIN, "Make"), TagText(b, FIMD_EXIF_MAIN, "Model")});
  d.lens = TagText(b, FIMD_EXIF_EXIF, "LensModel");
  std::string iso = TagText(b, FIMD_EXIF_EXIF, "ISOSpeedRatings");
  if (!iso.empty()) iso = "ISO " + iso;
  d.exposure = Joined({TagText(b, FIMD_EXIF_EXIF, "ExposureTime"), TagText(b, FIMD_EXIF_EXIF, "FNumber"), iso,
                       TagText(b, FIMD_EXIF_EXIF, "FocalLength")});
  d.location = Location(b);
  // Every field cut to its bound again: joined parts may have grown past it.
  d.camera = CleanDetailText(d.camera);
  d.exposure = CleanDetailText(d.exposure);
  return d;
}

// An APP1 segment holds at most this many bytes of Exif data after its name.
constexpr size_t kMaxExifTiffBytes = 0xFFFF - 2 - 6;

// Exif data (from its TIFF header on) in the place a JPEG keeps it, before
// the header of a one-pixel picture, read as a JPEG's.
PhotoDetails DetailsOfExif(const std::vector<uint8_t>& tiff) {
  static const uint32_t kPixel = 0xFF808080u;
  static const std::vector<uint8_t> picture = WriteJpeg(PixelView{&kPixel, 1, 1, 1}, 75);
  if (tiff.empty() || tiff.size() > kMaxExifTiffBytes || picture.size() < 4) return PhotoDetails();
  const size_t length = 2 + 6 + tiff.size();
  std::vector<uint8_t> jpeg{0xFF, 0xD8, 0xFF, 0xE1, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length),
                            'E', 'x', 'i', 'f', 0, 0};
  jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
  jpeg.insert(jpeg.end(), picture.begin() + 2, picture.end());  // after its start marker
  const FiMemory memory(jpeg.data(), jpeg.size());
  if (!memory.get()) return PhotoDetails();
  const FiBitmap dib(FreeImage_LoadFromMemory(FIF_JPEG, memory.get(), FIF_LOAD_NOPIXELS));
  return DetailsOf(dib.get());
}

bool StartsLikeHeif(const char* path) {
  uint8_t header[64] = {};
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  const size_t n = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  return IsHeifFile(header, n);
}

}  // namespace

PhotoDetails ReadPhotoDetails(const char* path) {
  if (!path) return PhotoDetails();
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path, 0);
  if (format == FIF_JPEG || format == FIF_TIFF) {
    const FiBitmap dib(FreeImage_Load(format, path, FIF_LOAD_NOPIXELS));
    return DetailsOf(dib.get());
  }
  if (StartsLikeHeif(path)) {
    const HeifFile file(path, decoderproto::kMaxPixels);
    return DetailsOfExif(file.ExifTiff(kMaxExifTiffBytes));
  }
  return PhotoDetails();
}
