#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/cp932.h"

namespace platform {
namespace {

std::string Utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | c >> 6);
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | c >> 12);
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | c >> 18);
    s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// The C library's own conversion of `utf8`, which must hold only characters code page 932 has
// or none at all: "" when it refuses the text.
std::string ViaIconv(iconv_t descriptor, std::string utf8) {
  char out[16];
  char* in = utf8.data();
  char* outPointer = out;
  std::size_t inLeft = utf8.size(), outLeft = sizeof out;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
  if (iconv(descriptor, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) return "";
  return std::string(out, outPointer);
}

// The table must give, for every character, what the C library's converter gives.
TEST(Cp932Encoder, EveryCharacterEncodesAsTheCLibraryEncodesIt) {
  const iconv_t descriptor = iconv_open("CP932", "UTF-8");
  ASSERT_NE(descriptor, reinterpret_cast<iconv_t>(-1));
  int mapped = 0;
  std::string wrong;
  for (char32_t c = 0x80; c < 0x110000; c += c < 0x10000 ? 1 : 0x3FF) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string expected = ViaIconv(descriptor, Utf8Of(c));
    mapped += !expected.empty();
    // Between two ASCII letters, so that the character is converted in context.
    const std::string got = Utf8ToCp932("a" + Utf8Of(c) + "b");
    if (got != "a" + (expected.empty() ? "?" : expected) + "b" && wrong.empty()) {
      wrong = "U+" + std::to_string(static_cast<unsigned>(c));
    }
  }
  iconv_close(descriptor);
  EXPECT_GT(mapped, 7000);  // the comparison really covered the kanji, kana and symbols
  EXPECT_EQ(wrong, "") << "first differing character";
}

// Each byte that starts no valid sequence is one "?"; a valid sequence is one character.
TEST(Cp932Encoder, InvalidUtf8BecomesOneQuestionMarkPerByte) {
  const struct {
    const char* utf8;
    const char* cp932;
  } cases[] = {
      {"\x80", "?"},                              // continuation byte alone
      {"\xC2", "?"},                              // two-byte sequence cut at the end
      {"\xE3\x81", "??"},                         // three-byte sequence cut at the end
      {"\xE3\x81" "a", "??a"},                    // cut before an ASCII byte
      {"\xE0\x80\xAF", "???"},                    // overlong
      {"\xED\xA0\x80", "???"},                    // encoded surrogate
      {"\xF4\x90\x80\x80", "????"},               // beyond U+10FFFF
      {"\xF5\x80\x80\x80", "????"},               // no such lead byte
      {"\xFE\xFF", "??"},                         // never in UTF-8
      {"\xF0\x9F\x98\x80\xE3\x81\x82", "?\x82\xA0"},  // a character without a code, then one with
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << testing::PrintToString(std::string(c.utf8));
}

// For an XML file: a character without a code is its character reference, everything else as
// Utf8ToCp932 gives it.
TEST(Cp932Encoder, ForXmlACharacterWithoutACodeIsItsReference) {
  const struct {
    const char* utf8;
    const char* cp932;
  } cases[] = {
      {"", ""},
      {"<a b=\"c\">\n", "<a b=\"c\">\n"},
      {"𠮷野", "&#x20BB7;\x96\xEC"},
      {"é ñ ö", "&#xE9; &#xF1; &#xF6;"},
      {"😀", "&#x1F600;"},
      {"\xE3\x81" "a\xC2", "??a?"},                          // invalid bytes stay "?"
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp932ForXml(c.utf8), c.cp932) << c.utf8;
  const std::string text = "受注 J-2026-001「株式会社ソ表商事」①㈱Ⅹ髙";  // the NEC and IBM rows have codes
  EXPECT_EQ(Utf8ToCp932ForXml(text), Utf8ToCp932(text));
  EXPECT_EQ(Utf8ToCp932(text).find('?'), std::string::npos);
}

}  // namespace
}  // namespace platform
