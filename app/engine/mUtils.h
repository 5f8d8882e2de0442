#pragma once
// Path helpers shared by the engine, the album writer, the settings and the windows.
#include <QString>

// The text with leading and trailing blanks removed (spaces only: a tab stays).
QString TrimBlanks(const QString& text);

// Appends the native directory separator unless the path already ends in one.
QString AddBackslash(const QString& path);

// A fresh name in the same folder as target, for writing a file whole before
// it replaces target (same folder, so the final rename stays on one file system).
QString TemporarySiblingPath(const QString& target);

// Moves a finished temporary file over target in one step (replacing any file
// there). On failure the temporary file is removed and target is untouched.
bool ReplaceWithFile(const QString& temporary, const QString& target);
