#include "app/settings/OptionTable.h"

#include <QStringList>
#include <algorithm>

#include "app/engine/mUtils.h"
#include "app/settings/ChoiceLists.h"

namespace {

using C = ColorControl;
using T = TextControl;
using N = NumberControl;
using L = ListControl;
using K = CheckControl;
using G = OptionGroup;
using Th = ThumbnailOptions;
using Al = AlbumOptions;
using R = SettingsRecord;
constexpr std::monostate kNotStored{};

// Row builders, one per kind of control.
OptionRow Color(C c, OptionMember m, RecordField f, G g, const char* flag = nullptr, const char* help = nullptr) {
  return {c, m, f, g, 0, 0, TextRule::Trimmed, NamePart::Prefix, flag, help};
}
OptionRow Text(T c, OptionMember m, RecordField f, G g, TextRule rule = TextRule::Trimmed,
               const char* flag = nullptr, const char* help = nullptr) {
  return {c, m, f, g, 0, 0, rule, NamePart::Prefix, flag, help};
}
OptionRow Name(T c, OptionMember m, RecordField f, G g, NamePart part, const char* flag = nullptr,
               const char* help = nullptr) {
  return {c, m, f, g, 0, 0, TextRule::Name, part, flag, help};
}
OptionRow Number(N c, OptionMember m, RecordField f, G g, int min, int max, const char* flag = nullptr,
                 const char* help = nullptr) {
  return {c, m, f, g, min, max, TextRule::Trimmed, NamePart::Prefix, flag, help};
}
OptionRow List(L c, OptionMember m, RecordField f, G g, const char* flag = nullptr, const char* help = nullptr) {
  return {c, m, f, g, 0, 0, TextRule::Trimmed, NamePart::Prefix, flag, help};
}
OptionRow Check(K c, OptionMember m, RecordField f, G g, const char* flag = nullptr, const char* help = nullptr) {
  return {c, m, f, g, 0, 0, TextRule::Trimmed, NamePart::Prefix, flag, help};
}

}  // namespace

