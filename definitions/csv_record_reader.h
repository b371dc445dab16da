// Reads comma-separated records from a stream: fields in double quotes may hold commas, doubled
// double quotes and line breaks. Works on bytes, so any character set whose double-byte
// characters never use the bytes of ",", double quote, carriage return or line feed (code page
// 932 among them) passes through unchanged.
#pragma once

#include <istream>
#include <string>
#include <vector>

class CsvRecordReader {
 public:
  // Reads from `input`, which must outlive the reader. Trimming is off.
  explicit CsvRecordReader(std::istream& input) : input_(input) {}

  // With trimming on, blanks and tabs around an unquoted field are dropped, unless the field
  // holds nothing else. Quoted fields are always kept exactly as they stood between the quotes.
  void SetTrim(bool trim) { trim_ = trim; }

  // Reads the next record, which ends at a line feed (a carriage return just before it is
  // dropped) outside quotes, or at the end of the input. Returns false at the end of the input;
  // a record still inside quotes there is dropped.
  bool ReadRecord();

  // Field `index` of the current record, or an empty text when there is no such field.
  const std::string& Field(int index) const;
  int GetFieldCount() const { return static_cast<int>(fields_.size()); }

 private:
  bool ReadLine(std::string& line);
  void StoreField(std::string& field, bool quoted);

  std::istream& input_;
  std::vector<std::string> fields_;
  const std::string empty_;
  bool trim_ = false;
};
