#include "resources/dialog_builder.h"

#include <platform/qt/qt_ui.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

namespace resources {
namespace {

QString ObjectName(int id) { return QStringLiteral("control-%1").arg(id); }
QString GroupName(int firstId) { return QStringLiteral("group-%1").arg(firstId); }

QLabel* MakeLabel(const ControlTemplate& control, QWidget* parent) {
  auto* label = new QLabel(platform::qt::FromUtf8(control.text), parent);
  Qt::Alignment alignment = control.style & kRightAligned ? Qt::AlignRight
                            : control.style & kCentred    ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
  alignment |= control.style & kVerticallyCentred ? Qt::AlignVCenter : Qt::AlignTop;
  label->setAlignment(alignment);
  label->setWordWrap(!(control.style & kVerticallyCentred));  // a centred label is one line
  return label;
}

// Grid lines between a list's rows and columns, as the lists' extended style asks for them.
class GridLinesDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(option.palette.color(QPalette::Midlight));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
};

// A closed drop-down list with the platform's proportions: a 2-pixel edge, the arrow button as
// wide as a scroll bar, the text one pixel inside the edge. The rest is drawn by the application's style.
class DropDownListStyle final : public QProxyStyle {
 public:
  static constexpr int kEdge = 2, kArrow = 17, kTextInset = 1;

  DropDownListStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    if (control != CC_ComboBox) return QProxyStyle::subControlRect(control, option, part, widget);
    const QRect inside = option->rect.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    switch (part) {
      case SC_ComboBoxArrow: return QRect(inside.right() - kArrow + 1, inside.top(), kArrow, inside.height());
      case SC_ComboBoxEditField: return inside.adjusted(kTextInset, 0, -kArrow - kTextInset, 0);
      default: return QProxyStyle::subControlRect(control, option, part, widget);
    }
  }
};

QStyle* DropDownListStyleInstance() {
  static QStyle* const style = new DropDownListStyle;  // shared by every list for the process's life
  return style;
}

// The room a closed list gives its text, and the width its widest entry takes.
int TextRoom(const QComboBox& list) {
  QStyleOptionComboBox option;
  option.initFrom(&list);
  return list.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list).width();
}

int WidestEntry(const QComboBox& list) {
  int widest = 0;
  for (int i = 0; i < list.count(); ++i) widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
  return widest;
}

// Closed lists grow to the right where an entry would not show whole; lists placed one above the
// other with the same width grow together, so that they still end in one line.
void WidenDropDownLists(const DialogTemplate& dialog, const std::vector<QWidget*>& made) {
  std::map<std::pair<int, int>, int> growth;  // by the template's left edge and width
  for (std::size_t i = 0; i < made.size(); ++i)
    if (auto* list = qobject_cast<QComboBox*>(made[i])) {
      int& grow = growth[{dialog.controls[i].x, dialog.controls[i].cx}];
      grow = std::max(grow, WidestEntry(*list) - TextRoom(*list));
    }
  for (std::size_t i = 0; i < made.size(); ++i)
    if (auto* list = qobject_cast<QComboBox*>(made[i]))
      list->resize(list->width() + growth[{dialog.controls[i].x, dialog.controls[i].cx}], list->height());
}

QTreeWidget* MakeListView(const ControlTemplate& control, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setItemDelegate(new GridLinesDelegate(list));
  list->setRootIsDecorated(false);
  list->setSelectionMode(control.style & kSingleSelection ? QAbstractItemView::SingleSelection
                                                          : QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(control.style & kEditableLabels ? QAbstractItemView::EditKeyPressed
                                                        : QAbstractItemView::NoEditTriggers);
  list->header()->setSectionsClickable(control.style & kClickableHeader);
  return list;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::GroupBox: return new QGroupBox(platform::qt::FromUtf8(control.text), parent);
    case ControlKind::RadioButton: return new QRadioButton(platform::qt::FromUtf8(control.text), parent);
    case ControlKind::CheckBox: return new QCheckBox(platform::qt::FromUtf8(control.text), parent);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
      auto* button = new QPushButton(platform::qt::FromUtf8(control.text), parent);
      button->setDefault(control.kind == ControlKind::DefaultPushButton);
      return button;
    }
    case ControlKind::DropDownList: {
      auto* list = new QComboBox(parent);
      list->setStyle(DropDownListStyleInstance());
      for (const std::string_view entry : control.entries) list->addItem(platform::qt::FromUtf8(entry));
      return list;
    }
    case ControlKind::Label:
    case ControlKind::LinkLabel: return MakeLabel(control, parent);
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(parent);
      bar->setTextVisible(false);
      return bar;
    }
    case ControlKind::ListView: return MakeListView(control, parent);
    case ControlKind::MultiLineEdit: {
      auto* edit = new QPlainTextEdit(parent);
      edit->setTabChangesFocus(true);
      return edit;
    }
  }
  return nullptr;
}

