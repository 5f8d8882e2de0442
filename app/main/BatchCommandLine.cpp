#include "app/main/BatchCommandLine.h"

#include <QFileInfo>
#include <utility>

#include "app/engine/FileMasks.h"
#include "app/engine/OutputNames.h"
#include "app/engine/ThumbnailOptions.h"

namespace {

struct IntOption {
  const char* name;
  std::optional<int> BatchCommandLine::*field;
  int min;
  int max;
};

const IntOption kIntOptions[] = {
    {"--style", &BatchCommandLine::style, 0, ThumbnailOptions::kStyleMax},
    {"--width", &BatchCommandLine::width, ThumbnailOptions::kSizeMin, ThumbnailOptions::kSizeMax},
    {"--height", &BatchCommandLine::height, ThumbnailOptions::kSizeMin, ThumbnailOptions::kSizeMax},
    {"--mode", &BatchCommandLine::mode, 0, 3},
    {"--filter", &BatchCommandLine::filter, 0, ThumbnailOptions::kResampleMax},
    {"--padding", &BatchCommandLine::padding, ThumbnailOptions::kPaddingMin, ThumbnailOptions::kPaddingMax},
    {"--format", &BatchCommandLine::format, 0, ThumbnailOptions::kOutputFormatMax},
};

struct TextOption {
  const char* name;
  std::optional<QString> BatchCommandLine::*field;
};

const TextOption kTextOptions[] = {
    {"--back-image", &BatchCommandLine::backImage},
    {"--prefix", &BatchCommandLine::prefix},
    {"--suffix", &BatchCommandLine::suffix},
};

bool ParseInt(const QString& text, int min, int max, int* value) {
  bool ok = false;
  const int v = text.toInt(&ok, 10);
  if (!ok || v < min || v > max) return false;
  *value = v;
  return true;
}

}  // namespace

QString BatchUsageText() {
  return QStringLiteral(
      "Usage: quillmora-batch [options] SOURCE_FOLDER [FILE ...]\n"
      "Makes a thumbnail of every selected image, as the Quillmora window does.\n\n"
      "  FILE ...               names in SOURCE_FOLDER, processed in the order given; without any,\n"
      "                         every file the file mask selects, in the file list's order\n"
      "  --dest DIR             destination folder\n"
      "  --settings FILE        take the thumbnail and album options and the preferences\n"
      "                         \"Auto Create Destination Folder.\" and \"Always create HTML Gallery.\"\n"
      "                         from a Quillmora settings file; the options below override it\n"
      "  --mask N               file mask entry 0-28 (default 0)\n"
      "  --style N              thumbnail style 0-3\n"
      "  --width N --height N   size boxes, 16-25000\n"
      "  --mode N               resize mode 0-3\n"
      "  --filter N             resample list position 0-6\n"
      "  --padding N            image padding 0-1000\n"
      "  --format N             output format list position 0-6\n"
      "  --back-color 0xBBGGRR  background colour of the framed styles\n"
      "  --back-image FILE      background image of the framed styles\n"
      "  --prefix TEXT          text before each output name\n"
      "  --suffix TEXT          text after each output name\n"
      "  --album                create the HTML gallery\n"
      "  --auto-create          write into a \"gallery\" folder inside SOURCE_FOLDER\n"
      "  --help                 show this text\n"
      "  --version              show the program's version\n\n"
      "Progress goes to standard output; every file that failed, and why, to standard error.\n"
      "Exit status: 0 every file written, 1 some file failed, 2 bad arguments.\n");
}

std::optional<BatchCommandLine> ParseBatchCommandLine(const QStringList& arguments, QString* error) {
  BatchCommandLine line;
  QStringList positional;
  auto fail = [&](const QString& message) {
    *error = message;
    return std::optional<BatchCommandLine>();
  };
  const QStringList valued{"--dest", "--settings", "--mask", "--back-color"};
  const auto takesValue = [&](const QString& arg) {
    if (valued.contains(arg)) return true;
    for (const IntOption& o : kIntOptions)
      if (arg == QLatin1String(o.name)) return true;
    for (const TextOption& o : kTextOptions)
      if (arg == QLatin1String(o.name)) return true;
    return false;
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
    if (arg == "--") {
      positional << arguments.mid(i + 1);
      break;
    }
    if (!arg.startsWith(QLatin1Char('-')) || arg == "-") {
      positional << arg;
      continue;
    }
    if (!takesValue(arg)) return fail(QStringLiteral("unknown option %1").arg(arg));
    if (i + 1 >= arguments.size()) return fail(QStringLiteral("%1 needs a value").arg(arg));
    const QString text = arguments[++i];
    bool known = false;
    for (const IntOption& o : kIntOptions) {
      if (arg != QLatin1String(o.name)) continue;
      int v = 0;
      if (!ParseInt(text, o.min, o.max, &v))
        return fail(QStringLiteral("%1 must be a whole number from %2 to %3, not \"%4\"").arg(arg).arg(o.min).arg(o.max).arg(text));
      line.*o.field = v;
      known = true;
    }
    for (const TextOption& o : kTextOptions) {
      if (arg != QLatin1String(o.name)) continue;
      line.*o.field = text;
      known = true;
    }
    if (known) continue;
    if (arg == "--dest") {
      line.destinationFolder = text;
    } else if (arg == "--settings") {
      if (!QFileInfo(text).isFile()) return fail(QStringLiteral("settings file not found: %1").arg(text));
      line.settingsFile = text;
    } else if (arg == "--mask") {
      if (!ParseInt(text, 0, static_cast<int>(FileMasks().size()) - 1, &line.mask))
        return fail(QStringLiteral("--mask must be a whole number from 0 to %1, not \"%2\"").arg(FileMasks().size() - 1).arg(text));
    } else {  // --back-color
      bool ok = false;
      const qulonglong v = text.startsWith("0x", Qt::CaseInsensitive) ? text.mid(2).toULongLong(&ok, 16)
                                                                     : text.toULongLong(&ok, 10);
      if (!ok || v > 0xFFFFFFFFull) return fail(QStringLiteral("--back-color must be a colour such as 0xC0C0C0, not \"%1\"").arg(text));
      line.backColor = static_cast<ColorValue>(v);
    }
  }
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
  for (const auto& [part, text] : {std::pair{NamePart::Prefix, line.prefix}, std::pair{NamePart::Suffix, line.suffix}}) {
    if (text && !NamePartText(part, *text).accepted()) return fail(NamePartText(part, *text).problem());
  }
  return line;
}
