// CFormulaInputDialog: composes the formula of a formula column from the database's forms,
// subforms and fields. OK hands the text to the host, which rejects a bad formula with a message
// while the dialog stays open.
#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <vector>

#include "columns/column_spec.h"
#include "host/notes.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace dialogs {

struct FormInfo {
  std::string name, alias, comment;  // platform text
  bool isForm = true;
};

struct FieldInfo {
  std::string name;  // platform text
  int computeOption = 0;
  LNFormula valueFormula;
  std::string helpDescription;  // platform text
};

class CFormulaInputDialog final : public QDialog {
 public:
  explicit CFormulaInputDialog(const LNDatabase& database, QWidget* parent = nullptr);

  // The edited column: set before the run, the formula column after OK.
  ColumnSpec& Column() { return column_; }
  int DoModal() { return exec(); }

  QTreeWidget* FormsList() const { return forms_; }
  QTreeWidget* FieldsList() const { return fields_; }
  QPlainTextEdit* FormulaBox() const { return edit_; }

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const FormInfo& Form(NOTEID id);
  void Gather(NOTEID id, bool clear);
  std::vector<NOTEID> GatherFieldsOf(NOTEID id);
  void FormChosen();
  void FieldChosen();
  void HeaderClicked(QTreeWidget* list, int& mode);
  void SortItems(QTreeWidget* list, int mode);
  void Insert(bool formula);
  void ShowForm(QTreeWidgetItem* item);
  void ShowField(QTreeWidgetItem* item);

  const LNDatabase& database_;
  ColumnSpec column_;
  QTreeWidget* forms_;
  QTreeWidget* fields_;
  QPlainTextEdit* edit_;
  QPushButton* insertName_;
  QPushButton* insertFormula_;
  std::map<NOTEID, FormInfo> formCache_;
  std::vector<FieldInfo> fieldArray_;
  int formSortMode_ = 0;
  int fieldSortMode_ = 0;
  bool shown_ = false;
};

}  // namespace dialogs
