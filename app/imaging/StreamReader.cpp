#include "app/imaging/StreamReader.h"

#include <cstdio>
#include <cstring>

#include "app/imaging/PngStreamReader.h"
#include "app/imaging/TiffStreamReader.h"

std::unique_ptr<StreamReader> OpenStreamReader(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return nullptr;
  unsigned char magic[8] = {};
  const size_t n = std::fread(magic, 1, sizeof magic, file);
  static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (n == 8 && std::memcmp(magic, kPng, 8) == 0) return OpenPngStreamReader(file);  // takes the file
  std::fclose(file);
  const bool tiff = n >= 4 && ((magic[0] == 'I' && magic[1] == 'I' && magic[2] == 42 && magic[3] == 0) ||
                               (magic[0] == 'M' && magic[1] == 'M' && magic[2] == 0 && magic[3] == 42));
  return tiff ? OpenTiffStreamReader(path) : nullptr;
}
