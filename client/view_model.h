// The rows of the current view as a Qt table: column 0 is the selection margin (a tick on marked
// documents), the others are the view's visible columns. Rows are read from the collection as the
// table asks for them; collapsed categories hide the rows beneath them.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <optional>

#include "client/marks.h"
#include "client/outline.h"
#include "client/view_rows.h"

namespace client {

class ViewModel final : public QAbstractTableModel {
 public:
  enum Role {
    kCategoryLevelRole = Qt::UserRole,  // int: the category level, -1 for a document row
    kCollapsedRole,                     // bool: a category row whose rows are hidden
    kMarkedRole,                        // bool: a marked document
    kCategoryColumnRole,                // int: the column a category row shows its value in
    kIndentRole,                        // int: in a document's first shown column, its response level
  };
  static constexpr int kMarginColumn = 0;

  // Shows `rows` (null: no view); `marksChanged` runs after every change of the marks.
  ViewModel(std::unique_ptr<ViewRows> rows, std::function<void()> marksChanged);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The width the view gives shown column `column` (1 ...), in average characters.
  double ColumnWidth(int column) const;
  bool IsCategory(int row) const;
  std::uint32_t NoteIdAt(int row) const;

  // Collapses an expanded category row, expands a collapsed one; false for a document row.
  bool SetCollapsed(int row, bool collapsed);
  // Marks or unmarks the document at `row`, or every document under the category row at `row`.
  void ToggleMark(int row);
  void MarkAll();
  void ClearMarks();
  const Marks& GetMarks() const { return marks_; }
  // The note IDs an export takes as selected, with the cursor at `cursorRow` (-1: none).
  std::vector<std::uint32_t> Selection(int cursorRow) const;

 private:
  const ViewRow& Row(int row) const;
  int FirstDocumentColumn() const;  // the first shown column that is not categorised, from 0
  void MarksChanged();

  std::unique_ptr<ViewRows> rows_;
  Outline outline_;
  Marks marks_;
  std::function<void()> marksChanged_;
};

}  // namespace client
