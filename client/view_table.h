// The table of the current view's rows as a person uses it: the cursor moves with the arrow keys,
// Space or a click in the margin marks the document at the cursor (or every document under a
// category row), Left or "-" collapses a category row and Right or "+" expands it, as a click on
// its twisty does. Category rows show their value from their own column on across the row.
#pragma once

#include <QTableView>

#include "client/view_model.h"

namespace client {

class ViewTable final : public QTableView {
 public:
  explicit ViewTable(QWidget* parent = nullptr);

  // Shows `model` (or nothing) with the cursor on its first row.
  void Show(ViewModel* model);
  ViewModel* Model() const { return model_; }
  int CursorRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }

  // Where a category row's twisty and text begin, in viewport coordinates.
  int CategoryTextLeft(int row) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ViewModel* model_ = nullptr;
};

}  // namespace client
