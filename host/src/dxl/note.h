// One note element of a DXL file (<document>, <view>, <folder>, <form>, <subform>, or a
// note-format <note class='document'>) as a note of the host's database.
//
// Internal to the DXL reader.
#pragma once

#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

struct ReadNoteResult {
  model::Note note;
  bool hasNoteId = false;  // false: the caller assigns one
};

// Reads the note: note ID, UNID and dates from <noteinfo>, the items in file order, the
// attachments of its $FILE items, and the design of views, folders, forms and subforms.
// Throws Malformed.
ReadNoteResult ReadNote(pugi::xml_node element, model::NoteClass noteClass);

}  // namespace host::dxl
