// The option values remembered in notes.ini: section "Vorpel" for the CSV export, "VorpelXml" for
// the XML export. Each field bears the name of its key.
//
// A record made by value-initialisation ({}) holds 0 in every field and no notes.ini: that is the
// starting point of a run steered by switches. LoadCsvOptions / LoadXmlOptions make the record an
// option page works with: the defaults, then every key that holds a value in range.
#pragma once

#include <platform/files.h>

#include <cstdint>
#include <string>

namespace settings {

inline constexpr char kCsvSection[] = "Vorpel";
inline constexpr char kXmlSection[] = "VorpelXml";

struct CsvOptions {
  std::int32_t OutputHeader = 0;     // 0-1, default 1
  std::int32_t ColumnFormat = 0;     // 0-1
  std::int32_t ColumnQuote = 0;      // 0-2
  std::int32_t ColumnSeparater = 0;  // 0-1
  std::int32_t AltCrlf = 0;          // 0-2
  std::int32_t AltSeparater = 0;     // 0-5
  std::int32_t OutputDocument = 0;   // 0-1, default 1
  std::int32_t OutputColumn = 0;     // 0-1 on reading; 2 may be stored
  std::int32_t ListSeparater = 0;    // 0-6
  std::int32_t CSVFormatMode = 0;    // 0-2
  // The notes.ini this record reads and writes (platform path); empty: none, nothing is read or
  // written.
  std::string notesIni;
};

struct XmlOptions {
  std::int32_t ColumnFormat = 0;    // 0-1
  std::int32_t OutputDocument = 0;  // 0-1, default 1
  std::int32_t OutputColumn = 0;    // 0-1 on reading; 2 may be stored
  std::int32_t ListSeparater = 0;   // 0-6
  std::int32_t XmlEncode = 0;       // 0-1
  std::int32_t ItemAll = 0;         // 0-1
  std::int32_t OutputNoteid = 0;    // 0-1
  std::int32_t OutputType = 0;      // 0-1
  std::int32_t FieldAll = 0;        // 0-1
  std::int32_t AttachFile = 0;      // 0-1
  std::string notesIni;
};

// The value of `key` in `section` of `notesIni`: `current` when the path is empty, the key is
// missing or not a decimal integer, or its value lies outside min..max.
std::int32_t LoadSetting(const std::string& notesIni, const char* section, const char* key, std::int32_t current,
                         std::int32_t min, std::int32_t max);
// Writes `value` in decimal; false, with nothing written, when the path is empty or the write fails.
bool StoreSetting(const std::string& notesIni, const char* section, const char* key, std::int32_t value);

// A record with the defaults, then each key of `notesIni` that holds a value in range ("" reads
// nothing and keeps the defaults).
CsvOptions LoadCsvOptions(std::string notesIni);
XmlOptions LoadXmlOptions(std::string notesIni);
// The record an option page starts from: notes.ini found by platform::FindNotesIni, then loaded.
inline CsvOptions CreateCsvOptions() { return LoadCsvOptions(platform::FindNotesIni()); }
inline XmlOptions CreateXmlOptions() { return LoadXmlOptions(platform::FindNotesIni()); }

// Writes all ten keys of the record to its notes.ini in one replacement of the file, so that the
// file holds all ten old values or all ten new ones, whenever the process is stopped. False, with
// the file unchanged, when the file cannot be written (read-only, no permission) or there is no
// notes.ini; reporting it is the caller's.
bool StoreCsvOptions(const CsvOptions& options);
bool StoreXmlOptions(const XmlOptions& options);

// Sets ColumnSeparater, ColumnQuote, AltSeparater and AltCrlf from CSVFormatMode: 0 (Excel
// compatible) comma, automatic quotes, nothing replaced; 1 (simple) comma, no quotes, separators
// and line breaks removed; 2 (custom) leaves them as they are.
void ApplyFormatPreset(CsvOptions& options);

}  // namespace settings
