#include "text_util.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

namespace host::formula {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The platform's Unicode character classes and case mapping; null where the system has none, and
// letters beyond ASCII then keep their case.
locale_t UnicodeLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

// The code point at `at`, which moves past it; a byte that starts no valid sequence stands for
// itself (as a code point above the Unicode range, so that no case applies to it).
char32_t Decode(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + static_cast<std::size_t>(length) > text.size()) return 0x110000u + text[at++];
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if (!IsContinuation(text[at + static_cast<std::size_t>(i)])) return 0x110000u + text[at++];
    code = code << 6 | (static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]) & 0x3F);
  }
  at += static_cast<std::size_t>(length);
  return code;
}

void Append(std::string& out, char32_t code) {
  if (code >= 0x110000u) out += static_cast<char>(code - 0x110000u);
  else out += Utf8Char(code);
}

enum class Case { Upper, Lower };

char32_t MapCase(char32_t code, Case to) {
  if (code < 0x80) return static_cast<char32_t>(to == Case::Upper ? Upper(static_cast<char>(code)) : Lower(static_cast<char>(code)));
  if (code >= 0x110000u || !UnicodeLocale()) return code;
  const auto wide = static_cast<wint_t>(code);
  return static_cast<char32_t>(to == Case::Upper ? towupper_l(wide, UnicodeLocale()) : towlower_l(wide, UnicodeLocale()));
}

bool IsLetter(char32_t code) {
  if (code < 0x80) return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
  return code < 0x110000u && UnicodeLocale() && iswalpha_l(static_cast<wint_t>(code), UnicodeLocale());
}

std::string MapText(std::string_view text, Case to) {
  if (IsAscii(text)) return to == Case::Upper ? AsciiUpper(text) : AsciiLower(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) Append(out, MapCase(Decode(text, at), to));
  return out;
}

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

std::string UpperCase(std::string_view text) { return MapText(text, Case::Upper); }
std::string LowerCase(std::string_view text) { return MapText(text, Case::Lower); }

std::string ProperCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool wordStart = true;
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = Decode(text, at);
    const bool letter = IsLetter(code);
    Append(out, MapCase(code, letter && wordStart ? Case::Upper : Case::Lower));
    const bool digit = code >= '0' && code <= '9';
    wordStart = !letter && !digit && code != '\'';
  }
  return out;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  if (!IsAscii(a) || !IsAscii(b)) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
      const char32_t x = MapCase(Decode(a, i), Case::Lower);
      const char32_t y = MapCase(Decode(b, j), Case::Lower);
      if (x != y) return x < y ? -1 : 1;
    }
    return i == a.size() && j == b.size() ? 0 : i == a.size() ? -1 : 1;
  }
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
