#pragma once
// The palette's tool-tip window: one line of text on the tool-tip colours.
#include <QWidget>

class cpfrmTip : public QWidget {
  Q_OBJECT
 public:
  explicit cpfrmTip(QWidget* parent = nullptr);

  // Shows text with the window's top-left corner at globalPos.
  void ShowTip(const QString& text, const QPoint& globalPos);
  QString text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};
