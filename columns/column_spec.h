// One output column of an export (a column of the exported view, or a formula the user typed)
// and the ordered list of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/notes.h"

class ViewEntry;

enum class ColumnKind : std::int32_t {
  Unset = 0,       // never output
  ViewColumn = 1,  // a view column, by its column number
  Formula = 2,     // a formula evaluated on each document
};

inline constexpr std::uint32_t kNoColumnNumber = 0xFFFFFFFF;

class ColumnSpec {
 public:
  // Unset, no column number, hidden, not icons, not categorized, empty title and formula, not
  // output, the host's default formats, and the semicolon as design separator.
  ColumnSpec() = default;
  ColumnSpec(const ColumnSpec&) = default;
  ColumnSpec& operator=(const ColumnSpec&) = default;
  ColumnSpec(ColumnSpec&&) = default;
  ColumnSpec& operator=(ColumnSpec&&) = default;
  virtual ~ColumnSpec() = default;

  // Takes kind, title (the internal name for an untitled column), design flags, column number,
  // formula, formats and separator from the view column. The column is output when it is neither
  // hidden nor shown as icons. Host failures are thrown.
  void SetFromViewColumn(const LNVFColumn& column);

  // Makes this a formula column from `text`; every design flag and the output flag are cleared
  // and the title is kept. A formula the host rejects throws its status and leaves the column
  // as it was.
  void SetFormula(const LNString& text, std::uint32_t designSeparator);

  // This view column's value in `entry`: a category row has values only in categorized columns,
  // a document row only in the others. A null item when there is none; never fails.
  const LNItem& GetEntryValue(const ViewEntry& entry) const;

  // The formula's result on `document`. Host failures are thrown.
  LNItem EvaluateFormula(const LNNote& document) const;

  // `item` as platform text: list elements joined by `listSeparator` (null: the design
  // separator), numbers and date/times in this column's formats with the session's international
  // settings when `session` is given, else in the host's plain form, rich text as its plain text.
  // A null item gives "". Never throws: a value that cannot be rendered gives an "ERROR : ..."
  // marker text instead.
  std::string ValueToText(const LNItem& item, const LNNotesSession* session, const char* listSeparator) const;
  // The same into `text`, replacing what it held: a caller rendering many values reuses one buffer.
  void ValueToText(const LNItem& item, const LNNotesSession* session, const char* listSeparator,
                   std::string& text) const;
  // The same text in UTF-8, holding every character of the item (platform text holds only those
  // of code page 932), for the XML file. `listSeparator` is platform text.
  std::string ValueToUtf8(const LNItem& item, const LNNotesSession* session, const char* listSeparator) const;

  // The text of the design separator: " ", ",", ";", "\n", or "" for any other code.
  const char* GetDesignSeparator() const;

  // True for a column that takes part in the output: set, and with the output flag on.
  bool IsOutput() const { return kind != ColumnKind::Unset && output; }

  ColumnKind kind = ColumnKind::Unset;
  std::uint32_t columnNumber = kNoColumnNumber;
  bool hidden = true;
  bool icon = false;
  bool categorized = false;
  LNString title;
  LNFormula formula;
  bool output = false;
  LNDatetimeFormat datetimeFormat;
  LNNumberFormat numberFormat;
  std::uint32_t designSeparator = LNVFSEPARATOR_SEMICOLON;
};

// The output columns in output order, held by value.
class ColumnSpecList {
 public:
  ColumnSpecList() = default;
  ColumnSpecList(const ColumnSpecList&) = default;
  ColumnSpecList& operator=(const ColumnSpecList&) = default;
  ColumnSpecList(ColumnSpecList&&) = default;
  ColumnSpecList& operator=(ColumnSpecList&&) = default;
  virtual ~ColumnSpecList() = default;

  std::size_t GetCount() const { return specs_.size(); }
  // `index` below GetCount().
  ColumnSpec& operator[](std::size_t index) { return specs_[index]; }
  const ColumnSpec& operator[](std::size_t index) const { return specs_[index]; }

  // Growing appends default specs, shrinking drops the tail; 0 empties the list.
  void SetSize(std::size_t count) { specs_.resize(count); }
  // Copies `spec` into position `index`, growing the list to index + 1 first when needed.
  void SetAtGrow(std::size_t index, const ColumnSpec& spec);

  auto begin() { return specs_.begin(); }
  auto end() { return specs_.end(); }
  auto begin() const { return specs_.begin(); }
  auto end() const { return specs_.end(); }

 private:
  std::vector<ColumnSpec> specs_;
};
