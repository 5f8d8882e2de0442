#include "app/imaging/PhotoDetails.h"

#include <cstdint>
#include <vector>

namespace {

// Length of the valid UTF-8 sequence at s[i] (0 when invalid) and its code point.
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t* cp) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t b = byte(i);
  size_t n;
  uint32_t min;
  if (b < 0x80) { *cp = b; return 1; }
  if ((b & 0xE0) == 0xC0) { n = 2; min = 0x80; *cp = b & 0x1F; }
  else if ((b & 0xF0) == 0xE0) { n = 3; min = 0x800; *cp = b & 0x0F; }
  else if ((b & 0xF8) == 0xF0) { n = 4; min = 0x10000; *cp = b & 0x07; }
  else return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    *cp = (*cp << 6) | (byte(i + k) & 0x3F);
  }
  if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) return 0;
  return n;
}

bool IsControl(uint32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

}  // namespace

std::string CleanDetailText(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Sequence(text, i, &cp);
    if (n == 0) { ++i; continue; }
    const bool blankAtStart = cp == ' ' && out.empty();
    if (!IsControl(cp) && !blankAtStart) {
      if (out.size() + n > kMaxDetailBytes) break;
      out.append(text.substr(i, n));
    }
    i += n;
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string PackPhotoDetails(const PhotoDetails& d) {
  if (d.empty()) return std::string();
  // Clean fields hold no line break, so one separates them.
  std::string packed = CleanDetailText(d.dateTaken) + '\n' + CleanDetailText(d.camera) + '\n' +
                       CleanDetailText(d.lens) + '\n' + CleanDetailText(d.exposure) + '\n' +
                       CleanDetailText(d.location);
  static_assert(5 * kMaxDetailBytes + 4 <= decoderproto::kMaxDetailsBytes, "packed details fit their room");
  return packed;
}

PhotoDetails UnpackPhotoDetails(const char* bytes, size_t size) {
  PhotoDetails d;
  if (!bytes || size == 0 || size > decoderproto::kMaxDetailsBytes) return d;
  std::string* fields[] = {&d.dateTaken, &d.camera, &d.lens, &d.exposure, &d.location};
  const std::string_view all(bytes, size);
  size_t start = 0;
  for (std::string* field : fields) {
    if (start > all.size()) break;
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    *field = CleanDetailText(all.substr(start, end - start));
    start = end + 1;
  }
  return d;
}
