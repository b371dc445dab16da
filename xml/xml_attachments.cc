#include "xml/xml_attachments.h"

#include <platform/cp932.h>
#include <platform/files.h>

#include "columns/host_call.h"
#include "messages/app_messages.h"
#include "messages/note_id_hex.h"
#include "messages/report_notes_error.h"
#include "xml/attachment_paths.h"
#include "xml/escape_xml.h"

namespace {

// The attachment name, joined by "_" to the file name when the two differ, made safe to write.
std::string OutputName(const LNString& attachmentName, const LNString& fileName) {
  LNString name = attachmentName;
  if (LNStringCompare(attachmentName, fileName, LNSTRINGCOMPAREFLAGS_DEFAULT) != 0) {
    name += "_";
    name += fileName;
  }
  return AttachmentOutputName(name.GetPlatformTextPtr());
}

void AppendFileElement(std::string& out, const LNString* richTextName, NOTEID noteId, const std::string& outputName,
                       const LNString& fileName) {
  out += "<file";
  if (richTextName) {
    out += " ritchtextname=\"";
    out += EscapeXMLAttribute(richTextName->GetTextPtr());
    out += '"';
  }
  out += " noteid=\"";
  out += NoteIdHex(noteId);
  out += "\" filename=\"";
  out += EscapeXMLAttribute(platform::Cp932ToUtf8(outputName));  // the name of the file written
  out += "\">";
  out += EscapeXML(fileName.GetTextPtr());
  out += "</file>\n";
}

// Whether the attachment may be written to `path`: nothing is there, or the user agrees to
// replace it.
bool MayWrite(const std::string& path) {
  if (!platform::PathExists(path)) return true;
  return AskAppQuestion(platform::ToDisplayPath(path) + platform::Utf8ToCp932("は既に存在します。\n上書きしますか?"));
}

template <class Attachment>
void Export(std::string& out, const Attachment& attachment, const LNString* richTextName,
            const LNString& attachmentName, const LNString& fileName, const std::string& folder, NOTEID noteId) {
  const std::string outputName = OutputName(attachmentName, fileName);
  AppendFileElement(out, richTextName, noteId, outputName, fileName);
  const std::string path = AttachmentTargetPath(folder, noteId, outputName);
  if (!MayWrite(path)) return;
  // A directory that cannot be made shows as the detaching's own failure.
  platform::MakeSureDirectoryPathExists(path);
  ThrowIfFailed(attachment.Detach(LNString(path.c_str())));
}

void ExportFileAttachments(std::string& out, const LNNote& document, const std::string& folder) {
  LNAttachmentArray attachments;
  ThrowIfFailed(document.GetAttachments(&attachments));
  for (LNINT i = 0; i < attachments.GetCount(); ++i) {
    const LNAttachment attachment = attachments[i];
    if (attachment.IsInRichText()) continue;
    Export(out, attachment, nullptr, attachment.GetAttachmentName(), attachment.GetFilepath(), folder,
           document.GetNoteID());
  }
}

void ExportRichTextAttachments(std::string& out, const LNNote& document, const std::string& folder) {
  LNItemArray items;
  ThrowIfFailed(document.GetItems(LNITEMTYPE_RICHTEXT, &items));
  for (LNINT i = 0; i < items.GetCount(); ++i) {
    const LNItem item = items[i];
    const LNRichText richText(item);
    if (richText.IsEmpty()) continue;
    const LNString itemName = item.GetName();
    LNRTCursor cursor;
    ThrowIfFailed(richText.GetCursor(&cursor));
    LNRTObject object;
    for (LNSTATUS status = cursor.GotoFirst(LNRTTYPE_ATTACHMENT, &object); status != host::kNotFound;
         status = cursor.GotoNext(LNRTTYPE_ATTACHMENT, &object)) {
      ThrowIfFailed(status);
      const LNRTAttachment attachment(object);
      Export(out, attachment, &itemName, attachment.GetAttachmentName(), attachment.GetFilename(), folder,
             document.GetNoteID());
    }
  }
}

}  // namespace

void AppendAttachmentElements(std::string& out, const LNNote& document, std::string_view outputPath) {
  const std::string folder = AttachmentFolder(outputPath);
  try {
    ExportFileAttachments(out, document, folder);
    ExportRichTextAttachments(out, document, folder);
  } catch (LNSTATUS status) {
    ReportNotesError(status, platform::Utf8ToCp932("NOTEID:") + NoteIdHex(document.GetNoteID()) +
                                 platform::Utf8ToCp932("の添付ファイルの書き出しに失敗しました。"));
  }
}
