#pragma once
// Large PNG and TIFF files in the layouts the streaming readers take, written
// a row (or tile) at a time with quick compression. The picture is cells of
// 37 x 29 pixels in colours that differ from cell to cell, so a pixel put in
// the wrong place shows; a 16-bit sample's low byte differs from its high one.
#include <QString>
#include <cstdint>

namespace bigimages {

enum class Container { Png, PngInterlaced, TiffStrips, TiffTiles };
enum class Pixels { Grey8, WhiteIsZero8, Palette8, Rgb8, Rgba8, Rgb16, Rgba16 };

// The side of a tiled file's square tiles.
constexpr uint32_t kTileSide = 64;
// The rows of a striped file's strips.
constexpr uint32_t kStripRows = 16;

struct Layout {
  Container container;
  Pixels pixels;
  uint32_t width, height;
};

// Writes the file whole (beside, then renamed); false when it could not.
bool Write(const Layout& layout, const QString& path);

}  // namespace bigimages
