#include "app/main/BatchCommandLine.h"

#include <QFileInfo>
#include <utility>

#include "app/engine/FileMasks.h"
#include "app/engine/OutputNames.h"
#include "app/settings/ChoiceLists.h"

namespace {

// The flag of a table row ("--width" of "--width N"), empty for none.
QString FlagName(const OptionRow& row) {
  return row.flag ? QString::fromLatin1(row.flag).section(QLatin1Char(' '), 0, 0) : QString();
}

const OptionRow* RowOfFlag(const QString& arg) {
  for (const OptionRow& row : OptionTable())
    if (row.flag && FlagName(row) == arg) return &row;
  return nullptr;
}

// The range a number or list flag accepts.
std::pair<int, int> FlagRange(const OptionRow& row) {
  if (const auto* list = std::get_if<ListControl>(&row.control))
    return {0, static_cast<int>(ChoiceListTexts(*list).size()) - 1};
  return {row.minimum, row.maximum};
}

bool ParseInt(const QString& text, int min, int max, int* value) {
  bool ok = false;
  const int v = text.toInt(&ok, 10);
  if (!ok || v < min || v > max) return false;
  *value = v;
  return true;
}

// The value text of an option flag as its control's value; empty error when it is one.
ControlValue ParseOptionValue(const OptionRow& row, const QString& arg, const QString& text, QString* error) {
  if (std::holds_alternative<ColorControl>(row.control)) {
    bool ok = false;
    const qulonglong v = text.startsWith("0x", Qt::CaseInsensitive) ? text.mid(2).toULongLong(&ok, 16)
                                                                   : text.toULongLong(&ok, 10);
    if (!ok || v > 0xFFFFFFFFull) *error = QStringLiteral("%1 must be a colour such as 0xC0C0C0, not \"%2\"").arg(arg, text);
    return static_cast<ColorValue>(v);
  }
  if (std::holds_alternative<TextControl>(row.control)) {
    if (row.textRule == TextRule::Name) *error = NamePartText(row.namePart, text).problem();
    return text;
  }
  const auto [min, max] = FlagRange(row);
  int v = 0;
  if (!ParseInt(text, min, max, &v))
    *error = QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"").arg(arg).arg(min).arg(max).arg(text);
  return v;
}

// "K/N" with 0 <= K < N.
std::optional<std::pair<int, int>> ParseShard(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('/'));
  int index = 0;
  int count = 0;
  if (parts.size() != 2 || !ParseInt(parts[1], 1, 1000000, &count) || !ParseInt(parts[0], 0, count - 1, &index))
    return std::nullopt;
  return std::make_pair(index, count);
}

// The shard of a Slurm array task (its id less the array's first id, of the
// task count) or of a Kubernetes Indexed Job (its completion index, of count).
std::optional<std::pair<int, int>> ShardFromEnvironment(const QProcessEnvironment& env, int count, QString* error) {
  int index = 0;
  int first = 0;
  if (env.contains("SLURM_ARRAY_TASK_ID")) {
    int tasks = 0;
    if (!ParseInt(env.value("SLURM_ARRAY_TASK_ID"), 0, 1000000, &index) ||
        !ParseInt(env.value("SLURM_ARRAY_TASK_MIN", "0"), 0, index, &first) ||
        !ParseInt(env.value("SLURM_ARRAY_TASK_COUNT"), 1, 1000000, &tasks)) {
      *error = QStringLiteral("--shard env: SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_MIN or SLURM_ARRAY_TASK_COUNT is not a whole number");
      return std::nullopt;
    }
    if (count == 0) count = tasks;
  } else if (env.contains("JOB_COMPLETION_INDEX")) {
    if (count == 0) {
      *error = QStringLiteral("--shard env with JOB_COMPLETION_INDEX needs --shard-count N");
      return std::nullopt;
    }
    if (!ParseInt(env.value("JOB_COMPLETION_INDEX"), 0, 1000000, &index)) {
      *error = QStringLiteral("--shard env: JOB_COMPLETION_INDEX is not a whole number");
      return std::nullopt;
    }
  } else {
    *error = QStringLiteral("--shard env: neither SLURM_ARRAY_TASK_ID nor JOB_COMPLETION_INDEX is set");
    return std::nullopt;
  }
  if (index - first >= count) {
    *error = QStringLiteral("--shard env: shard %1 is not below the shard count %2").arg(index - first).arg(count);
    return std::nullopt;
  }
  return std::make_pair(index - first, count);
}

}  // namespace

