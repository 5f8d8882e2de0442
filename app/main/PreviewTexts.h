#pragma once
// The texts the window shows beside a previewed image.
#include <QString>
#include <cstdint>

// lblImageFileSize: the length in kilobytes, rounded, with thousands grouped
// ("1,024 KB" for 1024 x 1024 bytes, "0 KB" for 500 bytes).
QString FileSizeText(qint64 bytes);
// lblImageSize: "640x480".
QString ImageSizeText(int width, int height);
// The file dialog's lblinfo: "640x480 24 bpp".
QString ImageInfoText(int width, int height, int bitsPerPixel);
