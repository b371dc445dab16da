// The `doc` element of one view entry.
#include "xml/xml_document.h"

#include <platform/cp932.h>

#include <string>

#include "columns/host_call.h"
#include "messages/note_id_hex.h"
#include "messages/report_notes_error.h"
#include "xml/default_column_spec.h"
#include "xml/escape_xml.h"
#include "xml/xml_attachments.h"

namespace {

bool IsOpenDocument(const LNNote& note) { return !note.IsNull() && note.IsOpen(); }

// Opens `note` when it is there and not open; a failure leaves it closed and shows itself later,
// when the closed note is read.
void OpenQuietly(LNNote& note) {
  try {
    if (!note.IsNull() && !note.IsOpen()) note.Open(0);
  } catch (LNSTATUS) {
  }
}

// The document's form, open; a null form when the document names none the database has.
LNForm OpenForm(const LNDocument& document) {
  LNForm form;
  try {
    if (document.IsNull()) return form;
    ThrowIfFailed(document.GetFormNote(&form));
    if (!form.IsNull() && !form.IsOpen()) form.Open(0);
  } catch (LNSTATUS) {
  }
  return form;
}

// " title=\"...\"" with the form's window title for the document, or "" when the form has no
// window-title formula.
std::string TitleAttribute(const LNForm& form, const LNDocument& document, const LNNotesSession* session) {
  LNFormula formula;
  ThrowIfFailed(form.GetWindowTitleFormula(&formula));
  if (formula.IsNull()) return std::string();
  LNItem title;
  ThrowIfFailed(formula.Evaluate(document, &title));
  return " title=\"" + EscapeXMLAttribute(DefaultColumnSpec().ValueToUtf8(title, session, nullptr)) + '"';
}

}  // namespace

std::string ToXMLData(const CColumnDataArray& columns, const ViewEntry& entry, LNDocument& document) {
  OpenQuietly(document);
  LNForm form = OpenForm(document);
  const bool formOpen = !form.IsNull() && form.IsOpen();

  std::string out = "<doc";
  bool startTagClosed = false;
  try {
    if (columns.NoteIdOutput()) out += " noteid=\"" + NoteIdHex(entry.GetNoteID()) + '"';
    if (IsOpenDocument(document) && formOpen) out += TitleAttribute(form, document, columns.Session());
    out += ">\n";
    startTagClosed = true;

    for (const ColumnSpec& spec : columns) {
      if (!spec.IsOutput()) continue;
      LNItem value;
      if (spec.kind == ColumnKind::ViewColumn) {
        value = spec.GetEntryValue(entry);
      } else if (spec.kind == ColumnKind::Formula && !document.IsNull()) {
        value = spec.EvaluateFormula(document);
      }
      out += ToXMLElement(columns, "view", spec.title, value);
    }

    if (columns.AllItems() && IsOpenDocument(document)) {
      LNItemArray items;
      ThrowIfFailed(document.GetItems(LNITEMTYPE_ANY, &items));
      for (LNINT i = 0; i < items.GetCount(); ++i) {
        const LNItem item = items[i];
        out += ToXMLElement(columns, "item", item.GetName(), item);
      }
    }

    if (columns.ComputedFields() && IsOpenDocument(document) && formOpen) {
      LNFormFieldArray fields;
      ThrowIfFailed(form.GetFormFields(&fields));
      for (LNINT i = 0; i < fields.GetCount(); ++i) {
        const LNFormField field = fields[i];
        if (field.GetComputeOption() != LNCOMPUTEOPTION_COMPUTED_FOR_DISPLAY) continue;
        const LNFormula formula = field.GetValueFormula();
        if (formula.IsNull()) continue;
        LNItem result;
        ThrowIfFailed(formula.Evaluate(document, &result));
        out += ToXMLElement(columns, "item", field.GetName(), result);
      }
    }
  } catch (LNSTATUS status) {
    // The start tag is closed even when its title failed, so the element stays well formed.
    if (!startTagClosed) out += ">\n";
    ReportNotesError(status, platform::Utf8ToCp932("NOTEID:") + NoteIdHex(entry.GetNoteID()) +
                                 platform::Utf8ToCp932("のアイテムの書き出しに失敗しました。"));
  }

  if (!form.IsNull() && form.IsOpen()) form.Close();
  if (IsOpenDocument(document)) document.Close();
  OpenQuietly(document);

  if (columns.AttachmentBasePath() && IsOpenDocument(document))
    AppendAttachmentElements(out, document, columns.AttachmentBasePath());
  if (IsOpenDocument(document)) document.Close();

  out += "</doc>\n";
  return out;
}
