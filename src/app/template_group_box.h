#pragma once
// A group box drawn as the templates expect it: the frame's top edge runs
// through the middle of the title's line, so that controls placed one line
// below the box's top sit inside the frame, clear of edge and title.
#include <QGroupBox>

class TemplateGroupBox : public QGroupBox {
  Q_OBJECT
 public:
  using QGroupBox::QGroupBox;

  // Where the title is drawn: one line of the font at the top, after a half em.
  QRect titleRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
