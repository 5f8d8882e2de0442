#include "app/imaging/TiffStreamReader.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/imaging/BoxTaps.h"
#include "app/imaging/RowShrinker.h"

namespace {

// No single buffer libtiff allocates for one file may pass this (a hostile
// file's tile or strip size); a real file's strips and tiles are far smaller.
constexpr tmsize_t kMaxTiffAllocation = tmsize_t{64} << 20;
// Strips of at most this many rows are read a strip at a time, others a row at a time.
constexpr uint32_t kStripRowsRead = 256;

int Silent(TIFF*, void*, const char*, const char*, va_list) { return 1; }

enum class Layout { Grey, WhiteIsZero, Palette, Rgb8, Rgb16 };

class TiffReader final : public StreamReader {
 public:
  ~TiffReader() override {
    if (tiff_) TIFFClose(tiff_);
  }

  bool Open(const char* path) {
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return false;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxTiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, Silent, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, Silent, nullptr);
    // "m": read, never map the file, so its pages do not count as the process's memory.
    tiff_ = TIFFOpenExt(path, "rm", options);
    TIFFOpenOptionsFree(options);
    return tiff_ && TakeLayout();
  }

  Outcome ReadShrunk(uint32_t divisor, uint32_t* out) override {
    const bool read = TIFFIsTiled(tiff_) ? ReadTiles(divisor, out) : ReadScanlines(divisor, out);
    return read ? Outcome::Done() : Outcome::Failed(Failure::Damaged);
  }

 private:
  bool TakeLayout() {
    uint32_t w = 0, h = 0;
    uint16_t bits = 1, samples = 1, photometric = 0, planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT;
    uint16_t compression = COMPRESSION_NONE;
    if (!TIFFGetField(tiff_, TIFFTAG_IMAGEWIDTH, &w) || !TIFFGetField(tiff_, TIFFTAG_IMAGELENGTH, &h) ||
        !TIFFGetField(tiff_, TIFFTAG_PHOTOMETRIC, &photometric) || w == 0 || h == 0)
      return false;
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_COMPRESSION, &compression);
    if (planar != PLANARCONFIG_CONTIG || format != SAMPLEFORMAT_UINT || !TIFFIsCODECConfigured(compression))
      return false;
    samples_ = samples;
    switch (photometric) {
      case PHOTOMETRIC_MINISBLACK:
      case PHOTOMETRIC_MINISWHITE:
        // 16-bit grey is stretched between its own extremes on the
        // whole-image path: that needs the whole image.
        if (samples != 1 || bits != 8) return false;
        layout_ = photometric == PHOTOMETRIC_MINISBLACK ? Layout::Grey : Layout::WhiteIsZero;
        bpp_ = 8;
        break;
      case PHOTOMETRIC_PALETTE:
        if (samples != 1 || bits != 8 || !TakeColourMap()) return false;
        layout_ = Layout::Palette;
        bpp_ = 8;
        break;
      case PHOTOMETRIC_RGB:
        if ((samples != 3 && samples != 4) || (bits != 8 && bits != 16)) return false;
        layout_ = bits == 8 ? Layout::Rgb8 : Layout::Rgb16;
        bpp_ = uint32_t{samples} * bits;
        break;
      default:
        return false;
    }
    width_ = w;
    height_ = h;
    uint32_t iccSize = 0;
    void* icc = nullptr;
    if (TIFFGetField(tiff_, TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc && iccSize > 0)
      icc_.assign(static_cast<const uint8_t*>(icc), static_cast<const uint8_t*>(icc) + iccSize);
    return true;
  }

  bool TakeColourMap() {
    uint16_t* r = nullptr;
    uint16_t* g = nullptr;
    uint16_t* b = nullptr;
    if (!TIFFGetField(tiff_, TIFFTAG_COLORMAP, &r, &g, &b)) return false;
    // Maps written with 8-bit entries instead of 16-bit ones are taken as they are.
    bool eightBit = true;
    for (int i = 0; i < 256; ++i) eightBit = eightBit && r[i] < 256 && g[i] < 256 && b[i] < 256;
    const int shift = eightBit ? 0 : 8;
    for (int i = 0; i < 256; ++i) {
      colours_[i * 3] = static_cast<uint8_t>(r[i] >> shift);
      colours_[i * 3 + 1] = static_cast<uint8_t>(g[i] >> shift);
      colours_[i * 3 + 2] = static_cast<uint8_t>(b[i] >> shift);
    }
    return true;
  }

  // count pixels of the file's samples as R, G, B bytes.
  void ToRgb(const uint8_t* src, uint32_t count, uint8_t* rgb) const {
    switch (layout_) {
      case Layout::Grey:
        for (uint32_t i = 0; i < count; ++i, rgb += 3) rgb[0] = rgb[1] = rgb[2] = src[i];
        break;
      case Layout::WhiteIsZero:
        for (uint32_t i = 0; i < count; ++i, rgb += 3) rgb[0] = rgb[1] = rgb[2] = static_cast<uint8_t>(255 - src[i]);
        break;
      case Layout::Palette:
        for (uint32_t i = 0; i < count; ++i, rgb += 3) std::copy_n(colours_ + src[i] * 3, 3, rgb);
        break;
      case Layout::Rgb8:
        for (uint32_t i = 0; i < count; ++i, src += samples_, rgb += 3) std::copy_n(src, 3, rgb);
        break;
      case Layout::Rgb16:
        // The high byte, as the 16-bit to 8-bit conversion keeps (libtiff
        // gives the samples in this machine's byte order).
        for (uint32_t i = 0; i < count; ++i, src += 2 * samples_, rgb += 3)
          for (int c = 0; c < 3; ++c) {
            uint16_t word;
            std::memcpy(&word, src + 2 * c, sizeof word);
            rgb[c] = static_cast<uint8_t>(word >> 8);
          }
        break;
    }
  }

