#include "app/options/NamePartGuard.h"

#include <QLineEdit>

#include "platform/shell/MessageBox.h"

NamePartGuard::NamePartGuard(QLineEdit* box, NamePart part) : QValidator(box), box_(box), part_(part) {
  accepted_ = box->text();
  box->setValidator(this);
  connect(box, &QLineEdit::textChanged, this, &NamePartGuard::TextChanged);
  connect(box, &QLineEdit::editingFinished, this, &NamePartGuard::EditingFinished);
  connect(box, &QLineEdit::inputRejected, this, [this] {
    if (!lastProblem_.isEmpty()) Refuse(lastProblem_);
  });
}

QValidator::State NamePartGuard::validate(QString& input, int&) const {
  const NamePartText name(part_, input);
  if (name.accepted()) return Acceptable;
  // Typing on can still make it a name ("." on the way to ".thumbs").
  if (NamePartText(part_, input + QLatin1Char('x')).accepted()) return Intermediate;
  lastProblem_ = name.problem();
  return Invalid;
}

// Called when editing finishes on a text that is not acceptable: the box goes
// back to its last accepted text, and EditingFinished says why.
void NamePartGuard::fixup(QString& input) const {
  fixedUpProblem_ = NamePartText(part_, input).problem();
  input = accepted_;
}

bool NamePartGuard::setText(const QString& text) {
  if (!NamePartText(part_, text).accepted()) return false;
  if (box_) box_->setText(text);
  return true;
}

void NamePartGuard::TextChanged(const QString& text) {
  if (NamePartText(part_, text).accepted()) accepted_ = text;
}

void NamePartGuard::EditingFinished() {
  const QString problem = fixedUpProblem_;
  fixedUpProblem_.clear();
  if (!problem.isEmpty()) Refuse(problem);
}

void NamePartGuard::Refuse(const QString& problem) {
  emit Refused(problem);
  // One message for a burst of refused keys, shown once the key event is done.
  const bool queued = !pendingMessage_.isEmpty();
  pendingMessage_ = problem;
  if (!queued) QMetaObject::invokeMethod(this, &NamePartGuard::ShowPendingMessage, Qt::QueuedConnection);
}

void NamePartGuard::ShowPendingMessage() {
  const QString text = pendingMessage_;
  pendingMessage_.clear();
  if (text.isEmpty()) return;
  ShowMessageBox(text, QStringLiteral("Quillmora"), MsgIcon::Exclamation, MsgButtons::OK,
                 box_ ? box_->window() : nullptr);
}
