#pragma once
// The command line of quillmora-batch, parsed and checked against the limits
// of the option controls it stands for (the option table).
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "app/settings/OptionTable.h"

struct BatchCommandLine {
  QString sourceFolder;
  QStringList files;  // names in sourceFolder, in the order given; empty: the mask's files
  QString destinationFolder;
  QString settingsFile;
  int mask = 0;
  // The option flags given, in order, as values of their controls (rows of
  // the option table); set them into the controls over the settings file's.
  std::vector<std::pair<AnyControl, ControlValue>> options;
  std::optional<QString> backImage;  // --back-image, which must name a readable file
  bool album = false;
  // Run flags (not thumbnail options): redo only what changed, remove what
  // lost its source, make one shard (index of count), or only assemble the pages.
  bool update = false;
  bool prune = false;
  bool assemble = false;
  std::optional<std::pair<int, int>> shard;
  bool autoCreate = false;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. On a bad argument returns
// nullopt and sets error to a message for the user.
// "--shard env" takes the shard from environment (a Slurm array task's or a
// Kubernetes Indexed Job's).
std::optional<BatchCommandLine> ParseBatchCommandLine(
    const QStringList& arguments, QString* error,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

QString BatchUsageText();
