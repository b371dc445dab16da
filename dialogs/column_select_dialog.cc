#include "dialogs/column_select_dialog.h"

#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/qt/qt_ui.h>
#include <platform/ui.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "definitions/definition_file.h"
#include "dialogs/column_rules.h"
#include "dialogs/formula_input_dialog.h"
#include "messages/app_messages.h"
#include "resources/dialog_builder.h"

namespace dialogs {
namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kAdd = 1045, kEdit = 1048, kDelete = 1049, kUp = 1050, kDown = 2000, kOpen = 1046, kSave = 1047;
constexpr int kOk = 1, kCancel = 2;
const QString kFilter = QStringLiteral("エクスポート定義ファイル(*.cef);;すべてのファイル(*.*)");

void Inform(const char* utf8) {
  platform::MessageBox(platform::Utf8ToCp932(utf8), kAppTitle, platform::Buttons::Ok, platform::Icon::Information);
}

// An item for entry `index` of the working list, with a check box and an editable title.
QTreeWidgetItem* NewItem(std::size_t index) {
  auto* item = new QTreeWidgetItem;
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
  item->setData(0, kDataRole, static_cast<qulonglong>(index));
  return item;
}

std::optional<std::string> AskWithFileDialog(QWidget* parent, bool save) {
  QFileDialog dialog(parent, save ? QStringLiteral("エクスポート定義ファイルの指定")
                                  : QStringLiteral("エクスポート定義ファイルの選択"),
                     QString(), kFilter);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setDefaultSuffix(QStringLiteral("cef"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return platform::ToPlatformPath(dialog.selectedFiles().front().toStdString());
}

}  // namespace

CColumnSelectDialog::CColumnSelectDialog(ColumnSpecList& columns, LNViewFolder& view, const LNDatabase& database,
                                         QWidget* parent)
    : QDialog(parent), columns_(columns), view_(view), working_(columns) {
  const resources::DialogTemplate& dialog = resources::Dialog(resources::kColumnSelectDialog);
  resources::BuildControls(dialog, *this);
  setWindowTitle(platform::qt::FromUtf8(dialog.caption));
  list_ = qobject_cast<QTreeWidget*>(resources::FindControl(*this, 21010));
  list_->setColumnCount(1);
  list_->setHeaderLabel(platform::qt::FromUtf8(resources::String(1013)));
  list_->header()->setSectionsClickable(false);
  list_->setIconSize(QSize(16, 16));
  list_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  list_->installEventFilter(this);

  askPath_ = [this](bool save) { return AskWithFileDialog(this, save); };
  editFormula_ = [this, &database](ColumnSpec& column) {
    CFormulaInputDialog formula(database, this);
    formula.Column() = column;
    if (formula.DoModal() != QDialog::Accepted) return false;
    column = formula.Column();
    return true;
  };

  connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { ItemChanged(item); });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { UpdateButtons(); });
  connect(Button(kAdd), &QPushButton::clicked, this, [this] { Add(); });
  connect(Button(kEdit), &QPushButton::clicked, this, [this] { Edit(); });
  connect(Button(kDelete), &QPushButton::clicked, this, [this] { Delete(); });
  connect(Button(kUp), &QPushButton::clicked, this, [this] { Move(true); });
  connect(Button(kDown), &QPushButton::clicked, this, [this] { Move(false); });
  connect(Button(kOpen), &QPushButton::clicked, this, [this] { Open(); });
  connect(Button(kSave), &QPushButton::clicked, this, [this] { Save(); });
  connect(Button(kOk), &QPushButton::clicked, this, &CColumnSelectDialog::accept);
  connect(Button(kCancel), &QPushButton::clicked, this, &CColumnSelectDialog::reject);

  Fill();
  list_->setCurrentIndex(QModelIndex());  // no item has the focus until the user gives it one
  UpdateButtons();
  list_->setFocus();
}

QPushButton* CColumnSelectDialog::Button(int id) const {
  return qobject_cast<QPushButton*>(resources::FindControl(*this, id));
}

std::size_t CColumnSelectDialog::Entry(const QTreeWidgetItem* item) const {
  return item->data(0, kDataRole).toULongLong();
}

std::vector<int> CColumnSelectDialog::SelectedPositions() const {
  std::vector<int> positions;
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    if (list_->topLevelItem(i)->isSelected()) positions.push_back(i);
  return positions;
}

// One item per entry of the working list, in its order, its check box from the output flag.
void CColumnSelectDialog::Fill() {
  tracking_ = false;
  list_->clear();
  for (std::size_t i = 0; i < working_.GetCount(); ++i) {
    QTreeWidgetItem* item = NewItem(i);
    list_->addTopLevelItem(item);
    Show(item);
  }
  tracking_ = true;
}

