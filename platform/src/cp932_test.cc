#include "platform/cp932.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {
namespace {

using namespace std::literals;

std::string Hex(std::string_view bytes) {
  std::string out;
  char digits[4];
  for (unsigned char b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    out += digits;
  }
  return out;
}

// The blocks of Microsoft's code page 932, in the order in which Windows prefers a twin when one
// Unicode character has several codes.
enum class Block { Jis, NecRow13, Ibm, NecSelectedIbm, UserDefined, Unassigned };

Block BlockOf(unsigned lead) {
  if (lead <= 0x84 || (lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA)) return Block::Jis;
  if (lead == 0x87) return Block::NecRow13;
  if (lead == 0xED || lead == 0xEE) return Block::NecSelectedIbm;
  if (lead >= 0xF0 && lead <= 0xF9) return Block::UserDefined;
  if (lead >= 0xFA) return Block::Ibm;
  return Block::Unassigned;
}

struct DoubleByteCode {
  unsigned code;
  char16_t unicode;
};

std::string Bytes(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

std::optional<char16_t> DecodeOne(const std::string& bytes) {
  const std::u16string decoded = Cp932ToUtf16(bytes);
  if (decoded.size() != 1 || decoded[0] == u'\uFFFD') return std::nullopt;
  return decoded[0];
}

std::vector<DoubleByteCode> EveryDoubleByteCode() {
  std::vector<DoubleByteCode> codes;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const unsigned code = lead << 8 | trail;
      if (auto unicode = DecodeOne(Bytes(code))) codes.push_back({code, *unicode});
    }
  }
  return codes;
}

TEST(Cp932Table, EveryBlockHoldsMicrosoftsNumberOfCodes) {
  std::map<Block, int> counts;
  for (const auto& c : EveryDoubleByteCode()) ++counts[BlockOf(c.code >> 8)];
  EXPECT_EQ(counts[Block::Jis], 6879);
  EXPECT_EQ(counts[Block::NecRow13], 83);
  EXPECT_EQ(counts[Block::NecSelectedIbm], 374);
  EXPECT_EQ(counts[Block::Ibm], 388);
  EXPECT_EQ(counts[Block::UserDefined], 1880);
  EXPECT_EQ(counts[Block::Unassigned], 0);
}

TEST(Cp932Table, UserDefinedAreaMapsLinearlyToPrivateUse) {
  int checked = 0;
  for (unsigned lead = 0xF0; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const unsigned index = (lead - 0xF0) * 188 + (trail < 0x7F ? trail - 0x40 : trail - 0x41);
      const std::u16string expected(1, static_cast<char16_t>(0xE000 + index));
      ASSERT_EQ(Cp932ToUtf16(Bytes(lead << 8 | trail)), expected) << Hex(Bytes(lead << 8 | trail));
      ASSERT_EQ(Utf16ToCp932(expected), Bytes(lead << 8 | trail));
      ++checked;
    }
  }
  EXPECT_EQ(checked, 1880);
}

// Each code encodes back to itself, or, when its character has several codes, to the one of the
// most preferred block (JIS rows, then NEC row 13, then IBM, then NEC's copy of IBM).
TEST(Cp932Table, EveryCodeEncodesBackToItselfOrToTheTwinWindowsChooses) {
  const auto codes = EveryDoubleByteCode();
  ASSERT_GT(codes.size(), 9000u);
  std::map<char16_t, unsigned> preferred;
  for (const auto& c : codes) {
    auto [it, fresh] = preferred.try_emplace(c.unicode, c.code);
    if (!fresh && BlockOf(c.code >> 8) < BlockOf(it->second >> 8)) it->second = c.code;
  }
  std::vector<std::string> wrong;
  int twins = 0;
  for (const auto& c : codes) {
    const std::string expected = Bytes(preferred[c.unicode]);
    twins += preferred[c.unicode] != c.code;
    const std::string viaUtf16 = Utf16ToCp932(std::u16string(1, c.unicode));
    const std::string viaUtf8 = Utf8ToCp932(Cp932ToUtf8(Bytes(c.code)));
    if (viaUtf16 != expected || viaUtf8 != expected) {
      wrong.push_back(Hex(Bytes(c.code)) + " -> " + Hex(viaUtf16) + "/" + Hex(viaUtf8) + ", expected " +
                      Hex(expected));
    }
  }
  EXPECT_GT(twins, 390);  // the NEC and IBM duplicates really were among the codes
  EXPECT_TRUE(wrong.empty()) << wrong.size() << " codes, first: " << wrong.front();
}

