#pragma once
// Path helpers shared by the engine, the album writer, the settings and the windows.
#include <QString>

// The text with leading and trailing blanks removed (spaces only: a tab stays).
QString TrimBlanks(const QString& text);

// Appends the native directory separator unless the path already ends in one.
QString AddBackslash(const QString& path);
