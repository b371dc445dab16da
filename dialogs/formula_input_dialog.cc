#include "dialogs/formula_input_dialog.h"

#include <platform/cp932.h>
#include <platform/qt/qt_ui.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "columns/host_call.h"
#include "dialogs/formula_rules.h"
#include "messages/report_notes_error.h"
#include "resources/dialog_builder.h"

namespace dialogs {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;  // the type string of the sort order
constexpr char kSortModeProperty[] = "sortMode";

// An item of either list, ordered by its list's sort mode on its type string and its name.
class SortedItem final : public QTreeWidgetItem {
 public:
  SortedItem(QTreeWidget* list, qulonglong data) : QTreeWidgetItem(list) { setData(0, kDataRole, data); }
  bool operator<(const QTreeWidgetItem& other) const override {
    const int mode = treeWidget()->property(kSortModeProperty).toInt();
    const std::string type = data(0, kTypeRole).toString().toStdString();
    const std::string otherType = other.data(0, kTypeRole).toString().toStdString();
    const std::string name = platform::Utf8ToCp932(text(0).toStdString());
    const std::string otherName = platform::Utf8ToCp932(other.text(0).toStdString());
    return CompareForSort(mode, type, name, otherType, otherName) < 0;
  }
};
constexpr std::uint32_t kOpenFlags = 8;
constexpr std::uint32_t kFormulaSeparator = 0x3000;

QIcon Image(int strip, int index) { return QIcon(resources::Picture(strip).copy(16 * index, 0, 16, 16)); }

void PrepareList(QTreeWidget* list, int headerString) {
  list->setColumnCount(1);
  list->setHeaderLabel(platform::qt::FromUtf8(resources::String(headerString)));
  list->setIconSize(QSize(16, 16));
  list->setAllColumnsShowFocus(true);
}

std::string Platform(const LNString& text) { return text.GetPlatformTextPtr(); }

}  // namespace

CFormulaInputDialog::CFormulaInputDialog(const LNDatabase& database, QWidget* parent)
    : QDialog(parent), database_(database) {
  const resources::DialogTemplate& dialog = resources::Dialog(resources::kFormulaInputDialog);
  resources::BuildControls(dialog, *this);
  setWindowTitle(platform::qt::FromUtf8(dialog.caption));
  forms_ = qobject_cast<QTreeWidget*>(resources::FindControl(*this, 1054));
  fields_ = qobject_cast<QTreeWidget*>(resources::FindControl(*this, 1044));
  edit_ = qobject_cast<QPlainTextEdit*>(resources::FindControl(*this, 1046));
  insertName_ = qobject_cast<QPushButton*>(resources::FindControl(*this, 1053));
  insertFormula_ = qobject_cast<QPushButton*>(resources::FindControl(*this, 1055));
  PrepareList(forms_, 1017);
  PrepareList(fields_, 1015);

  connect(qobject_cast<QPushButton*>(resources::FindControl(*this, 1)), &QPushButton::clicked, this,
          &CFormulaInputDialog::accept);
  connect(qobject_cast<QPushButton*>(resources::FindControl(*this, 2)), &QPushButton::clicked, this,
          &CFormulaInputDialog::reject);
  connect(insertName_, &QPushButton::clicked, this, [this] { Insert(false); });
  connect(insertFormula_, &QPushButton::clicked, this, [this] { Insert(true); });
  connect(forms_, &QTreeWidget::currentItemChanged, this, [this] { FormChosen(); });
  connect(fields_, &QTreeWidget::currentItemChanged, this, [this] { FieldChosen(); });
  connect(forms_->header(), &QHeaderView::sectionClicked, this, [this] { HeaderClicked(forms_, formSortMode_); });
  connect(fields_->header(), &QHeaderView::sectionClicked, this, [this] { HeaderClicked(fields_, fieldSortMode_); });
  // The second click of two quick ones comes as a double click: it is one step of the cycle too.
  connect(forms_->header(), &QHeaderView::sectionDoubleClicked, this, [this] { HeaderClicked(forms_, formSortMode_); });
  connect(fields_->header(), &QHeaderView::sectionDoubleClicked, this,
          [this] { HeaderClicked(fields_, fieldSortMode_); });
  connect(fields_, &QTreeWidget::itemDoubleClicked, this, [this] {
    QTreeWidgetItem* focused = fields_->currentItem();
    if (!focused) return;
    Insert(fieldArray_[focused->data(0, kDataRole).toULongLong()].computeOption == 2);
  });
  for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
}

