#include "settings/link_label.h"

#include <platform/qt/qt_ui.h>
#include <platform/ui.h>

#include <QMouseEvent>

CLinkLabel::CLinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_AlwaysShowToolTips);  // the tip shows also while the sheet is not the active window
  Repaint();
}

void CLinkLabel::SetToolTipText(std::string_view text) {
  if (toolTipEnabled_) setToolTip(platform::qt::FromPlatformText(text));
}

QColor CLinkLabel::TextColour() const { return visited_ ? kVisited : mouseOver_ ? kHover : kNormal; }

void CLinkLabel::enterEvent(QEnterEvent* event) {
  QLabel::enterEvent(event);
  mouseOver_ = true;
  Repaint();
}

void CLinkLabel::leaveEvent(QEvent* event) {
  QLabel::leaveEvent(event);
  mouseOver_ = false;
  Repaint();
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  platform::CurrentUi().OpenAddress(target_);  // a failure shows nothing; the label is visited all the same
  visited_ = true;
  Repaint();
}

void CLinkLabel::Repaint() {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, TextColour());
  setPalette(colours);
}
