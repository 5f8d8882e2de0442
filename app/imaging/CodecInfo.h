#pragma once
// What the program tells its users about the codec library it uses.
#include <string>

// The library, its version and its licence, as words for the About box:
// "the FreeImage library 3.18.0 under the FreeImage Public License".
std::string CodecLibraryCredit();
