#include "dxl/note.h"

#include <platform/cp932.h>

#include <algorithm>
#include <charconv>
#include <string>

#include "dxl/base64.h"
#include "dxl/design.h"
#include "dxl/stored_attachment.h"
#include "dxl/values.h"
#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

bool HasItem(const std::vector<model::Item>& items, std::string_view name) {
  for (const model::Item& item : items)
    if (platform::EqualsIgnoringAsciiCase(item.name, name)) return true;
  return false;
}

// A UNID attribute; one longer than a UNID can be is an error.
model::Unid ReadUnid(pugi::xml_node element, const char* attribute) {
  const std::string_view unid = Attr(element, attribute);
  if (unid.size() > model::Unid::kMaxSize)
    throw Malformed{std::string(attribute) + " '" + std::string(unid) + "' is longer than " +
                    std::to_string(model::Unid::kMaxSize) + " characters"};
  return unid;
}

// A <created>, <modified> or <addedtofile> wrapper; an empty <datetime> means none.
std::optional<model::DateTime> ReadNoteDate(pugi::xml_node noteinfo, std::string_view wrapper) {
  const pugi::xml_node datetime = FirstChild(FirstChild(noteinfo, wrapper), "datetime");
  if (!datetime) return std::nullopt;
  const model::DateTime value = ReadDateTime(datetime);
  if (!value.HasDate() && !value.HasTime()) return std::nullopt;
  return value;
}

bool ReadNoteInfo(pugi::xml_node element, model::Note& note) {
  const pugi::xml_node noteinfo = FirstChild(element, "noteinfo");
  if (!noteinfo) return false;
  note.unid = ReadUnid(noteinfo, "unid");
  note.created = ReadNoteDate(noteinfo, "created");
  note.modified = ReadNoteDate(noteinfo, "modified");
  if (const auto addedToFile = ReadNoteDate(noteinfo, "addedtofile")) note.Extras().addedToFile = addedToFile;
  const pugi::xml_attribute noteId = noteinfo.attribute("noteid");
  if (!noteId) return false;
  const std::string_view hex = noteId.value();
  const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), note.noteId, 16);
  if (hex.empty() || error != std::errc() || end != hex.data() + hex.size())
    throw Malformed{"note ID '" + std::string(hex) + "' is not a 32-bit hexadecimal number"};
  return true;
}

// A $FILE item's <object><file>: one attachment of the note.
void ReadAttachment(pugi::xml_node item, model::Note& note, const AttachmentStore* store) {
  const pugi::xml_node file = FirstChild(FirstChild(item, "object"), "file");
  if (!file) return;
  model::Attachment attachment;
  attachment.name = Attr(file, "name");
  if (attachment.name.empty()) throw Malformed{"attachment <file> without a name"};
  attachment.fileName = attachment.name;
  const std::string_view compression = Attr(file, "compression");
  attachment.supported = compression.empty() || compression == "none";
  if (attachment.supported) {
    const std::string_view text = FirstChild(file, "filedata").text().get();
    const auto notBase64 = [&] { return Malformed{"attachment '" + attachment.name + "': <filedata> is not base64"}; };
    // A large one is only checked and measured here; its bytes are read from the file when needed.
    const std::optional<std::uint64_t> at =
        store && text.size() / 4 * 3 > kHeldAttachmentBytes ? store->fileOffsetOf(text.data()) : std::nullopt;
    const std::optional<std::uint64_t> size = at ? DecodedBase64Size(text) : std::nullopt;
    if (at && !size) throw notBase64();
    if (at && *size > kHeldAttachmentBytes) {
      attachment.storedIn = store->file;
      attachment.storedAt = *at;
      attachment.storedSize = *size;
    } else {
      auto data = DecodeBase64(text);
      if (!data) throw notBase64();
      attachment.data = std::move(*data);
    }
  }
  note.Extras().attachments.push_back(std::move(attachment));
}

// An attachment referred to from rich text lies inside that rich text, under the reference's name.
void MarkAttachmentsInRichText(const std::vector<model::Item>& items, model::Note& note) {
  if (!note.extras) return;
  for (const model::Item& item : items) {
    const auto* richText = std::get_if<model::RichText>(&item.value);
    if (!richText) continue;
    for (const model::RTElement& element : richText->elements) {
      if (element.type != model::RTType::Attachment) continue;
      for (model::Attachment& attachment : note.extras->attachments) {
        if (attachment.name != element.attachmentName) continue;
        attachment.inRichText = true;
        attachment.fileName = element.fileName;
      }
    }
  }
}

void ReadDocumentHeader(pugi::xml_node element, std::vector<model::Item>& items, model::Note& note) {
  pugi::xml_attribute form = element.attribute("form");
  if (!form) form = element.attribute("Form");  // as some hand-written files spell it
  if (form && !HasItem(items, "Form"))
    items.insert(items.begin(), model::Item{"Form", model::Text{{form.value()}}, model::kSummary});
  const model::Unid parent = ReadUnid(element, "parent");
  if (!parent.empty()) note.Extras().parentUnid = parent;
  if (!parent.empty() && !HasItem(items, "$REF"))
    items.push_back(model::Item{"$REF", model::Unsupported{"noteref"}, model::kSummary});
}

}  // namespace

ReadNoteResult ReadNote(pugi::xml_node element, model::NoteClass noteClass, const AttachmentStore* store) {
  ReadNoteResult result;
  model::Note& note = result.note;
  note.noteClass = noteClass;
  result.hasNoteId = ReadNoteInfo(element, note);

  // Gathered in one list kept from note to note: a new one for each note was an allocation
  // large enough to miss the allocator's caches, for every note of the file.
  thread_local std::vector<model::Item> items;
  items.clear();
  for (pugi::xml_node child : element.children()) {
    if (!IsElement(child, "item")) continue;
    items.push_back(ReadItem(child));
    if (platform::EqualsIgnoringAsciiCase(items.back().name, "$FILE")) ReadAttachment(child, note, store);
  }
  MarkAttachmentsInRichText(items, note);
  if (noteClass == model::NoteClass::Document) ReadDocumentHeader(element, items, note);
  note.items = items;

  switch (noteClass) {
    case model::NoteClass::Document:
      break;
    case model::NoteClass::View:
    case model::NoteClass::Folder:
      note.view = ReadViewDesign(element, noteClass == model::NoteClass::Folder);
      break;
    case model::NoteClass::Form:
    case model::NoteClass::Subform:
      note.form = ReadFormDesign(element);
      break;
  }
  return result;
}

}  // namespace host::dxl
