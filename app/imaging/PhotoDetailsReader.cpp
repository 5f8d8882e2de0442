// FreeImage glue for ReadPhotoDetails: the JPEG's EXIF tags, read with the
// header only (no pixels are decoded).
#include <FreeImage.h>

#include <cstdio>
#include <string>

#include "app/imaging/FiBitmap.h"
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

}  // namespace

PhotoDetails ReadPhotoDetails(const char* path) {
  PhotoDetails d;
  if (!path || FreeImage_GetFileType(path, 0) != FIF_JPEG) return d;
  const FiBitmap dib(FreeImage_Load(FIF_JPEG, path, FIF_LOAD_NOPIXELS));
  if (!dib) return d;
  FIBITMAP* b = dib.get();
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