TEST(Cp932Table, SingleBytesAreAsciiAndHalfWidthKatakana) {
  for (unsigned b = 0; b <= 0xFF; ++b) {
    const std::string byte(1, static_cast<char>(b));
    std::u16string expected;
    if (b <= 0x7F) expected = std::u16string(1, static_cast<char16_t>(b));
    else if (b >= 0xA1 && b <= 0xDF) expected = std::u16string(1, static_cast<char16_t>(0xFF61 + b - 0xA1));
    else expected = u"\uFFFD";  // 0x80, 0xA0, 0xFD-0xFF, and a lead byte with nothing after it
    ASSERT_EQ(Cp932ToUtf16(byte), expected) << Hex(byte);
    if (expected != u"\uFFFD") {
      ASSERT_EQ(Utf16ToCp932(expected), byte) << Hex(byte);
    }
  }
}

TEST(Cp932Convert, SpotValuesBothWays) {
  const struct {
    std::string_view cp932, utf8;
    std::u16string_view utf16;
  } cases[] = {
      {"\x81\x43"sv, "，"sv, u"\uFF0C"sv},
      {"\x87\x40"sv, "①"sv, u"\u2460"sv},
      {"\x81\x60"sv, "～"sv, u"\uFF5E"sv},
      {"\x83\x5C"sv, "ソ"sv, u"\u30BD"sv},
      {"\x95\x5C"sv, "表"sv, u"\u8868"sv},
      {"\x5C\x7E"sv, "\\~"sv, u"\\~"sv},
      {"\xB1\xDF"sv, "ｱﾟ"sv, u"\uFF71\uFF9F"sv},
      {"\x82\xA0\x88\x9F"sv, "あ亜"sv, u"\u3042\u4E9C"sv},
      {"\xF0\x40\xF9\xFC"sv, "\uE000\uE757"sv, u"\uE000\uE757"sv},
      {"a\0b"sv, "a\0b"sv, u"a\0b"sv},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.utf8;
    EXPECT_EQ(Cp932ToUtf16(c.cp932), c.utf16) << c.utf8;
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.utf8;
    EXPECT_EQ(Utf16ToCp932(c.utf16), c.cp932) << c.utf8;
  }
}

TEST(Cp932Convert, DuplicatedCharactersEncodeToTheCodeWindowsChooses) {
  const struct {
    std::u16string unicode;
    const char* cp932;
  } cases[] = {
      {u"\u2170", "\xFA\x40"},  // small roman numeral one: IBM, not NEC's copy 0xEEEF
      {u"\u2160", "\x87\x54"},  // roman numeral one: NEC row 13, not IBM 0xFA4A
      {u"\u2252", "\x81\xE0"},  // approximately equal: JIS row 2, not NEC 0x8790
      {u"\uFFE2", "\x81\xCA"},  // not sign: JIS row 2, not 0xEEF9 or 0xFA54
      {u"\u2235", "\x81\xE6"},  // because: JIS row 2, not 0x879A or 0xFA5B
      {u"\u2116", "\x87\x82"},  // numero: NEC row 13, not 0xFA59
  };
  for (const auto& c : cases) EXPECT_EQ(Hex(Utf16ToCp932(c.unicode)), Hex(c.cp932));
}

TEST(Cp932Convert, CharactersCodePage932CannotHoldBecomeQuestionMarks) {
  const struct {
    std::string utf8;
    std::u16string utf16;
    const char* cp932;
  } cases[] = {
      {"A한B", u"A\uD55CB", "A?B"},
      {"😀x", u"\U0001F600x", "?x"},  // one character, two UTF-16 units: one "?"
      {"ソ€表", u"\u30BD\u20AC\u8868", "\x83\x5C?\x95\x5C"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(Utf8ToCp932(c.utf8)), Hex(c.cp932)) << c.utf8;
    EXPECT_EQ(Hex(Utf16ToCp932(c.utf16)), Hex(c.cp932)) << c.utf8;
  }
}

