#pragma once
// Sample files in the formats the program reads through libraries other than
// its own writers, made by the tests from an image: the Debian tools that
// write them (cwebp, opj_compress, heif-enc, cjxl, vips), FreeImage (EXR, and
// colour-profiled PNG, TIFF and JPEG) and libtiff (a camera DNG).
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace formatsamples {

// Writes image to path in the format its extension names (.png .tif .jpg
// .webp .jp2 .j2k .heic .avif .jxl .exr), with icc embedded when given
// (.png .tif .jpg, and .heic/.avif through a profiled PNG). False, with the
// reason in why, when the tool is missing or fails.
bool Write(const QImage& image, const QString& path, QString* why, const QByteArray& icc = {});

// A DNG whose raw sensor data (an RGGB mosaic) has image's size, with an
// uncompressed RGB preview of previewSize (empty: none) and an orientation
// tag (1-8).
bool WriteDng(const QImage& image, const QSize& previewSize, int orientation, const QString& path);

}  // namespace formatsamples
