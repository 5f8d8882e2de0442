#include "app/controls/ColorPicker/cpfrmTip.h"

#include <QPainter>

#include "platform/drawing/ColorValue.h"

cpfrmTip::cpfrmTip(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
}

void cpfrmTip::ShowTip(const QString& text, const QPoint& globalPos) {
  text_ = text;
  const QFontMetrics fm(font());
  resize(fm.horizontalAdvance(text_) + 8, fm.height() + 4);
  move(globalPos);
  show();
  update();
}

void cpfrmTip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), TranslateColor(SystemColor(COLOR_INFOBK)));
  p.setPen(TranslateColor(SystemColor(COLOR_INFOTEXT)));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}
