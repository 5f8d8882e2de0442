#include "app/imaging/PngStreamReader.h"

#include <png.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/imaging/BoxTaps.h"
#include "app/imaging/PngIccChunk.h"
#include "app/imaging/RowShrinker.h"
#include "app/imaging/ScatterShrinker.h"

namespace {

// libpng's allocations go through the reader's tally; each block carries its size.
constexpr size_t kSizeHeader = 16;

png_voidp TalliedMalloc(png_structp png, png_alloc_size_t size) {
  auto* tally = static_cast<MemoryTally*>(png_get_mem_ptr(png));
  auto* block = static_cast<unsigned char*>(std::malloc(size + kSizeHeader));
  if (!block) return nullptr;
  std::memcpy(block, &size, sizeof size);
  tally->Take(size);
  return block + kSizeHeader;
}

void TalliedFree(png_structp png, png_voidp data) {
  if (!data) return;
  auto* block = static_cast<unsigned char*>(data) - kSizeHeader;
  size_t size = 0;
  std::memcpy(&size, block, sizeof size);
  static_cast<MemoryTally*>(png_get_mem_ptr(png))->Give(size);
  std::free(block);
}

void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Ignore(png_structp, png_const_charp) {}

// Runs libpng calls; false when libpng gave up on the file. The body holds
// nothing that needs destroying, since a failure jumps out of it.
template <class Body>
bool Guarded(png_structp png, Body&& body) {
  if (setjmp(png_jmpbuf(png))) return false;
  body();
  return true;
}

class PngReader final : public StreamReader {
 public:
  explicit PngReader(std::FILE* file) : file_(file) {}
  ~PngReader() override {
    if (png_) png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr);
    std::fclose(file_);
  }

  bool Open() {
    png_ = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, Fail, Ignore, &tally_, TalliedMalloc,
                                    TalliedFree);
    if (!png_) return false;
    info_ = png_create_info_struct(png_);
    if (!info_) return false;
    bool taken = false;
    const bool read = Guarded(png_, [&] {
      png_init_io(png_, file_);
      png_set_sig_bytes(png_, 8);
      png_read_info(png_, info_);
      taken = TakeLayout();
    });
    return read && taken;
  }

  Outcome ReadShrunk(uint32_t divisor, uint32_t* out) override {
    const uint32_t outWidth = ShrunkExtent(width_, divisor);
    const uint32_t outHeight = ShrunkExtent(height_, divisor);
    std::vector<png_byte> row(size_t{width_} * 3);
    tally_.Take(row.size());
    bool read;
    if (png_get_interlace_type(png_, info_) != PNG_INTERLACE_ADAM7) {
      RowShrinker shrinker(width_, height_, outWidth, outHeight, out, &tally_);
      read = Guarded(png_, [&] {
        for (uint32_t y = 0; y < height_; ++y) {
          png_read_row(png_, row.data(), nullptr);
          shrinker.AddRow(row.data());
        }
      });
    } else {
      // Without libpng's interlace handling each pass comes as an image of
      // its own; its pixels go to the output pixels they count in.
      ScatterShrinker shrinker(width_, height_, outWidth, outHeight, &tally_);
      read = Guarded(png_, [&] {
        for (int pass = 0; pass < 7; ++pass) {
          const uint32_t cols = PNG_PASS_COLS(width_, pass);
          const uint32_t rows = PNG_PASS_ROWS(height_, pass);
          if (cols == 0 || rows == 0) continue;
          for (uint32_t i = 0; i < rows; ++i) {
            png_read_row(png_, row.data(), nullptr);
            shrinker.Add(PNG_ROW_FROM_PASS_ROW(i, pass), PNG_PASS_START_COL(pass),
                         uint32_t{1} << PNG_PASS_COL_SHIFT(pass), row.data(), cols);
          }
        }
      });
      if (read) shrinker.Finish(out);
    }
    tally_.Give(row.size());
    return read ? Outcome::Done() : Outcome::Failed(Failure::Damaged);
  }

 private:
  // Sets the transformations to 8-bit RGB rows; false for layouts left to the
  // whole-image path.
  bool TakeLayout() {
    width_ = png_get_image_width(png_, info_);
    height_ = png_get_image_height(png_, info_);
    const int depth = png_get_bit_depth(png_, info_);
    const int colour = png_get_color_type(png_, info_);
    switch (colour) {
      case PNG_COLOR_TYPE_PALETTE:
        if (depth == 2) return false;  // the whole-image path widens it
        bpp_ = static_cast<uint32_t>(depth);
        png_set_palette_to_rgb(png_);
        break;
      case PNG_COLOR_TYPE_GRAY:
        // 16-bit grey is stretched between its own extremes there: that
        // needs the whole image.
        if (depth == 16 || depth == 2) return false;
        bpp_ = static_cast<uint32_t>(depth);
        if (depth < 8) png_set_expand_gray_1_2_4_to_8(png_);
        png_set_gray_to_rgb(png_);
        break;
      case PNG_COLOR_TYPE_GRAY_ALPHA:
        if (depth == 16) return false;
        bpp_ = 32;
        png_set_gray_to_rgb(png_);
        break;
      case PNG_COLOR_TYPE_RGB: bpp_ = depth == 16 ? 48 : 24; break;
      case PNG_COLOR_TYPE_RGB_ALPHA: bpp_ = depth == 16 ? 64 : 32; break;
      default: return false;
    }
    if (colour & PNG_COLOR_MASK_ALPHA) png_set_strip_alpha(png_);
    if (depth == 16) png_set_strip_16(png_);  // the high byte, as the 16-bit to 8-bit conversion keeps
    // A file gamma other than the usual 1/2.2 is corrected for a 2.2 display,
    // as the whole-image path does.
    double gamma = 0;
    if (png_get_valid(png_, info_, PNG_INFO_gAMA) && png_get_gAMA(png_, info_, &gamma) && gamma != 0.45455)
      png_set_gamma(png_, 2.2, gamma);
    icc_ = PngIccProfile(png_, info_);
    png_read_update_info(png_, info_);
    return png_get_rowbytes(png_, info_) == size_t{width_} * 3;
  }

  std::FILE* file_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

std::unique_ptr<StreamReader> OpenPngStreamReader(std::FILE* file) {
  auto reader = std::make_unique<PngReader>(file);
  if (!reader->Open()) return nullptr;
  return reader;
}
