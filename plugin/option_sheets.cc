#include "plugin/option_sheets.h"

#include <platform/cp932.h>
#include <platform/ui.h>

#include "dialogs/column_select_dialog.h"
#include "messages/app_messages.h"
#include "settings/option_sheets.h"

namespace {

bool ExplainedWithoutDisplay() {
  if (platform::CurrentUi().HasDisplay()) return false;
  ShowAppMessage(platform::Utf8ToCp932(
      "オプションシートを表示するにはディスプレイが必要です。\n"
      "ファイル名の後ろにスイッチ /X を付けると、オプションシートなしで書き出せます。"));
  return true;
}

template <class Sheet, class Options>
std::optional<Options> Run(const ExportObjects& objects) {
  if (ExplainedWithoutDisplay()) return std::nullopt;
  Sheet sheet(objects.columns, objects.view, [&objects] {
    dialogs::CColumnSelectDialog(objects.columns, objects.view, objects.database).DoModal();
  });
  if (sheet.DoModal() != settings::OptionSheet::kWizardFinish) return std::nullopt;
  return sheet.Options();
}

}  // namespace

std::optional<settings::CsvOptions> RunCsvOptionSheet(const ExportObjects& objects) {
  return Run<settings::CExportPropertySheet, settings::CsvOptions>(objects);
}

std::optional<settings::XmlOptions> RunXmlOptionSheet(const ExportObjects& objects) {
  return Run<settings::CXmlExportPropertySheet, settings::XmlOptions>(objects);
}
