#include "app/template_group_box.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QStyle>

QRect TemplateGroupBox::titleRect() const {
  const QFontMetrics metrics(font(), this);
  return QRect(QFontInfo(font()).pixelSize() / 2, 0, metrics.horizontalAdvance(title()), metrics.lineSpacing());
}

void TemplateGroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect title = titleRect();
  const int gap = title.height() / 8;  // clear space either side of the title

  // The frame, with a gap where the title crosses it.
  painter.save();
  painter.setClipRegion(QRegion(rect()) - title.adjusted(-gap, 0, gap, 0));
  painter.setPen(palette().color(QPalette::Window).darker(140));
  const QRect frame = rect().adjusted(0, title.height() / 2, -1, -1);
  painter.drawRoundedRect(frame, 2, 2);
  painter.restore();

  style()->drawItemText(&painter, title, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                        isEnabled(), this->title(), QPalette::WindowText);
}
