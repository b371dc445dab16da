// CColumnSelectDialog: which columns an export writes, under which titles and in which order. It
// works on a copy of the export's column list and writes it back only on OK.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "columns/column_spec.h"
#include "host/notes.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace dialogs {

class CColumnSelectDialog final : public QDialog {
 public:
  // `columns` is the export's list, `view` and `database` the export's (for definition files and
  // the formula dialog).
  CColumnSelectDialog(ColumnSpecList& columns, LNViewFolder& view, const LNDatabase& database,
                      QWidget* parent = nullptr);
  int DoModal() { return exec(); }

  // Asks for the path of a definition file to open or to save (platform text); nothing when the
  // user cancels. The file dialogs unless replaced (tests replace them).
  using PathQuestion = std::function<std::optional<std::string>(bool save)>;
  void SetPathQuestion(PathQuestion ask) { askPath_ = std::move(ask); }
  // Runs the formula dialog on `column`; true when it ended with OK. The formula dialog unless
  // replaced.
  using FormulaEditor = std::function<bool(ColumnSpec& column)>;
  void SetFormulaEditor(FormulaEditor edit) { editFormula_ = std::move(edit); }

  QTreeWidget* List() const { return list_; }
  QPushButton* Button(int id) const;
  const ColumnSpecList& Working() const { return working_; }

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void Show(QTreeWidgetItem* item);
  void UpdateButtons();
  void ItemChanged(QTreeWidgetItem* item);
  void Add();
  void Edit();
  void Delete();
  void Move(bool up);
  void Swap(int a, int b);
  void Rebuild();
  void Open();
  void Save();
  std::size_t Entry(const QTreeWidgetItem* item) const;
  std::vector<int> SelectedPositions() const;

  ColumnSpecList& columns_;
  LNViewFolder& view_;
  ColumnSpecList working_;
  QTreeWidget* list_;
  bool tracking_ = true;
  PathQuestion askPath_;
  FormulaEditor editFormula_;
};

}  // namespace dialogs
