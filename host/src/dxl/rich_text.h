// Rich text as the cursor walks it: text objects, attachment references, form fields and
// subform references, in document order, going into tables, cells and sections.
//
// Internal to the DXL reader.
#pragma once

#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

// Reads a <richtext> element. Each <run> (and the character data of a paragraph outside runs)
// is a text object; <break/> is a line feed and every paragraph after the first begins with one.
// Line breaks that only lay out the XML (a newline and the indentation after it) are not text.
// Throws Malformed.
model::RichText ReadRichText(pugi::xml_node richtext);

}  // namespace host::dxl
