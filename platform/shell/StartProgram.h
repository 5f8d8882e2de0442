#pragma once
// Starts a program by its path, detached and without a shell (no argument
// is ever interpreted). Replaceable, so tests can see what would start.
#include <QString>
#include <functional>

using StartProgramHandler = std::function<bool(const QString& program)>;

// False when the program could not be started (missing, not executable).
bool StartProgram(const QString& program);
StartProgramHandler SetStartProgramHandler(StartProgramHandler handler);
