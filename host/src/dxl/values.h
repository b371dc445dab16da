// Items and their values: <text>, <textlist>, <number>, <numberlist>, <datetime>,
// <datetimelist>, <richtext>; any other value element is an item of an unsupported type.
//
// Internal to the DXL reader.
#pragma once

#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

// Reads one <item>: its name, its flags and its one value. Throws Malformed.
model::Item ReadItem(pugi::xml_node item);

// The text of a <text> element: character data, <break/> as a line feed, <nonxmlchar value='hex'/>
// as that character. Throws Malformed.
std::string ReadText(pugi::xml_node text);

// A <datetime> element's value. Throws Malformed for text that is not a date/time.
model::DateTime ReadDateTime(pugi::xml_node datetime);

}  // namespace host::dxl
