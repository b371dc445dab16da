// The client's export dialog, titled "エクスポート": the folder, the file name as typed (switches
// may follow it) and "ファイルの種類(&T)", the export entries of notes.ini in slot order.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "client/export_entries.h"

class QComboBox;
class QLineEdit;

namespace client {

class ExportDialog final : public QDialog {
 public:
  // `entries` is not empty; the first one is chosen, the name box has the focus.
  ExportDialog(const std::vector<ExportEntry>& entries, const QString& folder, QWidget* parent);

  QString Folder() const;
  QString TypedName() const;  // as typed
  int EntryIndex() const;

  QLineEdit* NameBox() const { return name_; }
  QComboBox* Kinds() const { return kinds_; }

 private:
  QLineEdit* folder_;
  QLineEdit* name_;
  QComboBox* kinds_;
};

// Asks, in a box titled "エクスポート", what to do with the existing `file`.
enum class ExistingFile { Replace, Append, Cancel };
ExistingFile AskAboutExistingFile(const QString& file, QWidget* parent);

struct ExportChoice {
  std::size_t entry = 0;  // index into the entries
  std::string typedName;  // UTF-8: as typed, a name that is not absolute with the folder in front
  bool append = false;    // the named file exists and is to be added to
  QString folder;         // the dialog's folder, for the next export
};

// The export dialog until the user exports or cancels (none). When the named file exists the
// question comes up; its キャンセル goes back to the dialog.
std::optional<ExportChoice> ChooseExport(const std::vector<ExportEntry>& entries, const QString& folder,
                                         QWidget* parent);

}  // namespace client
