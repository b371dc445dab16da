#include "xml/escape_xml.h"

namespace {

// Code page 932 trail bytes are 0x40 and above, so every byte below is a character of its own.
bool IsForbiddenControl(unsigned char byte) { return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r'; }

}  // namespace

std::string EscapeXML(std::string_view platformText) {
  std::string escaped;
  escaped.reserve(platformText.size());
  for (const char c : platformText) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        escaped += IsForbiddenControl(static_cast<unsigned char>(c)) ? '?' : c;
        break;
    }
  }
  return escaped;
}
