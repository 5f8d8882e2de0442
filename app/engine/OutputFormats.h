#pragma once
// The output format list of ComboOutputFormat: texts, file extensions and the
// library's format numbers.
#include <QString>
#include <QStringList>
#include <cstdint>

struct OutputFormat {
  QString text;
  QString extension;  // with the dot
  int32_t libraryFormat;
};

constexpr int kDefaultOutputFormatIndex = 3;  // "JPEG(*.jpg)"

const QList<OutputFormat>& OutputFormats();
// The entry at a list position; positions outside the list give the default.
const OutputFormat& OutputFormatAt(int index);
const QStringList& OutputFormatTexts();
