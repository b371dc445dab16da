// One `view` or `item` element line.
#include <string>

#include "xml/default_column_spec.h"
#include "xml/escape_xml.h"
#include "xml/item_type_names.h"
#include "xml/xml_document.h"

namespace {

// Whether an XML reader must be told to keep the text's white space as it is.
bool NeedsPreservedSpace(const std::string& text) {
  return text.find_first_of("\t\n\r") != std::string::npos || text.find("  ") != std::string::npos;
}

}  // namespace

std::string ToXMLElement(const CColumnDataArray& columns, const char* elementName, const LNString& name,
                         const LNItem& value) {
  if (value.IsNull()) return std::string();
  const std::string text = DefaultColumnSpec().ValueToUtf8(value, columns.Session(), columns.ListSeparator());
  std::string line = "<";
  line += elementName;
  line += " name=\"";
  line += EscapeXMLAttribute(name.GetTextPtr());
  line += '"';
  if (columns.TypeOutput()) {
    line += " type=\"";
    line += ItemTypeName(value.GetType());
    line += '"';
  }
  if (NeedsPreservedSpace(text)) line += " xml:space=\"preserve\"";
  line += '>';
  line += EscapeXML(text);
  line += "</";
  line += elementName;
  line += ">\n";
  return line;
}
