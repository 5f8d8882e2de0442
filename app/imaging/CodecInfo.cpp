#include "app/imaging/CodecInfo.h"

#include <FreeImage.h>

std::string CodecLibraryCredit() {
  const char* version = FreeImage_GetVersion();
  return std::string("the FreeImage library ") + (version ? version : "") + " under the FreeImage Public License";
}
