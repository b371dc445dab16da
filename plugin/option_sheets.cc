#include "plugin/option_sheets.h"

#include <platform/cp932.h>
#include <platform/ui.h>

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
std::optional<Options> Run(CColumnDataArray& columns, LNViewFolder& view) {
  if (ExplainedWithoutDisplay()) return std::nullopt;
  Sheet sheet(columns, view, {});
  if (sheet.DoModal() != settings::OptionSheet::kWizardFinish) return std::nullopt;
  return sheet.Options();
}

}  // namespace

std::optional<settings::CsvOptions> RunCsvOptionSheet(CColumnDataArray& columns, LNViewFolder& view) {
  return Run<settings::CExportPropertySheet, settings::CsvOptions>(columns, view);
}

std::optional<settings::XmlOptions> RunXmlOptionSheet(CColumnDataArray& columns, LNViewFolder& view) {
  return Run<settings::CXmlExportPropertySheet, settings::XmlOptions>(columns, view);
}
