#include "platform/com/StdPicture.h"

StdPicture::StdPicture(const QImage& image, Kind kind) : image_(image), kind_(image.isNull() ? None : kind) {}
