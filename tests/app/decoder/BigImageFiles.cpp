#include "tests/app/decoder/BigImageFiles.h"

#include <QFile>
#include <png.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace bigimages {
namespace {

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 73856093u ^ b * 19349663u ^ c * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return h ^ (h >> 15);
}

bool Sixteen(Pixels p) { return p == Pixels::Rgb16 || p == Pixels::Rgba16; }
int Samples(Pixels p) {
  return p == Pixels::Rgb8 || p == Pixels::Rgb16 ? 3 : p == Pixels::Rgba8 || p == Pixels::Rgba16 ? 4 : 1;
}

// Row y's samples in the file's byte layout (16-bit samples in native order):
// sample c of pixel (x, y) has the cell's colour as its high byte.
void FillRow(Pixels p, uint32_t y, uint32_t x0, uint32_t count, std::vector<uint8_t>* row) {
  const uint32_t n = static_cast<uint32_t>(Samples(p));
  row->resize(size_t{count} * n * (Sixteen(p) ? 2 : 1));
  auto* words = reinterpret_cast<uint16_t*>(row->data());
  uint32_t high[4] = {};
  for (uint32_t i = 0, x = x0; i < count; ++i, ++x)
    for (uint32_t c = 0; c < n; ++c) {
      if (i == 0 || x % 37 == 0) high[c] = Hash(x / 37, y / 29, c) & 0xFF;
      if (Sixteen(p)) words[i * n + c] = static_cast<uint16_t>(high[c] << 8 | ((x + y + c * 85) & 0xFF));
      else (*row)[i * n + c] = static_cast<uint8_t>(high[c]);
    }
}

bool WritePng(const Layout& s, std::FILE* file) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<uint8_t> row;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 1);
  png_set_filter(png, 0, PNG_FILTER_NONE);  // quick to write
  const int type = s.pixels == Pixels::Palette8 ? PNG_COLOR_TYPE_PALETTE
                   : Samples(s.pixels) == 1     ? PNG_COLOR_TYPE_GRAY
                   : Samples(s.pixels) == 3     ? PNG_COLOR_TYPE_RGB
                                                : PNG_COLOR_TYPE_RGB_ALPHA;
  const bool interlaced = s.container == Container::PngInterlaced;
  png_set_IHDR(png, info, s.width, s.height, Sixteen(s.pixels) ? 16 : 8, type,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_color palette[256];
  for (uint32_t i = 0; i < 256; ++i)
    palette[i] = {uint8_t(Hash(i, 7, 0)), uint8_t(Hash(i, 7, 1)), uint8_t(Hash(i, 7, 2))};
  if (type == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 256);
  png_write_info(png, info);
  if (Sixteen(s.pixels)) png_set_swap(png);
  const int passes = png_set_interlace_handling(png);
  for (int pass = 0; pass < passes; ++pass)
    for (uint32_t y = 0; y < s.height; ++y) {
      FillRow(s.pixels, y, 0, s.width, &row);
      png_write_row(png, row.data());
    }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool WriteTiff(const Layout& s, const char* path) {
  TIFF* tiff = TIFFOpen(path, "w");
  if (!tiff) return false;
  const bool tiled = s.container == Container::TiffTiles;
  const uint16_t samples = static_cast<uint16_t>(Samples(s.pixels));
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, s.width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, s.height);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, Sixteen(s.pixels) ? 16 : 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, 1);
  const uint16_t photometric = s.pixels == Pixels::Palette8       ? PHOTOMETRIC_PALETTE
                               : s.pixels == Pixels::WhiteIsZero8 ? PHOTOMETRIC_MINISWHITE
                               : samples == 1                     ? PHOTOMETRIC_MINISBLACK
                                                                  : PHOTOMETRIC_RGB;
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
  if (samples == 4) {
    const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, &extra);
  }
  std::vector<uint16_t> map(3 * 256);
  for (int i = 0; i < 3 * 256; ++i) map[i] = static_cast<uint16_t>(Hash(i % 256, 7, i / 256) % 256 * 257);
  if (photometric == PHOTOMETRIC_PALETTE) TIFFSetField(tiff, TIFFTAG_COLORMAP, &map[0], &map[256], &map[512]);
  std::vector<uint8_t> row;
  bool ok = true;
  if (tiled) {
    const uint32_t side = kTileSide;
    TIFFSetField(tiff, TIFFTAG_TILEWIDTH, side);
    TIFFSetField(tiff, TIFFTAG_TILELENGTH, side);
    std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(tiff)));
    const size_t tileRow = static_cast<size_t>(TIFFTileRowSize(tiff));
    for (uint32_t ty = 0; ty < s.height && ok; ty += side)
      for (uint32_t tx = 0; tx < s.width && ok; tx += side) {
        std::fill(tile.begin(), tile.end(), 0);
        for (uint32_t r = 0; r < side && ty + r < s.height; ++r) {
          FillRow(s.pixels, ty + r, tx, std::min(side, s.width - tx), &row);
          std::copy(row.begin(), row.end(), tile.begin() + static_cast<ptrdiff_t>(tileRow * r));
        }
        ok = TIFFWriteTile(tiff, tile.data(), tx, ty, 0, 0) >= 0;
      }
  } else {
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kStripRows);
    for (uint32_t y = 0; y < s.height && ok; ++y) {
      FillRow(s.pixels, y, 0, s.width, &row);
      ok = TIFFWriteScanline(tiff, row.data(), y, 0) >= 0;
    }
  }
  TIFFClose(tiff);
  return ok;
}

}  // namespace

bool Write(const Layout& layout, const QString& path) {
  const QByteArray part = QFile::encodeName(path) + ".part" + QByteArray::number(::getpid());
  bool ok;
  if (layout.container == Container::Png || layout.container == Container::PngInterlaced) {
    std::FILE* file = std::fopen(part.constData(), "wb");
    ok = file && WritePng(layout, file);
    ok = file && std::fclose(file) == 0 && ok;
  } else {
    ok = WriteTiff(layout, part.constData());
  }
  return ok && std::rename(part.constData(), QFile::encodeName(path).constData()) == 0;
}

}  // namespace bigimages
