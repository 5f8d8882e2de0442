#pragma once
// The program's own names for what it asks of the image codecs: resample
// filters and file formats. No codec library's constants travel past
// app/imaging; the codec glue translates these at the boundary.
#include <cstdint>

// How a picture is rescaled. The numbers are those the resample list has
// always stood for (0-5 the library's filters, 6 smooth stretching).
enum class ResampleFilter : int32_t {
  Box = 0,
  Bicubic = 1,
  Bilinear = 2,
  BSpline = 3,
  CatmullRom = 4,
  Lanczos3 = 5,
  Halftone = 6,  // no library filter: smooth (halftone) stretching
};

// The file formats the program writes.
enum class ImageFileFormat : int32_t {
  Bmp,
  Gif,
  Ico,
  Jpeg,
  Png,
  Targa,
  Tiff,
  Webp,
  Avif,
};
