#include "orvellan/control/General.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "platform/com/Dispatch.h"
#include "platform/drawing/Numbers.h"

namespace {

QCheckBox* MakeCheck(const char* name, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(name), parent);
  box->setObjectName(QStringLiteral("chk") + QString::fromLatin1(name));
  return box;
}

// The text as a 16-bit number, as the system converts it: not a number is a
// type mismatch, beyond 16 bits an overflow.
short TextToShort(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || std::isnan(value)) throw ComError(kErrTypeMismatch);
  const int rounded = RoundHalfEven(value);
  if (rounded < std::numeric_limits<short>::min() || rounded > std::numeric_limits<short>::max())
    throw ComError(kErrOverflow);
  return static_cast<short>(rounded);
}

}  // namespace

General::General(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("General"));
  fraControls_ = new QGroupBox(this);
  fraControls_->setObjectName(QStringLiteral("fraControls"));
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(fraControls_);
  auto* form = new QFormLayout(fraControls_);

  cboScrolls_ = new QComboBox(fraControls_);
  cboScrolls_->setObjectName(QStringLiteral("cboScrolls"));
  cboScrolls_->addItems({QStringLiteral("0 - OvAutomatic"), QStringLiteral("1 - OvNone ")});
  txtToolTipText_ = new QLineEdit(fraControls_);
  txtToolTipText_->setObjectName(QStringLiteral("txtToolTipText"));
  cboBorder_ = new QComboBox(fraControls_);
  cboBorder_->setObjectName(QStringLiteral("cboBorder"));
  cboBorder_->addItems({QStringLiteral("0 - OvNone"), QStringLiteral("1 - OvRaisedOuter"),
                        QStringLiteral("2 - OvRaisedInner"), QStringLiteral("3 - OvSunkenOuter"),
                        QStringLiteral("4 - OvSunkenInner"), QStringLiteral("5 - OvRaisedEdge"),
                        QStringLiteral("6 - OvSunkenEdge"), QStringLiteral("7 - OvEtchedEdge"),
                        QStringLiteral("8 - OvBumpEdge")});
  chkOvKeyboardScrolling_ = MakeCheck("OvKeyboardScrolling", fraControls_);
  chkOvMouseScrolling_ = MakeCheck("OvMouseScrolling", fraControls_);
  chkEnabled_ = MakeCheck("Enabled", fraControls_);
  txtOvURL_ = new QLineEdit(fraControls_);
  txtOvURL_->setObjectName(QStringLiteral("txtOvURL"));
  txtOvScrollBarWidth_ = new QLineEdit(fraControls_);
  txtOvScrollBarWidth_->setObjectName(QStringLiteral("txtOvScrollBarWidth"));

  form->addRow(QStringLiteral("OvScrollBars:"), cboScrolls_);
  form->addRow(QStringLiteral("ToolTipText:"), txtToolTipText_);
  form->addRow(QStringLiteral("OvBorderStyle:"), cboBorder_);
  form->addRow(chkOvKeyboardScrolling_);
  form->addRow(chkOvMouseScrolling_);
  form->addRow(chkEnabled_);
  form->addRow(QStringLiteral("OvURL:"), txtOvURL_);
  form->addRow(QStringLiteral("OvScrollBarWidth:"), txtOvScrollBarWidth_);

  for (QComboBox* list : {cboScrolls_, cboBorder_})
    connect(list, QOverload<int>::of(&QComboBox::activated), this, [this] { MarkChanged(); });
  for (QCheckBox* check : {chkOvKeyboardScrolling_, chkOvMouseScrolling_, chkEnabled_})
    connect(check, &QCheckBox::clicked, this, [this] { MarkChanged(); });
  for (QLineEdit* text : {txtToolTipText_, txtOvURL_, txtOvScrollBarWidth_})
    connect(text, &QLineEdit::textChanged, this, [this] { MarkChanged(); });
}

void General::SelectionChanged(const QObjectList& selectedControls) {
  Dispatch::Guard(this, [&] {
    selected_.clear();
    for (QObject* o : selectedControls) selected_.append(o);
    if (selected_.isEmpty() || !selected_.first()) return;
    QObject* c = selected_.first();
    auto check = [c](QCheckBox* box, const char* property) {
      box->setCheckState((Dispatch::Get(c, property).toInt() & 1) ? Qt::Checked : Qt::Unchecked);
    };
    check(chkOvKeyboardScrolling_, "OvKeyboardScrolling");
    check(chkOvMouseScrolling_, "OvMouseScrolling");
    check(chkEnabled_, "Enabled");
    txtToolTipText_->setText(Dispatch::Get(c, "ToolTipText").toString());
    txtOvURL_->setText(Dispatch::Get(c, "OvURL").toString());
    txtOvScrollBarWidth_->setText(Dispatch::Get(c, "OvScrollBarWidth").toString());
    cboScrolls_->setCurrentIndex(Dispatch::Get(c, "OvScrollBars").toInt());
    cboBorder_->setCurrentIndex(Dispatch::Get(c, "OvBorderStyle").toInt());
    setChanged(false);
  });
}

void General::setChanged(bool changed) {
  if (changed == changed_) return;
  changed_ = changed;
  emit ChangedChanged();
}

void General::ApplyChanges() {
  Dispatch::Guard(this, [&] { ApplyImpl(); });
}

void General::ApplyImpl() {
  if (selected_.isEmpty() || !selected_.first()) return;
  QObject* c = selected_.first();
  Dispatch::Set(c, "OvKeyboardScrolling", chkOvKeyboardScrolling_->checkState() == Qt::Checked);
  Dispatch::Set(c, "OvURL", txtOvURL_->text());
  Dispatch::Set(c, "OvMouseScrolling", chkOvMouseScrolling_->checkState() == Qt::Checked);
  Dispatch::Set(c, "Enabled", chkEnabled_->checkState() == Qt::Checked);
  Dispatch::Set(c, "OvScrollBarWidth", TextToShort(txtOvScrollBarWidth_->text()));
  Dispatch::Set(c, "OvBorderStyle", cboBorder_->currentIndex());
  Dispatch::Set(c, "ToolTipText", txtToolTipText_->text());
  Dispatch::Set(c, "OvScrollBars", cboScrolls_->currentIndex());
  setChanged(false);
}
