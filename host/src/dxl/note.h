// One note element of a DXL file (<document>, <view>, <folder>, <form>, <subform>, or a
// note-format <note class='document'>) as a note of the host's database.
//
// Internal to the DXL reader.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

struct ReadNoteResult {
  model::Note note;
  bool hasNoteId = false;  // false: the caller assigns one
};

// Where the attachments larger than kHeldAttachmentBytes are left: the file the element was read
// from, and where a character of the element's text lies in it (nullopt: the attachment is held).
struct AttachmentStore {
  std::shared_ptr<const model::StoredFile> file;
  std::function<std::optional<std::uint64_t>(const char*)> fileOffsetOf;
};

// Reads the note: note ID, UNID and dates from <noteinfo>, the items in file order, the
// attachments of its $FILE items (with `store`, the large ones left in the file), and the design
// of views, folders, forms and subforms. Throws Malformed.
ReadNoteResult ReadNote(pugi::xml_node element, model::NoteClass noteClass, const AttachmentStore* store = nullptr);

}  // namespace host::dxl
