// Small helpers for walking a parsed DXL tree: elements matched on their local names (with or
// without the DXL namespace), attributes with their DTD defaults, and the error the readers throw.
//
// Internal to the DXL reader.
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace host::dxl {

// Thrown by the readers for content that is well-formed XML but not valid DXL. The file reader
// prefixes the file name.
struct Malformed {
  std::string message;
};

// The element's name without any namespace prefix.
std::string_view LocalName(pugi::xml_node node);
bool IsElement(pugi::xml_node node, std::string_view localName);

// The first child element with the given local name, or an empty node.
pugi::xml_node FirstChild(pugi::xml_node node, std::string_view localName);

// The <code event='...'> child's <formula> text, or nothing when there is none.
bool FindCodeFormula(pugi::xml_node node, std::string_view event, std::string& formula);

// An attribute's value; "" when absent.
std::string_view Attr(pugi::xml_node node, const char* name);

// A DXL boolean attribute ('true' or 'false'); `absent` when the attribute is omitted.
bool BoolAttr(pugi::xml_node node, const char* name, bool absent = false);

// The text without the XML white space around it.
std::string_view TrimXmlSpace(std::string_view text);

// The concatenated character data of the element's direct text children.
std::string DirectText(pugi::xml_node node);

// Appends the UTF-8 form of a Unicode code point; false for a value that is not a character.
bool AppendUtf8(std::string& out, unsigned long codePoint);

}  // namespace host::dxl
