// The design notes the host uses: views and folders (selection, columns and their formats),
// forms and subforms (window title, body).
//
// Internal to the DXL reader.
#pragma once

#include <pugixml.hpp>

#include "model.h"

namespace host::dxl {

// Reads a <view> or <folder>. A view without a selection formula selects every document
// ("SELECT @All"); a folder without one holds none (""). Throws Malformed.
model::ViewDesign ReadViewDesign(pugi::xml_node view, bool isFolder);

// Reads a <form> or <subform>. Throws Malformed.
model::FormDesign ReadFormDesign(pugi::xml_node form);

}  // namespace host::dxl
