#pragma once
// File dialog filters: a filter text of "description|patterns" pairs, each
// after the other ("Bitmaps(*.bmp)|*.bmp|All Files(*.*)|*.*", patterns
// separated by ";") as Qt's name filters ("Bitmaps(*.bmp) (*.bmp)").
#include <QStringList>

// One name filter per pair, in order. Patterns are separated by spaces; "*.*"
// becomes "*" (every file, also one without an extension); a pair without
// patterns matches every file. A description left without its pattern list
// at the end is dropped. Shown with QFileDialog::HideNameFilterDetails, the
// list of types reads exactly the descriptions.
QStringList NameFiltersFromFilterText(const QString& filterText);
