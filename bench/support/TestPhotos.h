#pragma once
// Photo-like test images for benchmarks: gradients and soft waves under fine
// sensor-like noise, so a JPEG of one has the detail (and the size, and the
// decoding cost) of a camera file.
#include <QString>

#include "app/imaging/FiBitmap.h"

// A 24-bit bitmap; the same seed gives the same picture.
FiBitmap MakePhoto(int width, int height, unsigned seed);

// Makes a photo and writes it as a JPEG of the given quality (1-100).
bool WritePhotoJpeg(const QString& path, int width, int height, unsigned seed, int quality = 90);
