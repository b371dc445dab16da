#include "client/export_dialog.h"

#include <algorithm>
#include <filesystem>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <platform/cp932.h>
#include <platform/qt/qt_ui.h>

#include "client/export_target.h"

namespace client {
namespace {

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

ExportDialog::ExportDialog(const std::vector<ExportEntry>& entries, const QString& folder, QWidget* parent)
    : QDialog(parent), folder_(new QLineEdit(folder)), name_(new QLineEdit), kinds_(new QComboBox) {
  setWindowTitle(QStringLiteral("エクスポート"));
  for (const ExportEntry& entry : entries) kinds_->addItem(platform::qt::FromPlatformText(entry.label));

  auto* browse = new QPushButton(QStringLiteral("参照(&B)..."));
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの選択"), folder_->text());
    if (!chosen.isEmpty()) folder_->setText(chosen);
  });
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(folder_, 1);
  folderRow->addWidget(browse);

  auto* form = new QFormLayout;
  form->addRow(BuddyLabel(QStringLiteral("フォルダ(&D):"), folder_), folderRow);
  form->addRow(BuddyLabel(QStringLiteral("ファイル名(&N):"), name_), name_);
  form->addRow(BuddyLabel(QStringLiteral("ファイルの種類(&T):"), kinds_), kinds_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("エクスポート"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  ok->setEnabled(false);
  connect(name_, &QLineEdit::textChanged, ok, [ok](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  setMinimumWidth(480);
  name_->setFocus();
}

QString ExportDialog::Folder() const { return folder_->text(); }
QString ExportDialog::TypedName() const { return name_->text(); }
int ExportDialog::EntryIndex() const { return kinds_->currentIndex(); }

ExistingFile AskAboutExistingFile(const QString& file, QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("エクスポート"),
                  QStringLiteral("%1 は既にあります。\n置き換えますか、それともファイルの末尾に追加しますか?").arg(file),
                  QMessageBox::NoButton, parent);
  QPushButton* replace = box.addButton(QStringLiteral("置き換え(&R)"), QMessageBox::AcceptRole);
  QPushButton* append = box.addButton(QStringLiteral("追加(&A)"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(replace);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == replace) return ExistingFile::Replace;
  if (box.clickedButton() == append) return ExistingFile::Append;
  return ExistingFile::Cancel;
}

std::optional<ExportChoice> ChooseExport(const std::vector<ExportEntry>& entries, const QString& folder,
                                         QWidget* parent) {
  ExportDialog dialog(entries, folder, parent);
  while (dialog.exec() == QDialog::Accepted) {
    ExportChoice choice;
    choice.entry = static_cast<std::size_t>(dialog.EntryIndex());
    choice.folder = dialog.Folder();
    choice.typedName = TypedNameInFolder(dialog.TypedName().toStdString(), choice.folder.toStdString());
    const std::string extension = platform::AsciiLowered(platform::Cp932ToUtf8(entries[choice.entry].extension));
    std::string file = TargetFile(choice.typedName, extension);
    std::ranges::replace(file, '\\', '/');
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::path(file), error)) return choice;
    switch (AskAboutExistingFile(QString::fromStdString(file), &dialog)) {
      case ExistingFile::Replace:
        return choice;
      case ExistingFile::Append:
        choice.append = true;
        return choice;
      case ExistingFile::Cancel:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace client
