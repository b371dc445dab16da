#include "client/view_model.h"

#include <platform/qt/qt_ui.h>

namespace client {
namespace {

using platform::qt::FromUtf8;

// A value of several lines shows its first one in a row of one line.
QString OneLine(const std::string& text) {
  const std::size_t lineFeed = text.find('\n');
  if (lineFeed == std::string::npos) return FromUtf8(text);
  return FromUtf8(std::string_view(text).substr(0, lineFeed)) + QStringLiteral("…");
}

}  // namespace

ViewModel::ViewModel(std::unique_ptr<ViewRows> rows, std::function<void()> marksChanged)
    : rows_(std::move(rows)), outline_(rows_ ? rows_->Count() : 0), marksChanged_(std::move(marksChanged)) {}

int ViewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(outline_.RowCount());
}

int ViewModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || !rows_) return 0;
  return 1 + static_cast<int>(rows_->Layout().shown.size());
}

const ViewRow& ViewModel::Row(int row) const { return rows_->At(outline_.EntryAt(static_cast<std::uint32_t>(row))); }

QVariant ViewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !rows_) return {};
  const ViewRow& row = Row(index.row());
  // The text of a cell; none in the margin and for an entry the collection no longer gives.
  const std::size_t cell = static_cast<std::size_t>(index.column() - 1);
  const bool hasText = index.column() != kMarginColumn && cell < row.cells.size();
  switch (role) {
    case Qt::DisplayRole:
      return hasText ? QVariant(OneLine(row.cells[cell])) : QVariant();
    case Qt::ToolTipRole:
      return hasText && row.cells[cell].find('\n') != std::string::npos ? QVariant(FromUtf8(row.cells[cell])) : QVariant();
    case Qt::TextAlignmentRole:
      if (index.column() != kMarginColumn && rows_->Layout().shown[static_cast<std::size_t>(index.column() - 1)].icons)
        return int(Qt::AlignCenter);
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    case kCategoryLevelRole:
      return row.categoryLevel;
    case kCollapsedRole:
      return outline_.IsCollapsed(outline_.EntryAt(static_cast<std::uint32_t>(index.row())));
    case kCategoryColumnRole:
      if (row.categoryLevel < 0 || rows_->Layout().categories.empty()) return 1;
      return 1 + rows_->Layout().categories[static_cast<std::size_t>(row.categoryLevel)].shownColumn;
    case kMarkedRole:
      return row.categoryLevel < 0 && marks_.Contains(row.noteId);
    case kIndentRole:
      return hasText && row.categoryLevel < 0 && static_cast<int>(cell) == FirstDocumentColumn() ? row.indent : 0;
    default:
      return {};
  }
}

QVariant ViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || !rows_ || section == kMarginColumn) return {};
  return FromUtf8(rows_->Layout().shown[static_cast<std::size_t>(section - 1)].title);
}

double ViewModel::ColumnWidth(int column) const { return rows_->Layout().shown[static_cast<std::size_t>(column - 1)].width; }

int ViewModel::FirstDocumentColumn() const {
  const std::vector<ShownColumn>& shown = rows_->Layout().shown;
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (!shown[i].categorized) return static_cast<int>(i);
  return 0;
}

bool ViewModel::IsCategory(int row) const { return Row(row).categoryLevel >= 0; }

std::uint32_t ViewModel::NoteIdAt(int row) const { return Row(row).noteId; }

bool ViewModel::SetCollapsed(int row, bool collapsed) {
  if (row < 0 || row >= rowCount() || !IsCategory(row)) return false;
  const std::uint32_t entry = outline_.EntryAt(static_cast<std::uint32_t>(row));
  if (outline_.IsCollapsed(entry) == collapsed) return true;
  Outline after = outline_;
  if (collapsed) after.Collapse(entry, rows_->SubtreeEnd(entry));
  else after.Expand(entry);
  // The rows right after the category leave or come.
  const int before = static_cast<int>(outline_.RowCount()), now = static_cast<int>(after.RowCount());
  if (now < before) beginRemoveRows({}, row + 1, row + before - now);
  if (now > before) beginInsertRows({}, row + 1, row + now - before);
  outline_ = std::move(after);
  if (now < before) endRemoveRows();
  if (now > before) endInsertRows();
  const QModelIndex changed = index(row, 1);
  emit dataChanged(changed, changed, {kCollapsedRole});
  return true;
}

void ViewModel::ToggleMark(int row) {
  if (row < 0 || row >= rowCount()) return;
  const std::uint32_t entry = outline_.EntryAt(static_cast<std::uint32_t>(row));
  const ViewRow& at = rows_->At(entry);
  if (at.categoryLevel < 0) marks_.Toggle({at.noteId});
  else marks_.Toggle(rows_->DocumentsIn(entry + 1, rows_->SubtreeEnd(entry)));
  MarksChanged();
}

void ViewModel::MarkAll() {
  if (!rows_) return;
  marks_.Mark(rows_->DocumentsIn(0, rows_->Count()));
  MarksChanged();
}

void ViewModel::ClearMarks() {
  marks_.Clear();
  MarksChanged();
}

std::vector<std::uint32_t> ViewModel::Selection(int cursorRow) const {
  std::optional<std::uint32_t> atCursor;
  if (rows_ && cursorRow >= 0 && cursorRow < rowCount() && !IsCategory(cursorRow)) atCursor = NoteIdAt(cursorRow);
  return marks_.Selection(atCursor);
}

void ViewModel::MarksChanged() {
  if (rowCount() > 0) emit dataChanged(index(0, kMarginColumn), index(rowCount() - 1, kMarginColumn), {kMarkedRole});
  if (marksChanged_) marksChanged_();
}

}  // namespace client