// Initialisation: the forms, then the subforms, in the host's order; the edited formula; no
// insert button.
void CFormulaInputDialog::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    LNNoteArray forms, subforms;
    ThrowIfFailed(database_.GetForms(&forms));
    ThrowIfFailed(database_.GetSubforms(&subforms));
    for (const LNNoteArray* array : {&forms, &subforms}) {
      for (LNINT i = 0; i < array->GetCount(); ++i) {
        ShowForm(new SortedItem(forms_, array->GetNoteID(i)));
      }
    }
    forms_->setCurrentIndex(QModelIndex());  // no form is chosen until the user chooses one
    fields_->setCurrentIndex(QModelIndex());
    edit_->setPlainText(platform::qt::FromPlatformText(column_.formula.GetText().GetPlatformTextPtr()));
    insertName_->setEnabled(false);
    insertFormula_->setEnabled(false);
    forms_->setFocus();
  }
  QDialog::showEvent(event);
}

// The form's information, read once per dialog; a failure leaves what was read by then.
const FormInfo& CFormulaInputDialog::Form(NOTEID id) {
  const auto cached = formCache_.find(id);
  if (cached != formCache_.end()) return cached->second;
  FormInfo info;
  LNNote note;
  try {
    ThrowIfFailed(database_.GetNote(id, &note));
    ThrowIfFailed(note.Open(kOpenFlags));
    if (note.GetNoteType() == LNNOTETYPE_SUBFORM) {
      info.isForm = false;
      const LNSubform subform(note);
      info.name = Platform(subform.GetName());
      info.comment = Platform(subform.GetComment());
    } else {
      const LNForm form(note);
      info.name = Platform(form.GetName());
      info.alias = Platform(form.GetAlias());
      info.comment = Platform(form.GetComment());
    }
  } catch (LNSTATUS) {
  }
  try {
    if (!note.IsNull() && note.IsOpen()) note.Close();
  } catch (LNSTATUS) {
  }
  return formCache_.emplace(id, std::move(info)).first->second;
}

void CFormulaInputDialog::ShowForm(QTreeWidgetItem* item) {
  const FormInfo& info = Form(static_cast<NOTEID>(item->data(0, kDataRole).toULongLong()));
  item->setText(0, platform::qt::FromPlatformText(info.name));
  item->setIcon(0, Image(resources::kFormImages, info.isForm ? 0 : 1));
  item->setData(0, kTypeRole, platform::qt::FromUtf8(FormTypeString(info.isForm)));
  item->setToolTip(0, platform::qt::FromPlatformText(platform::Utf8ToCp932("名前 : ") + info.name +
                                                     platform::Utf8ToCp932("\n別名 : ") + info.alias +
                                                     platform::Utf8ToCp932("\nコメント : ") + info.comment));
}

void CFormulaInputDialog::ShowField(QTreeWidgetItem* item) {
  const FieldInfo& field = fieldArray_[item->data(0, kDataRole).toULongLong()];
  item->setText(0, platform::qt::FromPlatformText(field.name));
  item->setIcon(0, Image(resources::kFieldImages, FieldImage(field.computeOption)));
  item->setData(0, kTypeRole, platform::qt::FromUtf8(FieldTypeString(field.computeOption)));
  item->setToolTip(0, platform::qt::FromPlatformText(
                          platform::Utf8ToCp932("名前 : ") + field.name + platform::Utf8ToCp932("\n種類 : ") +
                          platform::Utf8ToCp932(ComputeOptionText(field.computeOption)) +
                          platform::Utf8ToCp932("\nヘルプの説明 : ") + field.helpDescription));
}

// The fields of the form `id` in document order, then those of each subform it refers to, nested
// subforms followed, depth first. Each form and subform is gathered once, at its first reference:
// a subform that refers to itself, or to one that refers back, adds nothing more, and the walk
// keeps its own list of what is still to follow, so no chain of subforms runs it out of stack.
void CFormulaInputDialog::Gather(NOTEID id, bool clear) {
  if (clear) fieldArray_.clear();
  std::set<NOTEID> gathered;
  // The references still to follow, one list per level, each in reverse order.
  std::vector<std::vector<NOTEID>> toFollow{{id}};
  while (!toFollow.empty()) {
    if (toFollow.back().empty()) {
      toFollow.pop_back();
      continue;
    }
    const NOTEID next = toFollow.back().back();
    toFollow.back().pop_back();
    if (!gathered.insert(next).second) continue;
    std::vector<NOTEID> subforms = GatherFieldsOf(next);
    std::reverse(subforms.begin(), subforms.end());
    toFollow.push_back(std::move(subforms));
  }
}

