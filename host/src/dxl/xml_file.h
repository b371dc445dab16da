// One XML file read at once into memory and parsed in place. External DTDs and entities are
// never loaded; a DOCTYPE is accepted and passed over.
//
// Internal to the DXL reader.
#pragma once

#include <memory>
#include <string>

#include <pugixml.hpp>

namespace host::dxl {

struct XmlFile {
  std::unique_ptr<char[]> buffer;  // the file's bytes; the tree points into them
  pugi::xml_document document;
};

// Reads and parses the file. Throws host::StatusError{kErrDatabaseRead} naming the file, and
// for XML errors the line: "<file>: <line>: <message>".
std::unique_ptr<XmlFile> LoadXmlFile(const std::string& path);

}  // namespace host::dxl
