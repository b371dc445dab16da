#include "columns/column_data_array.h"

#include "columns/host_call.h"

void CColumnDataArray::LoadFromView(LNViewFolder& view) {
  SetSize(0);
  if (!view.IsOpen()) ThrowIfFailed(view.Open(0));
  const LNINT count = view.GetColumnCount();
  for (LNINT i = 0; i < count; ++i) {
    LNVFColumn column;
    ThrowIfFailed(view.GetColumn(i, &column));
    ColumnSpec spec;
    spec.SetFromViewColumn(column);
    SetAtGrow(GetCount(), spec);
  }
  if (view.IsOpen()) ThrowIfFailed(view.Close());
}

void CColumnDataArray::CheckAll() {
  for (ColumnSpec& spec : *this) spec.output = true;
}

void CColumnDataArray::SetCsvFormat(const LNNotesSession* session, const char* listSeparator,
                                    const char* columnSeparator, int quoteMode, const char* separatorReplacement,
                                    const char* lineBreakReplacement) {
  session_ = session;
  listSeparator_ = listSeparator;
  columnSeparator_ = columnSeparator;
  quoteMode_ = quoteMode;
  separatorReplacement_ = separatorReplacement;
  lineBreakReplacement_ = lineBreakReplacement;
}

void CColumnDataArray::SetXmlFormat(const LNNotesSession* session, const char* listSeparator, bool allItems,
                                    bool computedFields, bool noteIdOutput, bool typeOutput,
                                    const char* attachmentBasePath) {
  session_ = session;
  listSeparator_ = listSeparator;
  allItems_ = allItems;
  computedFields_ = computedFields;
  noteIdOutput_ = noteIdOutput;
  typeOutput_ = typeOutput;
  attachmentBasePath_ = attachmentBasePath;
}
