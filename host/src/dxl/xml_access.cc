#include "dxl/xml_access.h"

namespace host::dxl {

std::string_view LocalName(pugi::xml_node node) {
  std::string_view name = node.name();
  const auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool IsElement(pugi::xml_node node, std::string_view localName) {
  return node.type() == pugi::node_element && LocalName(node) == localName;
}

pugi::xml_node FirstChild(pugi::xml_node node, std::string_view localName) {
  for (pugi::xml_node child : node.children())
    if (IsElement(child, localName)) return child;
  return {};
}

bool FindCodeFormula(pugi::xml_node node, std::string_view event, std::string& formula) {
  for (pugi::xml_node code : node.children()) {
    if (!IsElement(code, "code") || Attr(code, "event") != event) continue;
    const pugi::xml_node text = FirstChild(code, "formula");
    if (!text) continue;
    formula = DirectText(text);
    return true;
  }
  return false;
}

std::string_view Attr(pugi::xml_node node, const char* name) {
  return node.attribute(name).value();
}

bool BoolAttr(pugi::xml_node node, const char* name, bool absent) {
  const pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) return absent;
  const std::string_view value = attribute.value();
  if (value == "true") return true;
  if (value == "false") return false;
  throw Malformed{"<" + std::string(LocalName(node)) + "> attribute " + name + "='" + std::string(value) +
                  "' is neither 'true' nor 'false'"};
}

std::string_view TrimXmlSpace(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n";
  const auto first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::string DirectText(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node child : node.children())
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
  return text;
}

bool AppendUtf8(std::string& out, unsigned long cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return true;
}

}  // namespace host::dxl
