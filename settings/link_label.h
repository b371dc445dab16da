// CLinkLabel: a label that behaves like a hyperlink to the product's home page. Underlined, blue;
// red while the pointer is over it; dark blue once clicked, for the rest of its life. A click
// opens the target through the desktop; a tooltip can show while the pointer rests on it.
#pragma once

#include <QColor>
#include <QLabel>
#include <string>
#include <string_view>

class CLinkLabel final : public QLabel {
 public:
  static inline const QColor kNormal{0, 0, 255};
  static inline const QColor kHover{255, 0, 0};
  static inline const QColor kVisited{5, 34, 143};

  CLinkLabel(const QString& text, QWidget* parent);

  // The address a click opens (platform text).
  void SetURL(std::string_view address) { target_ = address; }
  // Whether SetToolTipText reaches the tooltip.
  void EnableToolTip(bool enable) { toolTipEnabled_ = enable; }
  // The tooltip's text (platform text), when the tooltip is enabled; else nothing happens.
  void SetToolTipText(std::string_view text);

  // The colour the text has now.
  QColor TextColour() const;

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Repaint();

  std::string target_;
  bool toolTipEnabled_ = false;
  bool mouseOver_ = false;
  bool visited_ = false;
};
