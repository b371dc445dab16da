#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "columns/column_data_array.h"
#include "columns/host_call.h"
#include "definitions/csv_record_reader.h"
#include "definitions/definition_file.h"
#include "definitions/definition_words.h"
#include "messages/app_messages.h"
#include "platform/cp932.h"
#include "platform/files.h"

namespace {

// Field positions of a column record.
constexpr int kTitleField = 0;
constexpr int kKindField = 1;
constexpr int kValueField = 2;
constexpr int kOutputField = 3;

// Whether the view's name is `savedName`, without regard to the case of ASCII letters. The name
// is compared in its platform text, as the file holds it.
bool IsNameOf(LNViewFolder& view, const std::string& savedName) {
  if (!view.IsOpen()) ThrowIfFailed(view.Open(0));
  const LNString name = view.GetName();
  if (view.IsOpen()) ThrowIfFailed(view.Close());
  return LNStringCompare(LNString(savedName.c_str()), LNString(name.GetPlatformTextPtr()),
                         LNSTRINGCOMPAREFLAGS_CASE_INSENSITIVE) == 0;
}

bool UserLoadsFormulasOf(const std::string& otherViewName) {
  const std::string question = platform::Utf8ToCp932("異なるビュー\"") + otherViewName +
                               platform::Utf8ToCp932("\"で保存されたエクスポート定義ファイルです。\n"
                                                     "保存している式の読み込みを継続しますか?");
  return AskAppQuestion(question);
}

ColumnSpecList ViewColumns(LNViewFolder& view) {
  CColumnDataArray columns;
  columns.LoadFromView(view);
  return ColumnSpecList(columns);
}

// The number at the start of `field`: decimal digits after optional white space and an optional
// sign, up to the first other character; 0 without digits. Numbers too large for any column
// count are held at the limit.
long long LeadingNumber(const std::string& field) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  constexpr long long kLimit = std::numeric_limits<int>::max();
  long long number = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    number = std::min(number * 10 + (field[i] - '0'), kLimit);
  }
  return negative ? -number : number;
}

bool IsOutput(const CsvRecordReader& record) { return IsWord(record.Field(kOutputField), kTrueWord); }

// Moves the view column a "ViewColumn" record names from `viewColumns` to `loaded`, with the
// record's title and output flag. A number outside the view or of a column already taken is
// ignored.
void TakeViewColumn(const CsvRecordReader& record, ColumnSpecList& viewColumns, ColumnSpecList& loaded) {
  const long long number = LeadingNumber(record.Field(kValueField));
  if (number < 0 || number >= static_cast<long long>(viewColumns.GetCount())) return;
  ColumnSpec& column = viewColumns[static_cast<std::size_t>(number)];
  if (column.kind != ColumnKind::ViewColumn) return;
  column.title = record.Field(kTitleField).c_str();
  column.output = IsOutput(record);
  loaded.SetAtGrow(loaded.GetCount(), column);
  column = ColumnSpec();
}

// Appends the formula column of a "Formula" record; a formula the host rejects is left out.
void AddFormula(const CsvRecordReader& record, ColumnSpecList& loaded) {
  ColumnSpec column;
  column.title = record.Field(kTitleField).c_str();
  try {
    column.SetFormula(record.Field(kValueField).c_str(), LNVFSEPARATOR_SEMICOLON);
  } catch (LNSTATUS) {
    return;
  }
  column.output = IsOutput(record);
  loaded.SetAtGrow(loaded.GetCount(), column);
}

}  // namespace

bool LoadDefinitionFile(ColumnSpecList& list, LNViewFolder& view, std::string_view platformPath) {
  const std::string path = platform::ToFileSystemPath(platformPath);
  std::ifstream file;
  std::error_code error;
  if (!std::filesystem::is_directory(path, error)) file.open(path);
  if (!file.is_open()) {
    ShowAppMessage(platform::Utf8ToCp932("ファイルを開けませんでした。\nFile=") + platform::ToDisplayPath(platformPath));
    return false;
  }
  CsvRecordReader reader(file);
  reader.SetTrim(true);
  if (!reader.ReadRecord() || !IsWord(reader.Field(0), kFormatTag)) {
    ShowAppMessage(platform::Utf8ToCp932("エクスポート定義ファイルではありません。\nFile=") +
                   platform::ToDisplayPath(platformPath));
    return false;
  }
  const bool otherView = !IsNameOf(view, reader.Field(1));
  if (otherView && !UserLoadsFormulasOf(reader.Field(1))) return false;

  ColumnSpecList viewColumns = ViewColumns(view);
  ColumnSpecList loaded;
  if (otherView) std::swap(loaded, viewColumns);
  while (reader.ReadRecord()) {
    const std::string& kind = reader.Field(kKindField);
    if (IsWord(kind, kViewColumnWord)) {
      if (!otherView) TakeViewColumn(reader, viewColumns, loaded);
    } else if (IsWord(kind, kFormulaWord)) {
      AddFormula(reader, loaded);
    }
  }
  for (ColumnSpec& column : viewColumns) {
    if (column.kind != ColumnKind::ViewColumn) continue;
    column.output = false;
    loaded.SetAtGrow(loaded.GetCount(), column);
  }
  list = std::move(loaded);
  return true;
}