bool TakesFocus(const QWidget* widget) { return widget->focusPolicy() & Qt::TabFocus; }

// The control a label's access key leads to: the nearest one that takes the focus to its right
// on its row, else the next one after it that takes the focus.
QWidget* BuddyOf(std::size_t label, const std::vector<QWidget*>& made) {
  const QRect row = made[label]->geometry();
  QWidget* beside = nullptr;
  for (QWidget* other : made) {
    const QRect place = other->geometry();
    if (!TakesFocus(other) || place.left() < row.right() || std::abs(place.center().y() - row.center().y()) > row.height())
      continue;
    if (!beside || place.left() < beside->geometry().left()) beside = other;
  }
  if (beside) return beside;
  for (std::size_t i = label + 1; i < made.size(); ++i)
    if (TakesFocus(made[i])) return made[i];
  return nullptr;
}

}  // namespace

QFont DialogFont() {
  static const QString family = [] {
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& name : {platform::qt::FromUtf8(kDialogFont), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")})
      if (installed.contains(name)) return name;
    return installed.isEmpty() ? QString() : installed.front();
  }();
  QFont font(family);
  font.setPointSize(kDialogFontPoints);
  return font;
}

BaseUnits DialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect ToPixels(BaseUnits units, int x, int y, int cx, int cy) {
  const auto scale = [](int value, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(value) * base / divisor));
  };
  const int left = scale(x, units.x, 4), top = scale(y, units.y, 8);
  return {left, top, scale(x + cx, units.x, 4) - left, scale(y + cy, units.y, 8) - top};
}

QWidget* FocusTarget(QWidget* control) {
  auto* radio = qobject_cast<QRadioButton*>(control);
  if (!radio || radio->isChecked() || !radio->group()) return control;
  QAbstractButton* checked = radio->group()->checkedButton();
  return checked && checked->isEnabled() ? checked : control;
}

void BuildControls(const DialogTemplate& dialog, QWidget& widget, const std::map<int, ControlFactory>& custom) {
  widget.setFont(DialogFont());
  const BaseUnits units = DialogBaseUnits(widget.font());
  widget.setFixedSize(ToPixels(units, 0, 0, dialog.cx, dialog.cy).size());

  std::vector<QWidget*> made;
  QButtonGroup* group = nullptr;
  for (const ControlTemplate& control : dialog.controls) {
    const auto factory = custom.find(control.id);
    QWidget* made_control = factory != custom.end() ? factory->second(control, &widget) : MakeControl(control, &widget);
    if (control.id != kNoId) made_control->setObjectName(ObjectName(control.id));
    QRect place = ToPixels(units, control.x, control.y, control.cx, control.cy);
    if (control.kind == ControlKind::DropDownList) place.setHeight(made_control->sizeHint().height());  // closed
    made_control->setGeometry(place);
    if (control.kind == ControlKind::RadioButton) {
      if (control.style & kStartsGroup || !group) {
        group = new QButtonGroup(&widget);
        group->setObjectName(GroupName(control.id));
      }
      group->addButton(static_cast<QRadioButton*>(made_control), static_cast<int>(group->buttons().size()));
    }
    made.push_back(made_control);
  }
  WidenDropDownLists(dialog, made);
  // The frames behind the controls they surround, a frame inside another above it: the last one is
  // lowered first, so that the first one ends lowest.
  for (std::size_t i = made.size(); i-- > 0;)
    if (dialog.controls[i].kind == ControlKind::GroupBox) made[i]->lower();
  for (std::size_t i = 0; i < made.size(); ++i) {
    auto* label = qobject_cast<QLabel*>(made[i]);
    if (label && label->text().contains(QLatin1Char('&'))) label->setBuddy(BuddyOf(i, made));
  }
}

QWidget* FindControl(const QWidget& widget, int id) {
  return id == kNoId ? nullptr : widget.findChild<QWidget*>(ObjectName(id));
}

QButtonGroup* RadioGroup(const QWidget& widget, int firstId) {
  return widget.findChild<QButtonGroup*>(GroupName(firstId));
}

}  // namespace resources
