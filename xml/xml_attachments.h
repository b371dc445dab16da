// The `file` elements of one document, and the detaching of its attachments into the export's
// attachment folder.
#pragma once

#include <string>
#include <string_view>

#include "host/notes.h"

// Appends one `file` element per attachment of the open `document`: first those outside rich
// text, then those inside each rich-text item, and detaches each into
// "<folder>\<note ID>\<output name>" beside `outputPath`. Where a file already exists there, the
// user is asked whether to replace it; the element is written either way. A host failure is shown
// with ReportNotesError and ends the document's attachments; the elements appended stay.
void AppendAttachmentElements(std::string& out, const LNNote& document, std::string_view outputPath);
