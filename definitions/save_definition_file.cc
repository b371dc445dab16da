#include <string>

#include "columns/csv_record.h"
#include "columns/host_call.h"
#include "definitions/definition_file.h"
#include "definitions/definition_words.h"
#include "platform/files.h"

namespace {

// A text field: quoted only when it holds a comma, a line feed or a double quote.
void AppendText(std::string& record, const LNString& text) {
  record += FormatCSVField(text, ",", kQuoteAutomatic, nullptr, nullptr);
}

std::string HeaderRecord(LNViewFolder& view) {
  if (!view.IsOpen()) ThrowIfFailed(view.Open(0));
  std::string record(kFormatTag);
  record += ',';
  AppendText(record, view.GetName());
  record += '\n';
  if (view.IsOpen()) ThrowIfFailed(view.Close());
  return record;
}

void AppendColumnRecord(std::string& file, const ColumnSpec& spec) {
  AppendText(file, spec.title);
  file += ',';
  if (spec.kind == ColumnKind::ViewColumn) {
    file += kViewColumnWord;
    file += ',';
    file += std::to_string(spec.columnNumber);
  } else {
    file += kFormulaWord;
    file += ',';
    AppendText(file, spec.formula.GetText());
  }
  file += ',';
  file += spec.output ? kTrueWord : kFalseWord;
  file += '\n';
}

}  // namespace

bool SaveDefinitionFile(const ColumnSpecList& list, LNViewFolder& view, std::string_view platformPath) {
  std::string file = HeaderRecord(view);
  for (const ColumnSpec& spec : list) {
    if (spec.kind != ColumnKind::Unset) AppendColumnRecord(file, spec);
  }
  return platform::ReplaceWholeFile(platform::ToFileSystemPath(platformPath), file);
}
