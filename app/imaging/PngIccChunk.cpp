#include "app/imaging/PngIccChunk.h"

#include <cstdio>

namespace {

void Quiet(png_structp, png_const_charp) {}
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

}  // namespace

std::vector<uint8_t> PngIccProfile(png_structp png, png_infop info) {
  png_charp name = nullptr;
  int compression = 0;
  png_bytep data = nullptr;
  png_uint_32 length = 0;
  if (!png_get_iCCP(png, info, &name, &compression, &data, &length) || !data || length == 0) return {};
  return std::vector<uint8_t>(data, data + length);
}

std::vector<uint8_t> ReadPngIccProfile(const char* path) {
  std::vector<uint8_t> profile;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return profile;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Quiet);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_info(png, info);  // the chunks before the pixels
    profile = PngIccProfile(png, info);
  }
  png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
  std::fclose(file);
  return profile;
}
