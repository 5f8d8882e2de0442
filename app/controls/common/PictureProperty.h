#pragma once
// Picture properties in the host's property store: kept as the picture's
// image, an empty picture not stored at all.
#include <QString>

#include "platform/com/StdPicture.h"

class PropertyBag;

StdPicture ReadPictureProperty(const PropertyBag& bag, const QString& name);
void WritePictureProperty(PropertyBag& bag, const QString& name, const StdPicture& picture);
