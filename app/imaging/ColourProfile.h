#pragma once
// Colour management: pixels described by an embedded ICC profile brought to
// sRGB, the colour space everything after the decoder assumes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/imaging/Outcome.h"

// Converts width x height RGB32 pixels (0xAARRGGBB words, stride words from
// one row to the next) in place from the RGB colour space the ICC profile
// describes to sRGB, with perceptual intent and black-point compensation; the
// fourth byte is kept. With a CMYK profile each word holds C, M, Y, K bytes
// (in memory order) and comes out as opaque sRGB. A profile that cannot be
// read, or that describes another colour space, leaves the pixels as they
// are (Failure::ConversionFailed).
Outcome ConvertToSrgb(uint32_t* pixels, int32_t width, int32_t height, size_t stride, const uint8_t* icc,
                      size_t iccSize);


// An RGB colour space described by numbers instead of an ICC profile (as
// HEIF's nclx box does): the CIE xy chromaticities of its primaries and white
// point, and its tone curve.
struct RgbPrimaries {
  double redX, redY, greenX, greenY, blueX, blueY, whiteX, whiteY;
};
enum class ToneCurve { Srgb, Bt709, Linear, Gamma22 };

// The ICC bytes of that colour space, for ConvertToSrgb; empty when it
// cannot be made (primaries that span no space).
std::vector<uint8_t> RgbProfileBytes(const RgbPrimaries& primaries, ToneCurve curve);
