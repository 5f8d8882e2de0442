#pragma once
// Keeps a text box that holds part of an output name (prefix, suffix, page
// file name, thumb folder name) on texts that stay inside the destination
// folder. Installed as the box's validator:
// - an edit that makes the name refused (a "/" typed or pasted) does not
//   happen, and a message says why;
// - a text that may still become acceptable by typing on ("." or ".." as a
//   folder name) is allowed while typing; when editing finishes with it, the
//   box goes back to its last accepted text and the message says why.
// The message goes through the message box seam, after the key event.
#include <QPointer>
#include <QValidator>

#include "app/engine/OutputNames.h"

class QLineEdit;

class NamePartGuard : public QValidator {
  Q_OBJECT
 public:
  // Installs itself on box (which owns it) and takes its text as accepted.
  NamePartGuard(QLineEdit* box, NamePart part);

  NamePart part() const { return part_; }
  // The last text of the box that the rule accepted.
  QString acceptedText() const { return accepted_; }
  // Sets the box's text when the rule accepts it; otherwise leaves the box as
  // it is and returns false (no message: the text was not typed).
  bool setText(const QString& text);

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 signals:
  // A typed text was refused; problem is the sentence shown to the user.
  void Refused(const QString& problem);

 private:
  void TextChanged(const QString& text);
  void EditingFinished();
  void Refuse(const QString& problem);
  void ShowPendingMessage();

  QPointer<QLineEdit> box_;
  NamePart part_;
  QString accepted_;
  mutable QString lastProblem_;     // why validate() refused the last edit
  mutable QString fixedUpProblem_;  // why fixup() put the accepted text back
  QString pendingMessage_;
};