QString BatchUsageText() {
  QString options;
  for (const OptionRow& row : OptionTable()) {
    if (!row.flag) continue;
    QString help = QString::fromLatin1(row.flagHelp);
    if (std::holds_alternative<NumberControl>(row.control) || std::holds_alternative<ListControl>(row.control))
      help += QStringLiteral(" %1-%2").arg(FlagRange(row).first).arg(FlagRange(row).second);
    options += QStringLiteral("  %1 %2\n").arg(QString::fromLatin1(row.flag), -22).arg(help);
  }
  return QStringLiteral(
             "Usage: quillmora-batch [options] SOURCE_FOLDER [FILE ...]\n"
             "Makes a thumbnail of every selected image, as the Quillmora window does.\n\n"
             "  FILE ...               names in SOURCE_FOLDER, processed in the order given; without any,\n"
             "                         every file the file mask selects, in the file list's order\n"
             "  --dest DIR             destination folder\n"
             "  --settings FILE        take the thumbnail and album options and the preferences\n"
             "                         \"Auto Create Destination Folder.\" and \"Always create HTML Gallery.\"\n"
             "                         from a Quillmora settings file; the options below override it\n"
             "  --mask N               file mask entry 0-34 (default 0)\n") +
         options +
         QStringLiteral(
             "  --album                create the HTML gallery\n"
             "  --auto-create          write into a \"gallery\" folder inside SOURCE_FOLDER\n"
             "  --update               make again only what changed since the last run (source, options,\n"
             "                         or the output itself), keeping a record in the destination;\n"
             "                         lists outputs whose source is gone\n"
             "  --prune                with --update, remove the outputs whose source is gone\n"
             "  --shard K/N            make only the files at positions K modulo N of the list (K from 0),\n"
             "                         recording them for --assemble; writes no album pages\n"
             "  --shard env            the same, K and N from SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT,\n"
             "                         or K from JOB_COMPLETION_INDEX and N from --shard-count\n"
             "  --shard-count N        the number of shards, for --shard env\n"
             "  --assemble             make nothing: check that every file has its thumbnail (naming those\n"
             "                         that do not), then write the album pages\n"
             "  --help                 show this text\n"
             "  --version              show the program's version\n\n"
             "Progress goes to standard output; every file that failed, and why, to standard error.\n"
             "Exit status: 0 every file written, 1 some file failed, 2 bad arguments.\n");
}

