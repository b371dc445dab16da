#include "client/view_table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

namespace client {
namespace {

constexpr int kMarginWidth = 20;
constexpr int kTwistyWidth = 14;
constexpr int kIndentStep = 16;  // per response level

// Paints the margin's ticks and the category rows; document cells as the style draws them.
class RowDelegate final : public QStyledItemDelegate {
 public:
  explicit RowDelegate(ViewTable* table) : QStyledItemDelegate(table), table_(table) {}

  // The cursor's row is highlighted whole, without a focus frame around one of its cells.
  void paint(QPainter* painter, const QStyleOptionViewItem& given, const QModelIndex& index) const override {
    QStyleOptionViewItem option = given;
    option.state &= ~QStyle::State_HasFocus;
    const int level = index.data(ViewModel::kCategoryLevelRole).toInt();
    if (index.column() != ViewModel::kMarginColumn && level < 0) return PaintDocumentCell(painter, option, index);

    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    const QWidget* widget = option.widget;
    widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    painter->save();
    painter->setClipRect(option.rect);
    if (index.column() == ViewModel::kMarginColumn) {
      if (index.data(ViewModel::kMarkedRole).toBool())
        PaintTick(painter, option.rect,
                  option.state & QStyle::State_Selected ? option.palette.highlightedText().color() : QColor(0x1a, 0x5f, 0xb4));
    } else {
      PaintCategory(painter, option, index);
    }
    painter->restore();
  }

 private:
  // A response's first cell starts a step further right for each level of the hierarchy.
  void PaintDocumentCell(QPainter* painter, QStyleOptionViewItem option, const QModelIndex& index) const {
    const int indent = index.data(ViewModel::kIndentRole).toInt();
    if (indent <= 0) return QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    option.rect.setLeft(option.rect.left() + indent * kIndentStep);
    QStyledItemDelegate::paint(painter, option, index);
  }

  static void PaintTick(QPainter* painter, const QRect& cell, const QColor& color) {
    const QPointF c = QRectF(cell).center();
    QPainterPath tick;
    tick.moveTo(c.x() - 5, c.y());
    tick.lineTo(c.x() - 1.5, c.y() + 4);
    tick.lineTo(c.x() + 5, c.y() - 5);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(tick);
  }

  // Each cell of a category row paints the part of the row's twisty and text that falls in it, so
  // the text runs on over the empty cells to its right.
  void PaintCategory(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int left = table_->CategoryTextLeft(index.row());
    if (left >= option.rect.right()) return;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect row(left, option.rect.top(), table_->viewport()->width() - left, option.rect.height());

    const bool collapsed = index.data(ViewModel::kCollapsedRole).toBool();
    const QPointF c(left + kTwistyWidth / 2.0, QRectF(row).center().y());
    QPolygonF twisty;
    if (collapsed) twisty << QPointF(c.x() - 2.5, c.y() - 4.5) << QPointF(c.x() + 2.5, c.y()) << QPointF(c.x() - 2.5, c.y() + 4.5);
    else twisty << QPointF(c.x() - 4.5, c.y() - 2.5) << QPointF(c.x() + 4.5, c.y() - 2.5) << QPointF(c.x(), c.y() + 2.5);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(selected ? option.palette.highlightedText().color() : QColor(0x2e, 0x8b, 0x57));
    painter->drawPolygon(twisty);

    const int column = index.data(ViewModel::kCategoryColumnRole).toInt();
    const QModelIndex text = index.model()->index(index.row(), column);
    QString value = text.data(Qt::DisplayRole).toString();
    if (value.isEmpty()) value = QStringLiteral("(未分類)");
    painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    QFont bold = option.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->drawText(row.adjusted(kTwistyWidth + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, value);
  }

  ViewTable* table_;
};

}  // namespace

ViewTable::ViewTable(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new RowDelegate(this));
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setEditTriggers(NoEditTriggers);
  setHorizontalScrollMode(ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(kMarginWidth);
}

void ViewTable::Show(ViewModel* model) {
  model_ = model;
  setModel(model);
  if (!model) return;
  horizontalHeader()->setSectionResizeMode(ViewModel::kMarginColumn, QHeaderView::Fixed);
  setColumnWidth(ViewModel::kMarginColumn, kMarginWidth);
  // A width counts characters of the size of a digit, as wide as half a Japanese character.
  const int character = fontMetrics().horizontalAdvance(QLatin1Char('0'));
  for (int column = 1; column < model->columnCount(); ++column)
    setColumnWidth(column, std::max(kMarginWidth, static_cast<int>(model->ColumnWidth(column) * character + 0.5) + 8));
  if (model->rowCount() > 0) setCurrentIndex(model->index(0, 1));
}

int ViewTable::CategoryTextLeft(int row) const {
  return columnViewportPosition(model()->index(row, 0).data(ViewModel::kCategoryColumnRole).toInt()) + 2;
}

void ViewTable::keyPressEvent(QKeyEvent* event) {
  // "+" and "-" of the main keys and of the keypad alike; Shift may be needed to type "+".
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  const int row = CursorRow();
  if (model_ && row >= 0 && modifiers == Qt::NoModifier) {
    const int key = event->key();
    if (key == Qt::Key_Space) return model_->ToggleMark(row);
    if ((key == Qt::Key_Left || key == Qt::Key_Minus) && model_->SetCollapsed(row, true)) return;
    if ((key == Qt::Key_Right || key == Qt::Key_Plus) && model_->SetCollapsed(row, false)) return;
  }
  QTableView::keyPressEvent(event);
}

void ViewTable::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  if (model_ && at.isValid() && event->button() == Qt::LeftButton) {
    if (at.column() == ViewModel::kMarginColumn) {
      setCurrentIndex(model_->index(at.row(), 1));
      return model_->ToggleMark(at.row());
    }
    const int left = CategoryTextLeft(at.row());
    const int x = event->position().toPoint().x();
    if (model_->IsCategory(at.row()) && x >= left && x < left + kTwistyWidth) {
      setCurrentIndex(model_->index(at.row(), 1));
      model_->SetCollapsed(at.row(), !at.data(ViewModel::kCollapsedRole).toBool());
      return;
    }
  }
  QTableView::mousePressEvent(event);
}

void ViewTable::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  if (model_ && at.isValid() && at.column() != ViewModel::kMarginColumn && model_->IsCategory(at.row()))
    model_->SetCollapsed(at.row(), !at.data(ViewModel::kCollapsedRole).toBool());
  else QTableView::mouseDoubleClickEvent(event);
}

}  // namespace client
