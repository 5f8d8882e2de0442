#pragma once
// Images the tests make for themselves.
#include <QColor>
#include <QImage>
#include <QString>

namespace testimages {

// A w x h RGB32 image whose pixel (x, y) has red = x % 256, green = y % 256, blue = (x + y) % 256.
QImage Gradient(int w, int h);
// A w x h image of one colour.
QImage Solid(int w, int h, QColor color);
// JPEG bytes of image with an EXIF orientation tag (1-8) after the start marker.
QByteArray JpegWithOrientation(const QImage& image, quint16 orientation, int quality = 95);
// The worst of the three channels' PSNR in dB between two images of one size
// (infinite when equal).
double WorstChannelPsnr(const QImage& a, const QImage& b);
// Writes bytes to path; returns false when it could not.
bool WriteBytes(const QString& path, const QByteArray& bytes);

}  // namespace testimages
