#pragma once
// AVIF files written with libheif's AV1 encoder, in memory.
#include "app/imaging/ImageEncoder.h"

// An opaque picture as an 8-bit AVIF file (sRGB, as everything the program
// writes) at quality 0-100.
EncodedImage EncodeAvif(const PixelView& picture, int quality);
