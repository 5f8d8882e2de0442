#pragma once
// Creates a control by its programmatic identifier, e.g. "OrvellanLib.Orvellan".
// The library comes from the control registry, or, when the identifier is not
// registered, from beside the running program: "Name.Class" and "NameLib.Class"
// are served by libname.so in the program's folder. The library is loaded
// once and stays loaded. Failures throw ComError 429.
#include <QString>

class QWidget;

QWidget* CreateControl(const QString& progId, QWidget* parent);

// The library file that would serve progId (empty when none is found).
QString FindControlLibrary(const QString& progId);
