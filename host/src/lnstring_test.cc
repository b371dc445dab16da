#include "host/lnstring.h"

#include <gtest/gtest.h>

#include "host/notes.h"
#include "platform/cp932.h"

namespace {

LNString U(const char* utf8) { return LNString(utf8, static_cast<LNINT>(std::char_traits<char>::length(utf8))); }
std::string Host(const LNString& s) { return s.GetTextPtr(); }

class ThrowingOff : public ::testing::Test {
 protected:
  void TearDown() override { LNSetThrowAllErrorsGlobal(FALSE); }
};

TEST(LNString, PositionsCountCharactersNotBytes) {
  const LNString s = U("表示ソ.csv");
  ASSERT_EQ(std::string(s.GetTextPtr()).size(), 13u);
  EXPECT_EQ(s.GetLength(), 7);
  LNINT at = -1;
  ASSERT_EQ(s.FindChar('.', 0, &at), 0u);
  EXPECT_EQ(at, 3);
  EXPECT_EQ(Host(s.GetSubString(1, 2)), "示ソ");
}

TEST(LNString, PlatformTextIsCodePage932BothWays) {
  const std::string cp932 = platform::Utf8ToCp932("表\\ソ");
  ASSERT_EQ(cp932.size(), 5u);  // two double-byte characters around a backslash
  const LNString s(cp932.c_str());
  EXPECT_EQ(Host(s), "表\\ソ");
  EXPECT_EQ(std::string(s.GetPlatformTextPtr()), cp932);
  // A character code page 932 cannot hold becomes "?" in platform text only.
  EXPECT_STREQ(U("a\xF0\x9F\x98\x80" "b").GetPlatformTextPtr(), "a?b");
}

TEST(LNString, HostBytesWithALengthStopAtTheLengthAndRepairBadSequences) {
  const char bytes[] = {'a', '\xE8', 'b', 'c', 'd'};
  const LNString s(bytes, 4);  // "a", a broken lead byte, "b", "c"
  EXPECT_EQ(Host(s), "a\xEF\xBF\xBD" "bc");
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_TRUE(LNString(nullptr, 3).IsNull());

  const struct {
    std::string bytes;
    std::string host;
  } cases[] = {
      {"\xFF" "ab", "\uFFFD" "ab"},                       // at the start
      {"ab\xE3\x81", "ab\uFFFD\uFFFD"},                 // a sequence cut at the end: each byte
      {"\xC0\xAF表", "\uFFFD\uFFFD表"},                  // overlong, then a good character
      {"ソ\xED\xA0\x80x", "ソ\uFFFD\uFFFD\uFFFDx"},     // an encoded surrogate
      {"受注番号 J-001", "受注番号 J-001"},                  // valid throughout
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Host(LNString(c.bytes.data(), static_cast<LNINT>(c.bytes.size()))), c.host) << c.bytes;
  }
}

TEST_F(ThrowingOff, FindReportsAMissingTextByTheNotFoundResultEvenInThrowingMode) {
  const LNString s = U("a/b/c");
  for (LNBOOL mode : {FALSE, TRUE}) {
    LNSetThrowAllErrorsGlobal(mode);
    LNINT at = 99;
    EXPECT_EQ(s.Find(U("/"), 2, &at), 0u);
    EXPECT_EQ(at, 3);
    EXPECT_EQ(s.Find(U("x"), 0, &at), host::kNotFound);
    EXPECT_EQ(s.Find(U("/"), 4, &at), host::kNotFound);
    EXPECT_EQ(s.Find(U("/"), 50, &at), host::kNotFound);
    EXPECT_EQ(s.Find(LNString(), 0, &at), host::kNotFound);  // never found, so a search moves on
    EXPECT_EQ(s.FindChar('.', 0, &at), host::kNotFound);
    EXPECT_EQ(at, 3);
  }
}

TEST(LNString, EditsWorkOnCharacters) {
  struct Case {
    const char* name;
    std::function<LNSTATUS(LNString&)> edit;
    const char* expected;
  } cases[] = {
      {"replace in place", [](LNString& s) { return s.Replace(1, 1, U("\\")); }, "表\\示ソ"},
      {"replace past the end", [](LNString& s) { return s.Replace(3, 1, U("XY")); }, "表/示XY"},
      {"delete", [](LNString& s) { return s.Delete(1, 2); }, "表ソ"},
      {"delete beyond the end", [](LNString& s) { return s.Delete(2, 9); }, "表/"},
      {"insert", [](LNString& s) { return s.Insert(1, U("ab")); }, "表ab/示ソ"},
      {"insert at the end", [](LNString& s) { return s.Insert(4, U(".csv")); }, "表/示ソ.csv"},
      {"append", [](LNString& s) { return s.Append(U("!")); }, "表/示ソ!"},
  };
  for (const Case& c : cases) {
    LNString s = U("表/示ソ");
    EXPECT_EQ(c.edit(s), 0u) << c.name;
    EXPECT_EQ(Host(s), c.expected) << c.name;
  }
}

TEST(LNString, EditsOutsideTheTextFailAndChangeNothing) {
  LNString s = U("abc");
  EXPECT_EQ(s.Insert(4, U("x")), host::kErrInvalidArgument);
  EXPECT_EQ(s.Delete(-1, 1), host::kErrInvalidArgument);
  EXPECT_EQ(s.Replace(5, 1, U("x")), host::kErrInvalidArgument);
  EXPECT_EQ(Host(s), "abc");
  EXPECT_TRUE(s.GetSubString(7, 2).IsNull());
}

TEST(LNString, PlatformTextFollowsEveryChange) {
  LNString s = U("ab");
  ASSERT_STREQ(s.GetPlatformTextPtr(), "ab");
  s.Insert(1, U("表"));
  EXPECT_EQ(std::string(s.GetPlatformTextPtr()), platform::Utf8ToCp932("a表b"));
}

TEST(LNString, ParseSplitsAtAnySeparatorAndDropsEmptyPieces) {
  LNText pieces;
  ASSERT_EQ(U("C:\\\\dir\\表.txt\\").Parse(U("\\"), &pieces), 0u);
  ASSERT_EQ(pieces.GetCount(), 3);
  EXPECT_EQ(Host(pieces[0]), "C:");
  EXPECT_EQ(Host(pieces[2]), "表.txt");
  ASSERT_EQ(U("").Parse(U("\\"), &pieces), 0u);
  EXPECT_EQ(pieces.GetCount(), 0);
}

TEST(LNString, CompareOrdersByCharacterCode) {
  EXPECT_EQ(LNStringCompare(U("abc"), U("abc"), 0), 0);
  EXPECT_LT(LNStringCompare(U("ab"), U("abc"), 0), 0);
  EXPECT_GT(LNStringCompare(U("b"), U("abc"), 0), 0);
  EXPECT_LT(LNStringCompare(U("Z"), U("a"), 0), 0);
  EXPECT_NE(LNStringCompare(U("ABC"), U("abc"), 0), 0);
  EXPECT_EQ(LNStringCompare(U("ABC"), U("abc"), LNSTRINGCOMPAREFLAGS_CASE_INSENSITIVE), 0);
}

}  // namespace