TEST(Cp932Convert, InvalidInputIsReplacedAndTheRestKept) {
  EXPECT_EQ(Utf8ToCp932("a\xFF" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp932("a\xC0\xAF" "b"), "a??b");  // overlong "/" is no slash
  EXPECT_EQ(Utf16ToCp932(u"a\xD800" "b"), "a?b");  // unpaired surrogate
  EXPECT_EQ(Utf16ToCp932(u"a\xDC00"), "a?");

  EXPECT_EQ(Cp932ToUtf16("a\x80" "b"), u"a\uFFFD" "b");
  EXPECT_EQ(Cp932ToUtf16("a\x81"), u"a\uFFFD");        // lead byte at the end
  EXPECT_EQ(Cp932ToUtf16("\x81 a"), u"\uFFFD a");      // lead byte before a non-trail byte
  EXPECT_EQ(Cp932ToUtf16("\x85\x40" "a"), u"\uFFFD" "a");  // unassigned code: one character
  EXPECT_EQ(Cp932ToUtf8("\xFF" "a"), "\uFFFD" "a");
}

TEST(Cp932Convert, LongTextCrossesConversionChunks) {
  std::string cp932;
  std::string utf8;
  for (int i = 0; i < 5000; ++i) {
    cp932 += "\x83\x5C" "a";
    utf8 += "ソa";
  }
  cp932 += "\x80";
  ASSERT_GT(utf8.size(), 4096u * 4);
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8 + "\uFFFD");
  EXPECT_EQ(Utf8ToCp932(utf8 + "한"), cp932.substr(0, cp932.size() - 1) + "?");
}

TEST(Cp932Bytes, LeadBytes) {
  int leads = 0;
  for (unsigned b = 0; b <= 0xFF; ++b) leads += IsLeadByte(static_cast<unsigned char>(b));
  EXPECT_EQ(leads, 31 + 29);
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_FALSE(IsLeadByte(0xA0));
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_FALSE(IsLeadByte(0xFD));
  EXPECT_FALSE(IsLeadByte('\\'));
}

constexpr auto npos = std::string_view::npos;
#define SO "\x83\x5C"    // ソ
#define HYO "\x95\x5C"   // 表
#define JI "\x8E\xA6"    // 示
#define A_KANA "\x83\x41"  // ア, whose trail byte is "A"

TEST(Cp932Search, NeverMatchesAtATrailByte) {
  const struct {
    std::string_view text, needle;
    std::size_t from, expected;
  } cases[] = {
      {SO, "\\", 0, npos},
      {HYO JI, "\\", 0, npos},
      {SO "\\", "\\", 0, 2},
      {"C:\\" HYO JI "\\" SO, "\\", 3, 7},
      {SO "A", "\\A", 0, npos},
      {A_KANA, "A", 0, npos},
      {A_KANA "A", "A", 0, 2},
      {SO SO, SO, 1, 2},       // `from` on a trail byte moves on to the next character
      {SO, "\x83", 0, npos},   // a lone lead byte never takes half a character
      {"ab" SO, SO, 0, 2},
      {"abc", "bc", 0, 1},
      {"abc", "abcd", 0, npos},
      {SO, "", 1, 2},
      {"ab", "", 2, 2},
      {"ab", "", 3, npos},
      {"", "", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp932Find(c.text, c.needle, c.from), c.expected) << Hex(c.text) << " / " << Hex(c.needle);
  }
  EXPECT_FALSE(Cp932Contains(SO HYO, "\\"));
  EXPECT_TRUE(Cp932Contains(SO HYO "\\", "\\"));
  EXPECT_TRUE(Cp932Contains(SO HYO, HYO));
}

TEST(Cp932Search, ReplaceAllKeepsDoubleByteCharactersWhole) {
  const struct {
    std::string_view text, from, to, expected;
  } cases[] = {
      {"C:\\" HYO JI "\\" SO "\\a.txt", "\\", "/", "C:/" HYO JI "/" SO "/a.txt"},
      {SO HYO, "\\", "/", SO HYO},
      {A_KANA "A" A_KANA, "A", "B", A_KANA "B" A_KANA},
      {"aaa", "aa", "b", "ba"},
      {"aa", "a", "aa", "aaaa"},
      {"a,b,,c", ",", "", "abc"},
      {"abc", "", "x", "abc"},
      {"", "a", "b", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(Cp932ReplaceAll(c.text, c.from, c.to)), Hex(c.expected)) << Hex(c.text);
  }
}

class Cp932Locale : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(Cp932Locale, UnicodeLocalesAndThePlainCLocaleSpeakUtf8) {
  for (const char* locale : {"C.UTF-8", "C", "POSIX", ""}) {
    setenv("LC_ALL", locale, 1);
    EXPECT_EQ(Cp932ToLocale(SO HYO "?"), "ソ表?") << locale;
    EXPECT_EQ(LocaleToCp932("ソ表한"), SO HYO "?") << locale;
  }
}

}  // namespace
}  // namespace platform
