#include "xml/escape_xml.h"

namespace {

// Bytes below 0x40 are never part of a multibyte character, so each is a character of its own.
bool IsForbiddenControl(unsigned char byte) { return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r'; }

std::string Escape(std::string_view text, bool attribute) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
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
      case '\r':
        escaped += "&#13;";
        break;
      case '\t':
        escaped += attribute ? "&#9;" : "\t";
        break;
      case '\n':
        escaped += attribute ? "&#10;" : "\n";
        break;
      default:
        escaped += IsForbiddenControl(static_cast<unsigned char>(c)) ? '?' : c;
        break;
    }
  }
  return escaped;
}

}  // namespace

std::string EscapeXML(std::string_view text) { return Escape(text, false); }

std::string EscapeXMLAttribute(std::string_view text) { return Escape(text, true); }
