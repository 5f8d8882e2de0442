#pragma once
// A read-only look-up of the machine-wide values the program asks for, by
// key and value name (names compare case-insensitively). This system has no
// registry: the few values the program reads are answered from the system
// itself, and every other value is absent.
//
//   SOFTWARE\Microsoft\Shared Tools\MSINFO, "PATH": the first system
//   information program found on the search path (KDE Info Center, HardInfo,
//   CPU-X, lshw's viewer), absent when none is installed.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace Registry {

inline constexpr char kMsInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSharedToolsLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

std::optional<QString> ReadMachineValue(const QString& key, const QString& valueName);

// The first of the known system information programs found in folders (the
// search path when folders is empty); empty when none is.
QString FindSystemInformationTool(const QStringList& folders = QStringList());

// Tests replace the answers; an empty look-up restores the system's. Returns the old one.
using Lookup = std::function<std::optional<QString>(const QString& key, const QString& valueName)>;
Lookup SetLookup(Lookup lookup);

}  // namespace Registry
