// The XML rendering of the column list: the `doc` element of one view entry, with the settings
// that CColumnDataArray::SetXmlFormat gave the list.
#pragma once

#include <string>

#include "columns/column_data_array.h"
#include "host/notes.h"

// The `doc` element of one entry, UTF-8 with "\n" line ends (every character of the database's
// text kept; the file's encoding is the XML run's): the output columns, then
// as the XML settings ask the document's items, its form's computed-for-display fields and its
// attachments, which are detached beside the output file. `document` is the entry's document,
// or an empty one for a category row or a document that could not be fetched; it is closed on
// return. Host failures are shown with ReportNotesError and the element is still completed.
std::string ToXMLData(const CColumnDataArray& columns, const ViewEntry& entry, LNDocument& document);
// One `elementName` ("view" or "item") element line for `value` under `name`, in UTF-8, or "" for
// a null value.
std::string ToXMLElement(const CColumnDataArray& columns, const char* elementName, const LNString& name,
                         const LNItem& value);

