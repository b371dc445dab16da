#include "definitions/csv_record_reader.h"

#include <cstddef>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool CsvRecordReader::ReadLine(std::string& line) {
  if (!std::getline(input_, line)) return false;
  // A line feed was found unless the input ended first; only a carriage return before a line
  // feed is part of the line end.
  if (!input_.eof() && !line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void CsvRecordReader::StoreField(std::string& field, bool quoted) {
  if (trim_ && !quoted) {
    std::size_t first = 0;
    while (first < field.size() && IsBlank(field[first])) ++first;
    if (first < field.size()) {
      std::size_t last = field.size();
      while (IsBlank(field[last - 1])) --last;
      field = field.substr(first, last - first);
    }
  }
  fields_.push_back(std::move(field));
  field.clear();
}

bool CsvRecordReader::ReadRecord() {
  fields_.clear();
  std::string field;
  bool inQuotes = false;
  bool quoted = false;
  std::string line;
  for (;;) {
    if (!ReadLine(line)) {
      fields_.clear();
      return false;
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (inQuotes) {
        if (c != '"') {
          field += c;
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          inQuotes = false;
        }
      } else if (c == '"' && field.empty()) {
        inQuotes = true;
        quoted = true;
      } else if (c == ',') {
        StoreField(field, quoted);
        quoted = false;
      } else {
        field += c;
      }
    }
    if (!inQuotes) break;
    field += '\n';
  }
  StoreField(field, quoted);
  return true;
}

const std::string& CsvRecordReader::Field(int index) const {
  if (index < 0 || index >= GetFieldCount()) return empty_;
  return fields_[static_cast<std::size_t>(index)];
}
