#include <gtest/gtest.h>

#include "app/controls/picturebutton/PictureButton.h"
#include "tests/app/controls/common/PropertyTable.h"
#include "tests/support/TestImages.h"

TEST(PictureButtonProperties, EveryPictureRoundTrips) {
  const QVariant none = QVariant::fromValue(StdPicture());
  const QVariant dot = QVariant::fromValue(StdPicture(testimages::Solid(1, 1, Qt::red)));
  const QVariant wide = QVariant::fromValue(StdPicture(testimages::Gradient(300, 16)));
  CheckPropertyTable([](QWidget* host) { return new PictureButton(host); },
                     {
                         {"Picture", "Picture", dot},
                         {"Picture", "Picture", wide},
                         {"Picture", "Picture", none},
                         {"PictureHover", "PictureHover", dot},
                         {"PictureHover", "PictureHover", none},
                         {"PictureDown", "PictureDown", wide},
                         {"PictureDown", "PictureDown", none},
                     });
}