// Adds the fields of the form or subform `id` and gives the subforms it refers to, in order. A host
// failure is shown and ends this form's part; the subforms found before it are still followed.
std::vector<NOTEID> CFormulaInputDialog::GatherFieldsOf(NOTEID id) {
  std::vector<NOTEID> subforms;
  LNNote note;
  try {
    ThrowIfFailed(database_.GetNote(id, &note));
    ThrowIfFailed(note.Open(kOpenFlags));
    if (note.GetItemType("$BODY") == LNITEMTYPE_RICHTEXT) {
      LNItem body;
      ThrowIfFailed(note.GetItem("$BODY", &body));
      const LNRichText text(body);
      LNRTCursor cursor;
      ThrowIfFailed(text.GetCursor(&cursor));
      LNRTObject object;
      for (LNSTATUS status = cursor.GotoFirst(LNRTTYPE_FORM_FIELD, &object); status != host::kNotFound;
           status = cursor.GotoNext(LNRTTYPE_FORM_FIELD, &object)) {
        ThrowIfFailed(status);
        const LNFormField field(object);
        fieldArray_.push_back({Platform(field.GetName()), static_cast<int>(field.GetComputeOption()),
                               field.GetValueFormula(), Platform(field.GetHelpDescription())});
      }
      ThrowIfFailed(text.GetCursor(&cursor));
      for (LNSTATUS status = cursor.GotoFirst(LNRTTYPE_SUBFORM, &object); status != host::kNotFound;
           status = cursor.GotoNext(LNRTTYPE_SUBFORM, &object)) {
        ThrowIfFailed(status);
        LNSubform subform;
        ThrowIfFailed(LNRTSubform(object).GetSubform(&subform));
        subforms.push_back(subform.GetNoteID());
      }
    }
  } catch (LNSTATUS status) {
    ReportNotesError(status, platform::Utf8ToCp932("フォーム情報取得中にエラー発生しました。"));
  }
  try {
    if (!note.IsNull() && note.IsOpen()) note.Close();
  } catch (LNSTATUS) {
  }
  return subforms;
}

void CFormulaInputDialog::FormChosen() {
  QTreeWidgetItem* focused = forms_->currentItem();
  if (!focused) return;
  Gather(static_cast<NOTEID>(focused->data(0, kDataRole).toULongLong()), true);
  fields_->clear();
  for (std::size_t i = 0; i < fieldArray_.size(); ++i) {
    ShowField(new SortedItem(fields_, i));
  }
  insertName_->setEnabled(false);
  insertFormula_->setEnabled(false);
  SortItems(fields_, fieldSortMode_);
}

void CFormulaInputDialog::FieldChosen() {
  QTreeWidgetItem* focused = fields_->currentItem();
  const InsertButtons buttons = InsertButtonStates(
      focused ? std::optional<int>(fieldArray_[focused->data(0, kDataRole).toULongLong()].computeOption)
              : std::nullopt);
  insertName_->setEnabled(buttons.name);
  insertFormula_->setEnabled(buttons.formula);
}

// A click on a list's header: the next mode, its header, and the items in its order.
void CFormulaInputDialog::HeaderClicked(QTreeWidget* list, int& mode) {
  mode = NextSortMode(mode);
  list->setHeaderLabel(platform::qt::FromUtf8(SortHeader(list == forms_, mode)));
  SortItems(list, mode);
}

// The list's items in the order of `mode` (a stable sort: in mode 0 they keep theirs).
void CFormulaInputDialog::SortItems(QTreeWidget* list, int mode) {
  const QSignalBlocker quiet(list);  // the items move; nothing is chosen
  list->setProperty(kSortModeProperty, mode);
  list->sortItems(0, Qt::AscendingOrder);
}

void CFormulaInputDialog::Insert(bool formula) {
  const QList<QTreeWidgetItem*> selected = fields_->selectedItems();
  if (selected.isEmpty()) return;
  const FieldInfo& field = fieldArray_[selected.front()->data(0, kDataRole).toULongLong()];
  edit_->insertPlainText(platform::qt::FromPlatformText(
      formula ? std::string(field.valueFormula.GetText().GetPlatformTextPtr()) : field.name));
}

// Ctrl+A anywhere in the dialog is consumed; in the formula box it selects all of the text. An
// Alt+letter that reaches the formula box matched no enabled access key (those are taken before the
// key is delivered): it types nothing, as on the platform. Ctrl+Alt (AltGr) characters still type.
bool CFormulaInputDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool inFormulaBox = watched == edit_ || edit_->isAncestorOf(qobject_cast<QWidget*>(watched));
    if (inFormulaBox && (key->modifiers() & Qt::AltModifier) && !(key->modifiers() & Qt::ControlModifier)) return true;
    if (key->key() == Qt::Key_A && (key->modifiers() & Qt::ControlModifier)) {
      if (inFormulaBox) {
        edit_->selectAll();
        edit_->ensureCursorVisible();
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CFormulaInputDialog::accept() {
  const std::string text = platform::Utf8ToCp932(edit_->toPlainText().toStdString());
  try {
    column_.SetFormula(LNString(text.c_str()), kFormulaSeparator);
  } catch (LNSTATUS status) {
    ReportNotesError(status, platform::Utf8ToCp932("式にエラーがあります。"));
    return;
  }
  QDialog::accept();
}

}  // namespace dialogs
