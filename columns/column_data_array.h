// The column list of the current export together with the output settings of the run. The
// settings' texts are not owned: they point at constant strings or at a string of the running
// export, and are valid only during the run that set them.
#pragma once

#include <cstdint>
#include <string>

#include "columns/column_spec.h"
#include "columns/view_entry.h"
#include "host/notes.h"

class CColumnDataArray : public ColumnSpecList {
 public:
  CColumnDataArray() = default;

  // Rebuilds the list from the view's columns, in the view's order. The view is opened when it
  // is not, and is closed afterwards in every case but a host failure, which is thrown and leaves
  // the columns appended so far.
  void LoadFromView(LNViewFolder& view);
  // Sets the output flag of every spec.
  void CheckAll();

  // The CSV settings of the run. `quoteMode` is a CsvQuoteMode value; a null replacement leaves
  // separators or line feeds inside values as they are.
  void SetCsvFormat(const LNNotesSession* session, const char* listSeparator, const char* columnSeparator,
                    int quoteMode, const char* separatorReplacement, const char* lineBreakReplacement);
  // The XML settings of the run, which ToXMLData (xml/xml_document.h) reads; `attachmentBasePath`
  // is the output file path when attachments are exported, else null.
  void SetXmlFormat(const LNNotesSession* session, const char* listSeparator, bool allItems, bool computedFields,
                    bool noteIdOutput, bool typeOutput, const char* attachmentBasePath);

  // The record of the output columns' titles, platform text without a line end.
  std::string ToCSVHeader() const;
  // The record of one entry, platform text without a line end. `document` is the entry's
  // document, or a null note for a category row or a document that could not be fetched; it is
  // opened for formula columns when needed and is closed on return. A host failure other than a
  // formula's is shown with ReportNotesError and ends the record early.
  std::string ToCSVData(const ViewEntry& entry, LNNote& document) const;

  const LNNotesSession* Session() const { return session_; }
  const char* ListSeparator() const { return listSeparator_; }
  const char* ColumnSeparator() const { return columnSeparator_; }
  int QuoteMode() const { return quoteMode_; }
  const char* SeparatorReplacement() const { return separatorReplacement_; }
  const char* LineBreakReplacement() const { return lineBreakReplacement_; }
  bool AllItems() const { return allItems_; }
  bool ComputedFields() const { return computedFields_; }
  bool NoteIdOutput() const { return noteIdOutput_; }
  bool TypeOutput() const { return typeOutput_; }
  const char* AttachmentBasePath() const { return attachmentBasePath_; }

 private:
  const char* columnSeparator_ = nullptr;
  int quoteMode_ = 0;
  const char* separatorReplacement_ = nullptr;
  const char* lineBreakReplacement_ = nullptr;
  const char* listSeparator_ = nullptr;
  const LNNotesSession* session_ = nullptr;
  bool allItems_ = false;
  bool computedFields_ = false;
  bool noteIdOutput_ = false;
  bool typeOutput_ = false;
  const char* attachmentBasePath_ = nullptr;
};