std::optional<BatchCommandLine> ParseBatchCommandLine(const QStringList& arguments, QString* error,
                                                      const QProcessEnvironment& environment) {
  BatchCommandLine line;
  QStringList positional;
  auto fail = [&](const QString& message) {
    *error = message;
    return std::optional<BatchCommandLine>();
  };
  const QStringList valued{"--dest", "--settings", "--mask", "--shard", "--shard-count"};
  QString shardText;
  int shardCount = 0;
  const auto takesValue = [&](const QString& arg) { return valued.contains(arg) || RowOfFlag(arg); };
  // A check box's flag is a switch: given means checked.
  const auto switchRow = [&](const QString& arg) {
    const OptionRow* row = RowOfFlag(arg);
    return row && std::holds_alternative<CheckControl>(row->control) ? row : nullptr;
  };
  for (int i = 0; i < arguments.size(); ++i) {
    const QString arg = arguments[i];
    if (arg == "--help" || arg == "-h") {
      line.help = true;
      return line;
    }
    if (arg == "--version") {
      line.version = true;
      return line;
    }
    if (arg == "--album") {
      line.album = true;
      continue;
    }
    if (arg == "--auto-create") {
      line.autoCreate = true;
      continue;
    }
    if (arg == "--update" || arg == "--prune" || arg == "--assemble") {
      (arg == "--update" ? line.update : arg == "--prune" ? line.prune : line.assemble) = true;
      continue;
    }
    if (arg == "--") {
      positional << arguments.mid(i + 1);
      break;
    }
    if (!arg.startsWith(QLatin1Char('-')) || arg == "-") {
      positional << arg;
      continue;
    }
    if (const OptionRow* row = switchRow(arg)) {
      line.options.emplace_back(row->control, true);
      continue;
    }
    if (!takesValue(arg)) return fail(QStringLiteral("unknown option %1").arg(arg));
    if (i + 1 >= arguments.size()) return fail(QStringLiteral("%1 needs a value").arg(arg));
    const QString text = arguments[++i];
    if (const OptionRow* row = RowOfFlag(arg)) {
      QString problem;
      const ControlValue value = ParseOptionValue(*row, arg, text, &problem);
      if (!problem.isEmpty()) return fail(problem);
      line.options.emplace_back(row->control, value);
      if (row->control == AnyControl(TextControl::txtThumbBackImage)) line.backImage = text;
      continue;
    }
    if (arg == "--dest") {
      line.destinationFolder = text;
    } else if (arg == "--settings") {
      if (!QFileInfo(text).isFile()) return fail(QStringLiteral("settings file not found: %1").arg(text));
      line.settingsFile = text;
    } else if (arg == "--shard") {
      shardText = text;
    } else if (arg == "--shard-count") {
      if (!ParseInt(text, 1, 1000000, &shardCount))
        return fail(QStringLiteral("--shard-count must be a whole number from 1, not \"%1\"").arg(text));
    } else {  // --mask
      if (!ParseInt(text, 0, static_cast<int>(FileMasks().size()) - 1, &line.mask))
        return fail(QStringLiteral("--mask must be a whole number from 0 to %1, not \"%2\"").arg(FileMasks().size() - 1).arg(text));
    }
  }
  if (shardText == "env") {
    QString problem;
    line.shard = ShardFromEnvironment(environment, shardCount, &problem);
    if (!line.shard) return fail(problem);
  } else if (!shardText.isEmpty()) {
    line.shard = ParseShard(shardText);
    if (!line.shard)
      return fail(QStringLiteral("--shard must be K/N with 0 <= K < N, or env, not \"%1\"").arg(shardText));
  }
  if (line.prune && !line.update) return fail(QStringLiteral("--prune needs --update"));
  if (line.shard && line.assemble) return fail(QStringLiteral("--assemble runs after the shards, not as one"));
  if (line.prune && line.shard) return fail(QStringLiteral("--prune runs without --shard"));
  if (positional.isEmpty()) return fail(QStringLiteral("missing SOURCE_FOLDER"));
  line.sourceFolder = positional.takeFirst();
  line.files = positional;
  if (!QFileInfo(line.sourceFolder).isDir())
    return fail(QStringLiteral("source folder not found: %1").arg(line.sourceFolder));
  if (line.destinationFolder.isEmpty() && !line.autoCreate)
    return fail(QStringLiteral("missing --dest DIR (or --auto-create)"));
  if (!line.destinationFolder.isEmpty() && !QFileInfo(line.destinationFolder).isDir())
    return fail(QStringLiteral("destination folder not found: %1").arg(line.destinationFolder));
  if (line.backImage && !QFileInfo(*line.backImage).isFile())
    return fail(QStringLiteral("background image not found: %1").arg(*line.backImage));
  return line;
}
