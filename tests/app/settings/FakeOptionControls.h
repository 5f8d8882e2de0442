#pragma once
// Option controls without widgets: values in maps, and a log of every call
// that sets a control or runs its change handling, in call order.
#include <QString>
#include <QStringList>
#include <map>

#include "app/settings/ChoiceLists.h"
#include "app/settings/OptionControls.h"

inline QString NameOf(ColorControl c) {
  static const char* names[] = {"cpThumbBack", "cpPage", "cpHeaderColor", "cpBorder",
                                "cpCaptionBack", "cpCell", "cpcapfontcolor", "cpTablecolor"};
  return QString::fromLatin1(names[static_cast<int>(c)]);
}
inline QString NameOf(TextControl c) {
  static const char* names[] = {"txtThumbBackImage", "txtPrefix",       "txtSuffix",       "txtHTMLBknd",
                                "txtPageHeader",     "txtPageFileName", "txtThumbDirName", "txtpageTitle"};
  return QString::fromLatin1(names[static_cast<int>(c)]);
}
inline QString NameOf(NumberControl c) {
  static const char* names[] = {"udWid",       "udHgt",       "udImagePadding", "udPageOpt0",
                                "udPageOpt1",  "udTableOpt0", "udTableOpt1",    "udTableOpt2",
                                "udTableOpt3", "udTableOpt4", "udTableFont"};
  return QString::fromLatin1(names[static_cast<int>(c)]);
}
inline QString NameOf(ListControl c) {
  static const char* names[] = {"ComboFilter", "ComboOutputFormat", "ComboResizeMethod",
                                "comboResampleMethod", "cboAlign", "cboThumbStyle"};
  return QString::fromLatin1(names[static_cast<int>(c)]);
}
inline QString NameOf(CheckControl c) {
  return c == CheckControl::chkRepeatHeader ? QStringLiteral("chkRepeatHeader") : QStringLiteral("ckHTML");
}
inline QString NameOf(TreeControl t) {
  return t == TreeControl::ftvSource ? QStringLiteral("ftvSource") : QStringLiteral("ftvDest");
}

class FakeOptionControls : public OptionControls {
 public:
  ColorValue color(ColorControl c) const override { return Get(colors, c, ColorValue{0}); }
  void setColor(ColorControl c, ColorValue v) override {
    colors[c] = v;
    log << NameOf(c);
  }
  void colorChanged(ColorControl c) override { log << QStringLiteral("changed ") + NameOf(c); }

  QString text(TextControl c) const override { return Get(texts, c, QString()); }
  void setText(TextControl c, const QString& v) override {
    texts[c] = v;
    log << NameOf(c);
  }

  int value(NumberControl c) const override { return Get(numbers, c, 0); }
  void setValue(NumberControl c, int v) override {
    const NumberRange range = NumberLimits(c);
    if (v < range.minimum || v > range.maximum) ++outOfRange;
    numbers[c] = v;
    log << NameOf(c);
  }

  int listIndex(ListControl c) const override { return Get(lists, c, -1); }
  void setListIndex(ListControl c, int index) override {
    if (index < 0 || index >= ChoiceListTexts(c).size()) ++outOfRange;
    lists[c] = index;
    log << NameOf(c);
  }

  bool isChecked(CheckControl c) const override { return Get(checks, c, false); }
  void setChecked(CheckControl c, bool v) override {
    checks[c] = v;
    log << NameOf(c);
  }

  void setSelectedFolder(TreeControl t, const QString& folder) override {
    folders[t] = folder;
    log << NameOf(t);
  }

  std::map<ColorControl, ColorValue> colors;
  std::map<TextControl, QString> texts;
  std::map<NumberControl, int> numbers;
  std::map<ListControl, int> lists;
  std::map<CheckControl, bool> checks;
  std::map<TreeControl, QString> folders;
  QStringList log;
  int outOfRange = 0;

 private:
  template <typename Map, typename Key, typename Value>
  static Value Get(const Map& map, Key key, Value fallback) {
    const auto it = map.find(key);
    return it == map.end() ? fallback : it->second;
  }
};
