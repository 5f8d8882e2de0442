#pragma once
// The input box: a prompt, a title and a default answer; the answer comes
// back with whether OK was pressed, so Cancel differs from an empty answer.
// The box is shown through a replaceable handler, like the message boxes, so
// tests can answer it without a modal dialog.
#include <QString>
#include <functional>

class QWidget;

struct InputBoxRequest {
  QString prompt;
  QString title;
  QString defaultText;
};

struct InputBoxAnswer {
  bool accepted = false;  // false: Cancel (or the box was closed)
  QString text;           // empty when cancelled
};

using InputBoxHandler = std::function<InputBoxAnswer(const InputBoxRequest&)>;

InputBoxAnswer ShowInputBox(const QString& prompt, const QString& title, const QString& defaultText = QString(),
                            QWidget* parent = nullptr);

// Replaces the handler (an empty one restores the real QInputDialog); returns the old one.
InputBoxHandler SetInputBoxHandler(InputBoxHandler handler);
