#pragma once
// The command line of quillmora-batch, parsed and checked against the limits
// of the option controls it stands for.
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/drawing/ColorValue.h"

struct BatchCommandLine {
  QString sourceFolder;
  QStringList files;  // names in sourceFolder, in the order given; empty: the mask's files
  QString destinationFolder;
  QString settingsFile;
  int mask = 0;
  std::optional<int> style, width, height, mode, filter, padding, format;
  std::optional<ColorValue> backColor;
  std::optional<QString> backImage, prefix, suffix;
  bool album = false;
  bool autoCreate = false;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. On a bad argument returns
// nullopt and sets error to a message for the user.
std::optional<BatchCommandLine> ParseBatchCommandLine(const QStringList& arguments, QString* error);

QString BatchUsageText();