  bool ReadScanlines(uint32_t divisor, uint32_t* out) {
    const tmsize_t lineSize = TIFFScanlineSize(tiff_);
    if (lineSize <= 0) return false;
    uint32_t rowsPerStrip = 0;
    TIFFGetFieldDefaulted(tiff_, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    if (rowsPerStrip > 1 && rowsPerStrip <= kStripRowsRead && rowsPerStrip < height_ &&
        TIFFStripSize(tiff_) <= kMaxTiffAllocation / 4 &&
        TIFFStripSize(tiff_) == lineSize * static_cast<tmsize_t>(rowsPerStrip))
      return ReadStrips(divisor, out, static_cast<size_t>(lineSize), rowsPerStrip);
    std::vector<uint8_t> line(static_cast<size_t>(lineSize));
    std::vector<uint8_t> rgb(size_t{width_} * 3);
    Held held(&tally_, line.size() + rgb.size());
    RowShrinker shrinker(width_, height_, ShrunkExtent(width_, divisor), ShrunkExtent(height_, divisor), out, &tally_);
    for (uint32_t y = 0; y < height_; ++y) {
      if (TIFFReadScanline(tiff_, line.data(), y, 0) < 0) return false;
      ToRgb(line.data(), width_, rgb.data());
      shrinker.AddRow(rgb.data());
    }
    return true;
  }

  // A strip at a time, for files of short strips: the codec then inflates
  // a whole strip at once (through libdeflate where libtiff has it, about
  // twice as fast as inflating row by row).
  bool ReadStrips(uint32_t divisor, uint32_t* out, size_t lineSize, uint32_t rowsPerStrip) {
    std::vector<uint8_t> strip(lineSize * rowsPerStrip);
    std::vector<uint8_t> rgb(size_t{width_} * 3);
    Held held(&tally_, strip.size() + rgb.size());
    RowShrinker shrinker(width_, height_, ShrunkExtent(width_, divisor), ShrunkExtent(height_, divisor), out, &tally_);
    for (uint32_t y = 0; y < height_;) {
      const uint32_t rows = std::min(rowsPerStrip, height_ - y);
      const tmsize_t bytes = static_cast<tmsize_t>(lineSize * rows);
      if (TIFFReadEncodedStrip(tiff_, TIFFComputeStrip(tiff_, y, 0), strip.data(), bytes) != bytes) return false;
      for (uint32_t r = 0; r < rows; ++r, ++y) {
        ToRgb(strip.data() + lineSize * r, width_, rgb.data());
        shrinker.AddRow(rgb.data());
      }
    }
    return true;
  }

  // One row of tiles at a time, turned into rows and passed on in order.
  bool ReadTiles(uint32_t divisor, uint32_t* out) {
    uint32_t tileWidth = 0, tileHeight = 0;
    const tmsize_t tileSize = TIFFTileSize(tiff_);
    if (!TIFFGetField(tiff_, TIFFTAG_TILEWIDTH, &tileWidth) || !TIFFGetField(tiff_, TIFFTAG_TILELENGTH, &tileHeight) ||
        tileWidth == 0 || tileHeight == 0 || tileSize <= 0 || tileSize > kMaxTiffAllocation)
      return false;
    const size_t tileRowBytes = static_cast<size_t>(TIFFTileRowSize(tiff_));
    const size_t bandRowBytes = size_t{width_} * 3;
    if (uint64_t{tileHeight} * bandRowBytes > uint64_t(kMaxTiffAllocation)) return false;
    std::vector<uint8_t> tile(static_cast<size_t>(tileSize));
    std::vector<uint8_t> band(size_t{tileHeight} * bandRowBytes);
    Held held(&tally_, tile.size() + band.size());
    RowShrinker shrinker(width_, height_, ShrunkExtent(width_, divisor), ShrunkExtent(height_, divisor), out, &tally_);
    for (uint32_t ty = 0; ty < height_; ty += tileHeight) {
      const uint32_t rows = std::min(tileHeight, height_ - ty);
      for (uint32_t tx = 0; tx < width_; tx += tileWidth) {
        if (TIFFReadTile(tiff_, tile.data(), tx, ty, 0, 0) < 0) return false;
        const uint32_t cols = std::min(tileWidth, width_ - tx);
        for (uint32_t r = 0; r < rows; ++r)
          ToRgb(tile.data() + tileRowBytes * r, cols, band.data() + bandRowBytes * r + size_t{tx} * 3);
      }
      for (uint32_t r = 0; r < rows; ++r) shrinker.AddRow(band.data() + bandRowBytes * r);
    }
    return true;
  }

  // A buffer of the reader's own, counted while it lives.
  struct Held {
    Held(MemoryTally* tally, size_t bytes) : tally(tally), bytes(bytes) { tally->Take(bytes); }
    ~Held() { tally->Give(bytes); }
    MemoryTally* tally;
    size_t bytes;
  };

  TIFF* tiff_ = nullptr;
  Layout layout_ = Layout::Grey;
  uint16_t samples_ = 1;
  uint8_t colours_[256 * 3] = {};
};

}  // namespace

std::unique_ptr<StreamReader> OpenTiffStreamReader(const char* path) {
  auto reader = std::make_unique<TiffReader>();
  if (!reader->Open(path)) return nullptr;
  return reader;
}