// The item's title, image, tip and check box, from its entry.
void CColumnSelectDialog::Show(QTreeWidgetItem* item) {
  const bool tracking = std::exchange(tracking_, false);
  const ColumnSpec& spec = working_[Entry(item)];
  item->setText(0, platform::qt::FromPlatformText(spec.title.GetPlatformTextPtr()));
  item->setIcon(0, QIcon(resources::Picture(resources::kColumnImages).copy(16 * ColumnImage(spec), 0, 16, 16)));
  item->setToolTip(0, platform::qt::FromPlatformText(ColumnTip(spec)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  item->setCheckState(0, spec.output ? Qt::Checked : Qt::Unchecked);
  tracking_ = tracking;
}

// A change of the item's check box or title reaches its entry.
void CColumnSelectDialog::ItemChanged(QTreeWidgetItem* item) {
  if (!tracking_) return;
  ColumnSpec& spec = working_[Entry(item)];
  spec.output = item->checkState(0) == Qt::Checked;
  spec.title = LNString(platform::Utf8ToCp932(item->text(0).toStdString()).c_str());
  UpdateButtons();
}

void CColumnSelectDialog::UpdateButtons() {
  if (!tracking_) return;
  const QTreeWidgetItem* focused = list_->currentItem();
  const bool formula = focused && working_[Entry(focused)].kind == ColumnKind::Formula;
  const ColumnButtons buttons = ColumnButtonStates(formula, SelectedPositions(), list_->topLevelItemCount());
  Button(kAdd)->setEnabled(true);
  Button(kEdit)->setEnabled(buttons.edit);
  Button(kDelete)->setEnabled(buttons.remove);
  // The focus never stays on a button that is about to be disabled.
  if ((Button(kUp)->isEnabled() && !buttons.up) || (Button(kDown)->isEnabled() && !buttons.down))
    Button(kOk)->setFocus();
  Button(kUp)->setEnabled(buttons.up);
  Button(kDown)->setEnabled(buttons.down);
}

void CColumnSelectDialog::Add() {
  ColumnSpec column;
  if (!editFormula_(column)) return;
  column.title = LNString(platform::Utf8ToCp932("式").c_str());
  column.output = true;
  const std::size_t index = working_.GetCount();
  working_.SetAtGrow(index, column);
  QTreeWidgetItem* focused = list_->currentItem();
  const int at = focused ? list_->indexOfTopLevelItem(focused) : list_->topLevelItemCount();
  const bool tracking = std::exchange(tracking_, false);
  QTreeWidgetItem* item = NewItem(index);
  list_->insertTopLevelItem(at, item);
  Show(item);
  tracking_ = tracking;
  UpdateButtons();
}

void CColumnSelectDialog::Edit() {
  QTreeWidgetItem* focused = list_->currentItem();
  if (!focused) return;
  ColumnSpec& entry = working_[Entry(focused)];
  ColumnSpec copy = entry;
  if (!editFormula_(copy)) return;
  entry.formula = copy.formula;
  Show(focused);
}

// Deletes the selected formula columns, highest position first; view columns stay.
void CColumnSelectDialog::Delete() {
  std::vector<int> positions = SelectedPositions();
  const bool tracking = std::exchange(tracking_, false);
  for (auto position = positions.rbegin(); position != positions.rend(); ++position) {
    QTreeWidgetItem* item = list_->topLevelItem(*position);
    const std::size_t index = Entry(item);
    if (working_[index].kind != ColumnKind::Formula) continue;
    working_[index] = ColumnSpec();
    delete item;
  }
  tracking_ = tracking;
  UpdateButtons();
}

void CColumnSelectDialog::Move(bool up) {
  const std::vector<int> selected = SelectedPositions();
  for (const auto& [a, b] : up ? UpSwaps(selected) : DownSwaps(selected, list_->topLevelItemCount())) Swap(a, b);
  UpdateButtons();
}

// Exchanges the two items' entries, check boxes, selection and focus.
void CColumnSelectDialog::Swap(int a, int b) {
  tracking_ = false;
  QTreeWidgetItem* first = list_->topLevelItem(a);
  QTreeWidgetItem* second = list_->topLevelItem(b);
  const QVariant entry = first->data(0, kDataRole);
  first->setData(0, kDataRole, second->data(0, kDataRole));
  second->setData(0, kDataRole, entry);
  const bool selected = first->isSelected();
  first->setSelected(second->isSelected());
  second->setSelected(selected);
  QTreeWidgetItem* current = list_->currentItem();
  if (current == first || current == second)
    list_->setCurrentItem(current == first ? second : first, 0, QItemSelectionModel::NoUpdate);
  Show(first);
  Show(second);
  tracking_ = true;
}

// The working list in display order without deleted entries; each item then shows the same
// column at the same place.
void CColumnSelectDialog::Rebuild() {
  std::vector<std::size_t> displayed;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) displayed.push_back(Entry(list_->topLevelItem(i)));
  working_ = RebuildColumns(working_, displayed);
  const bool tracking = std::exchange(tracking_, false);
  for (int i = 0; i < list_->topLevelItemCount(); ++i)
    list_->topLevelItem(i)->setData(0, kDataRole, static_cast<qulonglong>(i));
  tracking_ = tracking;
}

void CColumnSelectDialog::Open() {
  const std::optional<std::string> path = askPath_(false);
  if (!path || !LoadDefinitionFile(working_, view_, *path)) return;
  Fill();
  UpdateButtons();
  Inform("エクスポート定義ファイルを開きました。");
}

void CColumnSelectDialog::Save() {
  const std::optional<std::string> path = askPath_(true);
  if (!path) return;
  Rebuild();
  if (SaveDefinitionFile(working_, view_, *path)) Inform("エクスポート定義ファイルを保存しました。");
}

void CColumnSelectDialog::accept() {
  Rebuild();
  columns_ = working_;
  QDialog::accept();
}

// F2 renames the focused item (the list's own key); Delete deletes as the button does.
bool CColumnSelectDialog::eventFilter(QObject* watched, QEvent* event) {
  // While a title is edited its keys go to the edit box, not to the list.
  if (watched == list_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    Delete();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace dialogs
