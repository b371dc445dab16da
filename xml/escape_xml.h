// Text made safe for XML element content and attribute values. Code page 932 or UTF-8 in and out:
// none of the characters replaced is ever a byte of a multibyte character in either.
#pragma once

#include <string>
#include <string_view>

// Replaces every "&" by "&amp;", then every "<" by "&lt;", ">" by "&gt;", "\"" by "&quot;" and "'"
// by "&apos;"; an entity already in the text has its ampersand escaped again. A carriage return
// becomes "&#13;", so that a reader gets it back as it is (a reader turns a carriage return in the
// file, with the line feed after it, into one line feed; and the file's text mode writes a line feed
// as CR LF). A control character that XML 1.0 cannot hold (below 0x20, other than tab, line feed
// and carriage return) becomes "?".
std::string EscapeXML(std::string_view text);

// EscapeXML for an attribute value, which also writes tabs and line feeds as references: a reader
// turns them into blanks where they stand in an attribute as they are.
std::string EscapeXMLAttribute(std::string_view text);
