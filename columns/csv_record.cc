// CSV records: the field rule, the header record and the record of one view entry.
#include "columns/csv_record.h"

#include <cstdint>
#include <cstring>

#include "columns/column_data_array.h"
#include "messages/report_notes_error.h"
#include "platform/cp932.h"

namespace {

// Room reserved per column for a record, so that typical records are built without regrowing.
constexpr std::size_t kFieldSizeGuess = 24;

// Whether `text` may hold something the field rule changes or quotes for. The bytes looked for
// are a superset of the characters that matter, so a false answer is exact; a true one is
// settled character by character.
bool MayNeedWork(std::string_view text, std::string_view columnSeparator) {
  const char separatorStart = columnSeparator.empty() ? '"' : columnSeparator.front();
  // Eight bytes at a time: a byte of `word` equals `c` where the same byte of word ^ (c × 0x01…)
  // is zero, and (x − 0x01…) & ~x & 0x80… is nonzero exactly when some byte of x is.
  constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
  const auto hasByte = [](std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
    return ((x - kOnes) & ~x & kHighBits) != 0;
  };
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, sizeof word);
    if (hasByte(word, '"') || hasByte(word, '\n') || hasByte(word, '\r') || hasByte(word, separatorStart))
      return true;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\n' || c == '\r' || c == separatorStart) return true;
  }
  return false;
}

bool Contains(std::string_view text, std::string_view needle) {
  if (needle.empty()) return false;
  // A byte below 0x40 is never the second byte of a double-byte character: a plain search is exact.
  if (needle.size() == 1 && static_cast<unsigned char>(needle[0]) < 0x40)
    return text.find(needle[0]) != std::string_view::npos;
  return platform::Cp932Contains(text, needle);
}

void AppendQuoted(std::string& record, std::string_view text) {
  record += '"';
  // A double quote is never the second byte of a double-byte character, so each one found is a
  // character of its own, doubled.
  for (std::size_t quote; (quote = text.find('"')) != std::string_view::npos; text.remove_prefix(quote + 1)) {
    record.append(text.data(), quote + 1);
    record += '"';
  }
  record += text;
  record += '"';
}

}  // namespace

void AppendCSVField(std::string& record, std::string_view text, std::string_view columnSeparator, int quoteMode,
                    const char* separatorReplacement, const char* lineBreakReplacement) {
  if (!MayNeedWork(text, columnSeparator)) {
    if (quoteMode == kQuoteAlways) {
      record += '"';
      record += text;
      record += '"';
    } else {
      record += text;
    }
    return;
  }
  std::string replaced;
  if (separatorReplacement && !columnSeparator.empty()) {
    replaced = platform::Cp932ReplaceAll(text, columnSeparator, separatorReplacement);
    text = replaced;
  }
  if (lineBreakReplacement) {
    // A line break is a CR LF pair, a lone line feed or a lone carriage return.
    replaced = platform::Cp932ReplaceAll(platform::Cp932ReplaceAll(text, "\r\n", "\n"), "\r", "\n");
    replaced = platform::Cp932ReplaceAll(replaced, "\n", lineBreakReplacement);
    text = replaced;
  }
  const bool quote = quoteMode == kQuoteAlways ||
                     (quoteMode == kQuoteAutomatic && (Contains(text, columnSeparator) || Contains(text, "\n") ||
                                                       Contains(text, "\r") || Contains(text, "\"")));
  if (quote) {
    AppendQuoted(record, text);
  } else {
    record += text;
  }
}

std::string FormatCSVField(const LNString& value, std::string_view columnSeparator, int quoteMode,
                           const char* separatorReplacement, const char* lineBreakReplacement) {
  std::string field;
  AppendCSVField(field, value.GetPlatformTextPtr(), columnSeparator, quoteMode, separatorReplacement,
                 lineBreakReplacement);
  return field;
}

std::string CColumnDataArray::ToCSVHeader() const {
  const std::string_view separator = columnSeparator_ ? columnSeparator_ : "";
  std::string record;
  bool first = true;
  for (const ColumnSpec& spec : *this) {
    if (!spec.IsOutput()) continue;
    if (!first) record += separator;
    first = false;
    AppendCSVField(record, spec.title.GetPlatformTextPtr(), separator, quoteMode_, separatorReplacement_,
                   lineBreakReplacement_);
  }
  return record;
}

namespace {

// The formula's value on the document, or a null item when the host fails.
LNItem FormulaValue(const ColumnSpec& spec, LNNote& document) {
  try {
    if (!document.IsOpen()) {
      if (document.Open(0) != 0) return LNItem();
    }
    return spec.EvaluateFormula(document);
  } catch (LNSTATUS) {
    return LNItem();
  }
}

}  // namespace

std::string CColumnDataArray::ToCSVData(const ViewEntry& entry, LNNote& document) const {
  const std::string_view separator = columnSeparator_ ? columnSeparator_ : "";
  std::string record;
  record.reserve(kFieldSizeGuess * GetCount());
  bool first = true;
  std::string text;  // each value's text in turn
  try {
    for (const ColumnSpec& spec : *this) {
      if (!spec.IsOutput()) continue;
      LNItem formulaValue;
      if (spec.kind == ColumnKind::Formula && !document.IsNull()) formulaValue = FormulaValue(spec, document);
      const LNItem& value = spec.kind == ColumnKind::ViewColumn ? spec.GetEntryValue(entry) : formulaValue;
      spec.ValueToText(value, session_, listSeparator_, text);
      if (!first) record += separator;
      first = false;
      AppendCSVField(record, text, separator, quoteMode_, separatorReplacement_, lineBreakReplacement_);
    }
  } catch (LNSTATUS status) {
    ReportNotesError(status, "CColumnDataArray::ToCSVData()");
  }
  if (!document.IsNull() && document.IsOpen()) document.Close();
  return record;
}
