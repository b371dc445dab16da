#include "text_util.h"

#include <algorithm>

namespace host::formula {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

std::size_t CharCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

std::size_t ByteOffset(std::string_view text, std::size_t index) {
  std::size_t at = 0;
  for (std::size_t n = 0; n < index && at < text.size(); ++n) {
    ++at;
    while (at < text.size() && IsContinuation(text[at])) ++at;
  }
  return at;
}

std::string_view CharSlice(std::string_view text, std::size_t first, std::size_t count) {
  const std::size_t begin = ByteOffset(text, first);
  const std::string_view rest = text.substr(begin);
  return rest.substr(0, ByteOffset(rest, count));
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Upper(c);
  return out;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(Lower(a[i]));
    const unsigned char y = static_cast<unsigned char>(Lower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CollateWithCase(std::string_view a, std::string_view b) {
  if (const int order = CompareIgnoringCase(a, b)) return order;
  const int raw = a.compare(b);
  return raw < 0 ? 1 : raw > 0 ? -1 : 0;
}

std::string Utf8Char(unsigned long code) {
  std::string out;
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

}  // namespace host::formula
