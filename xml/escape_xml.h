// Text made safe for XML element content and attribute values. Platform text in and out.
#pragma once

#include <string>
#include <string_view>

// Replaces every "&" by "&amp;", then every "<" by "&lt;", ">" by "&gt;", "\"" by "&quot;" and "'"
// by "&apos;"; an entity already in the text has its ampersand escaped again. A control character
// that XML 1.0 cannot hold (below 0x20, other than tab, line feed and carriage return) becomes
// "?". None of these characters is ever the second byte of a double-byte character, so the rule
// works on whole characters of code page 932.
std::string EscapeXML(std::string_view platformText);