const std::vector<OptionRow>& OptionTable() {
  static const std::vector<OptionRow> rows{
      // "Save Image Settings."
      Color(C::cpThumbBack, &Th::thumbBackColor, &R::thumbBackColor, G::Image, "--back-color 0xBBGGRR",
            "background colour of the framed styles"),
      Text(T::txtThumbBackImage, &Th::thumbBackImage, &R::thumbBackImage, G::Image, TextRule::Trimmed,
           "--back-image FILE", "background image of the framed styles"),
      Number(N::udImagePadding, &Th::imagePadding, &R::imagePadding, G::Image, 0, 1000, "--padding N",
             "image padding"),
      Number(N::udWid, &Th::thumbWidth, &R::thumbWidth, G::Image, 16, 25000, "--width N", "width box"),
      Number(N::udHgt, &Th::thumbHeight, &R::thumbHeight, G::Image, 16, 25000, "--height N", "height box"),
      Name(T::txtPrefix, &Th::prefix, &R::prefix, G::Image, NamePart::Prefix, "--prefix TEXT",
           "text before each output name"),
      Name(T::txtSuffix, &Th::suffix, &R::suffix, G::Image, NamePart::Suffix, "--suffix TEXT",
           "text after each output name"),
      List(L::ComboOutputFormat, &Th::outputFormatIndex, &R::outputFormatIndex, G::Image, "--format N",
           "output format list position"),
      List(L::comboResampleMethod, &Th::resampleIndex, &R::resampleIndex, G::Image, "--filter N",
           "resample list position"),
      List(L::cboThumbStyle, &Th::thumbStyleIndex, &R::thumbStyleIndex, G::Image, "--style N", "thumbnail style"),
      // "Save HTML Gallery Settings." and "Save Thumb Page Settings."
      Color(C::cpPage, &Al::pageColor, &R::pageColor, G::ThumbPage),
      Text(T::txtHTMLBknd, &Al::backgroundImage, &R::backgroundImage, G::ThumbPage, TextRule::AsTyped),
      Number(N::udPageOpt0, &Al::headerSize, &R::headerSize, G::ThumbPage, 0, 72),
      Color(C::cpHeaderColor, &Al::headerColor, &R::headerColor, G::ThumbPage),
      Text(T::txtPageHeader, &Al::pageHeader, &R::pageHeader, G::ThumbPage),
      Number(N::udPageOpt1, &Al::indexSize, &R::indexSize, G::ThumbPage, 0, 72),
      Name(T::txtPageFileName, &Al::pageFileName, &R::pageFileName, G::ThumbPage, NamePart::PageFileName),
      Check(K::chkRepeatHeader, &Al::repeatIndexAtTop, &R::repeatIndexAtTop, G::ThumbPage),
      Name(T::txtThumbDirName, &Al::thumbFolderName, &R::thumbFolderName, G::ThumbPage, NamePart::ThumbFolderName),
      Text(T::txtpageTitle, &Al::pageTitle, &R::pageTitle, G::ThumbPage),
      // "Save HTML Gallery Settings." and "Save Table Settings."
      List(L::cboAlign, &Al::alignment, &R::alignmentIndex, G::Table),
      Color(C::cpBorder, &Al::borderColor, &R::borderColor, G::Table),
      Number(N::udTableOpt4, &Al::borderWidth, &R::borderWidth, G::Table, 0, 500),
      Color(C::cpCaptionBack, &Al::captionBackColor, &R::captionBackColor, G::Table),
      Color(C::cpCell, &Al::cellColor, &R::cellColor, G::Table),
      Number(N::udTableOpt2, &Al::cellPadding, &R::cellPadding, G::Table, 0, 500),
      Number(N::udTableOpt3, &Al::cellSpacing, &R::cellSpacing, G::Table, 0, 500),
      Number(N::udTableOpt1, &Al::columnsPerRow, &R::columnsPerRow, G::Table, 1, 200),
      Color(C::cpcapfontcolor, &Al::captionFontColor, &R::captionFontColor, G::Table),
      Number(N::udTableFont, &Al::captionFontSize, &R::captionFontSize, G::Table, 2, 7),
      Number(N::udTableOpt0, &Al::rowsPerPage, &R::rowsPerPage, G::Table, 1, 200),
      Color(C::cpTablecolor, &Al::tableColor, &R::tableColor, G::Table),
      // Not stored: at their start-up values in every program start.
      List(L::ComboResizeMethod, &Th::resizeMode, kNotStored, G::None, "--mode N", "resize mode"),
      Check(K::chkSuppress, &Al::noTableFormatting, kNotStored, G::None),
      Check(K::ckNewBrowserWindow, &Al::openInNewWindow, kNotStored, G::None),
      Check(K::ckDoFullPages, &Al::createFullsizePages, kNotStored, G::None, "--image-pages",
            "with --album: a page per image with a web-size copy"),
      Number(N::udImagePageSize, &Al::imagePageSize, kNotStored, G::None, 200, 8000, "--image-size N",
             "longest side of the image pages' copies"),
      Check(K::ckImageDetails, &Al::showPhotoDetails, kNotStored, G::None, "--image-details",
            "with --image-pages: the photo's date, camera, lens, exposure and location"),
  };
  return rows;
}

const OptionRow* OptionRowOf(AnyControl control) {
  for (const OptionRow& row : OptionTable())
    if (row.control == control) return &row;
  return nullptr;
}

namespace {

int Clamped(const OptionRow& row, int value) {
  if (const auto* list = std::get_if<ListControl>(&row.control)) return ClampListIndex(*list, value);
  return std::clamp(value, row.minimum, row.maximum);
}

const QStringList* ListTexts(const OptionRow& row) {
  const auto* list = std::get_if<ListControl>(&row.control);
  return list ? &ChoiceListTexts(*list) : nullptr;
}

}  // namespace

namespace {

template <typename M>
struct MemberOf;
template <typename V, typename O>
struct MemberOf<V O::*> {
  using Owner = O;
};

// The member a row names, in whichever of the two options holds it.
template <typename M, typename Thumb, typename Album>
auto& Member(M member, Thumb& thumbnail, Album& album) {
  if constexpr (std::is_same_v<typename MemberOf<M>::Owner, ThumbnailOptions>)
    return thumbnail.*member;
  else
    return album.*member;
}

}  // namespace

