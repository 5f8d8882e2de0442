#pragma once
// The filter text the browse buttons give the file dialog: pairs of a
// description and its patterns, separated by "|".
#include <QString>

QString BrowseFilterText();
