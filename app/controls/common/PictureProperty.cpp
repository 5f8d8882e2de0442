#include "app/controls/common/PictureProperty.h"

#include "platform/com/PropertyBag.h"

StdPicture ReadPictureProperty(const PropertyBag& bag, const QString& name) {
  const QImage image = bag.ReadProperty(name, QImage()).value<QImage>();
  return image.isNull() ? StdPicture() : StdPicture(image);
}

void WritePictureProperty(PropertyBag& bag, const QString& name, const StdPicture& picture) {
  bag.WriteProperty(name, picture.isNull() ? QImage() : picture.image(), QImage());
}
