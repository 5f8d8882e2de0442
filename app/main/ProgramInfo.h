#pragma once
// The program's name, maker, version and web addresses, as the windows show them.
#include <QIcon>
#include <QString>

namespace ProgramInfo {

inline constexpr char kProgramName[] = "Quillmora";
inline constexpr char kMakerName[] = "Oxbrindle";
inline constexpr char kMakerWebSite[] = "https://oxbrindle.example.org/";
inline constexpr char kSupportForums[] = "https://oxbrindle.example.org/forums/";
inline constexpr char kImageLibraryWebSite[] = "https://freeimage.sourceforge.io/";
// The help file's name; it is installed with the program (ProgramFiles::DataFile).
inline constexpr char kHelpFileName[] = "quillmorahelp.hlp";

// Major, minor and patch number joined with ".", from the build's one version number.
QString VersionNumber();

// The program's icon, drawn at every size the desktop asks for.
QIcon ProgramIcon();

}  // namespace ProgramInfo
