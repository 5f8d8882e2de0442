#pragma once
// The output format list of ComboOutputFormat: texts, file extensions and the
// format each writes.
#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/imaging/ImagingTypes.h"

struct OutputFormat {
  QString text;
  QString extension;  // with the dot
  ImageFileFormat format;
};

constexpr int kDefaultOutputFormatIndex = 3;  // "JPEG(*.jpg)"
// The first entry after "Tagged Image File Format(*.tif)": entries before it keep their positions.
constexpr int kFirstAddedOutputFormat = 7;

const QList<OutputFormat>& OutputFormats();
// The entry at a list position; positions outside the list give the default.
const OutputFormat& OutputFormatAt(int index);
const QStringList& OutputFormatTexts();
