#include "plugin/option_sheets.h"

#include <platform/cp932.h>

#include "messages/app_messages.h"

namespace {

void ExplainSheetNeedsDisplay() {
  ShowAppMessage(platform::Utf8ToCp932(
      "オプションシートを表示するにはディスプレイが必要です。\n"
      "ファイル名の後ろにスイッチ /X を付けると、オプションシートなしで書き出せます。"));
}

}  // namespace

std::optional<settings::CsvOptions> RunCsvOptionSheet(CColumnDataArray&) {
  ExplainSheetNeedsDisplay();
  return std::nullopt;
}

std::optional<settings::XmlOptions> RunXmlOptionSheet(CColumnDataArray&) {
  ExplainSheetNeedsDisplay();
  return std::nullopt;
}
