// Fuzzes CsvRecordReader with and without trimming. Besides running clean, each record read
// without trimming must read back unchanged after being written with every field quoted (unless
// a field holds a carriage return, which a line end may take).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "columns/csv_record.h"
#include "definitions/csv_record_reader.h"

namespace {

std::vector<std::string> Fields(const CsvRecordReader& reader) {
  std::vector<std::string> fields;
  for (int i = 0; i < reader.GetFieldCount(); ++i) fields.push_back(reader.Field(i));
  if (!reader.Field(-1).empty() || !reader.Field(reader.GetFieldCount()).empty()) std::abort();
  return fields;
}

void CheckRewrite(const std::vector<std::string>& fields) {
  for (const std::string& field : fields) {
    if (field.find('\r') != std::string::npos) return;
  }
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += ',';
    AppendCSVField(record, fields[i], ",", kQuoteAlways, nullptr, nullptr);
  }
  std::istringstream again(record + "\n");
  CsvRecordReader reader(again);
  if (!reader.ReadRecord() || Fields(reader) != fields || reader.ReadRecord()) std::abort();
}

void ReadAll(const std::string& input, bool trim) {
  std::istringstream stream(input);
  CsvRecordReader reader(stream);
  reader.SetTrim(trim);
  while (reader.ReadRecord()) {
    if (reader.GetFieldCount() < 1) std::abort();  // even an empty line is one field
    const std::vector<std::string> fields = Fields(reader);
    if (!trim) CheckRewrite(fields);
  }
  if (reader.GetFieldCount() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  ReadAll(input, false);
  ReadAll(input, true);
  return 0;
}
