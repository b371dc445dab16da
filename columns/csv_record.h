// The CSV field rule: replacements inside a value, quoting, and quote doubling. Platform text
// throughout; matching and replacing work on whole code page 932 characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/lnstring.h"

enum CsvQuoteMode : int {
  // only a field that holds the column separator, a line feed, a carriage return or a double quote
  kQuoteAutomatic = 0,
  kQuoteAlways = 1,
  kQuoteNever = 2,  // and any other value
};

// Appends one field made from `text` to `record`: every column separator replaced by
// `separatorReplacement` and every line break (CR LF, a lone line feed or a lone carriage return)
// by `lineBreakReplacement` (null: left as they are); then, when `quoteMode` asks for it, double
// quotes doubled and the field enclosed in double quotes. A carriage return counts as a line break
// because every CSV reader ends a record at one.
void AppendCSVField(std::string& record, std::string_view text, std::string_view columnSeparator, int quoteMode,
                    const char* separatorReplacement, const char* lineBreakReplacement);

// The field for `value`'s platform text, by the rule of AppendCSVField.
std::string FormatCSVField(const LNString& value, std::string_view columnSeparator, int quoteMode,
                           const char* separatorReplacement, const char* lineBreakReplacement);