ControlValue OptionValue(const OptionRow& row, const ThumbnailOptions& thumbnail, const AlbumOptions& album) {
  return std::visit(
      [&](auto member) -> ControlValue {
        const auto& value = Member(member, thumbnail, album);
        using V = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<V, int16_t>) {
          return int{value};
        } else if constexpr (std::is_same_v<V, QString>) {
          // A list whose option is its entry's text (the alignment).
          if (const QStringList* texts = ListTexts(row)) return static_cast<int>(texts->indexOf(value));
          return value;
        } else {
          return value;
        }
      },
      row.member);
}

void SetOptionValue(const OptionRow& row, ThumbnailOptions& thumbnail, AlbumOptions& album, ControlValue value) {
  std::visit(
      [&](auto member) {
        auto& target = Member(member, thumbnail, album);
        using V = std::decay_t<decltype(target)>;
        if constexpr (std::is_same_v<V, int16_t>) {
          target = static_cast<int16_t>(Clamped(row, std::get<int>(value)));
        } else if constexpr (std::is_same_v<V, QString>) {
          if (const QStringList* texts = ListTexts(row))
            target = texts->at(Clamped(row, std::get<int>(value)));
          else
            target = std::get<QString>(value);
        } else {
          target = std::get<V>(value);
        }
      },
      row.member);
}

ControlValue RecordValue(const OptionRow& row, const SettingsRecord& record) {
  return std::visit(
      [&](auto field) -> ControlValue {
        using F = decltype(field);
        if constexpr (std::is_same_v<F, std::monostate>) return 0;
        else {
          const auto& value = record.*field;
          using V = std::decay_t<decltype(value)>;
          // A stored check is on when not 0, whatever the flag rule says.
          if constexpr (std::is_same_v<V, int16_t>) {
            if (std::holds_alternative<CheckControl>(row.control)) return value != 0;
            return int{value};
          } else {
            return value;
          }
        }
      },
      row.field);
}

void SetRecordValue(const OptionRow& row, SettingsRecord& record, const ControlValue& value) {
  std::visit(
      [&](auto field) {
        using F = decltype(field);
        if constexpr (!std::is_same_v<F, std::monostate>) {
          auto& target = record.*field;
          using V = std::decay_t<decltype(target)>;
          if constexpr (std::is_same_v<V, int16_t>) {
            if (const bool* on = std::get_if<bool>(&value))
              target = FlagOf(*on);
            else
              target = static_cast<int16_t>(std::max(0, std::get<int>(value)));
          } else {
            target = std::get<V>(value);
          }
        }
      },
      row.field);
}

ControlValue ControlValueOf(const OptionControls& controls, AnyControl control) {
  return std::visit(
      [&](auto c) -> ControlValue {
        using Kind = decltype(c);
        if constexpr (std::is_same_v<Kind, ColorControl>) return controls.color(c);
        if constexpr (std::is_same_v<Kind, TextControl>) return controls.text(c);
        if constexpr (std::is_same_v<Kind, NumberControl>) return controls.value(c);
        if constexpr (std::is_same_v<Kind, ListControl>) return controls.listIndex(c);
        if constexpr (std::is_same_v<Kind, CheckControl>) return controls.isChecked(c);
      },
      control);
}

void SetControlValue(OptionControls& controls, AnyControl control, const ControlValue& value) {
  std::visit(
      [&](auto c) {
        using Kind = decltype(c);
        if constexpr (std::is_same_v<Kind, ColorControl>) controls.setColor(c, std::get<ColorValue>(value));
        if constexpr (std::is_same_v<Kind, TextControl>) controls.setText(c, std::get<QString>(value));
        if constexpr (std::is_same_v<Kind, NumberControl>) controls.setValue(c, std::get<int>(value));
        if constexpr (std::is_same_v<Kind, ListControl>) controls.setListIndex(c, std::get<int>(value));
        if constexpr (std::is_same_v<Kind, CheckControl>) controls.setChecked(c, std::get<bool>(value));
      },
      control);
}

QString StoredText(const OptionRow& row, const QString& text) {
  switch (row.textRule) {
    case TextRule::AsTyped: return text;
    case TextRule::Name: return NamePartText(row.namePart, text).text();
    case TextRule::Trimmed: break;
  }
  return TrimBlanks(text);
}
