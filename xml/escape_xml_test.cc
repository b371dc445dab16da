#include "xml/escape_xml.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

namespace {

struct EscapeCase {
  const char* utf8;
  const char* expected;  // UTF-8
};

TEST(EscapeXML, ReplacesTheFiveCharactersAndForbiddenControlsOnWholeCharacters) {
  const EscapeCase cases[] = {
      {"A&B<C>D\"E'F", "A&amp;B&lt;C&gt;D&quot;E&apos;F"},
      {"&amp; &lt;", "&amp;amp; &amp;lt;"},  // an entity text is escaped again
      {"", ""},
      {"tab\tlf\ncr\r", "tab\tlf\ncr&#13;"},
      {"crlf\r\n", "crlf&#13;\n"},
      {"\x01nul\x08\x0B\x0C\x1F|", "?nul????|"},
      {"表ソ能＜＆", "表ソ能＜＆"},  // second bytes 0x5C, 0x5C, 0x5C; full-width signs are not XML's
      {"申込&表<", "申込&amp;表&lt;"},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(EscapeXML(platform::Utf8ToCp932(c.utf8)), platform::Utf8ToCp932(c.expected));
  }
}

TEST(EscapeXMLAttribute, AlsoWritesTabsAndLineBreaksAsReferences) {
  EXPECT_EQ(EscapeXMLAttribute("a\tb\nc\r\nd&\"'"), "a&#9;b&#10;c&#13;&#10;d&amp;&quot;&apos;");
  EXPECT_EQ(EscapeXMLAttribute("𠮷<é>"), "𠮷&lt;é&gt;") << "UTF-8 passes whole";
}

TEST(EscapeXML, LeavesEverySecondByteOfADoubleByteCharacterAlone) {
  // Every trail byte that is also an ASCII character: 0x40-0x7E.
  std::string text;
  for (int trail = 0x40; trail <= 0x7E; ++trail) {
    text += '\x89';
    text += static_cast<char>(trail);
  }
  ASSERT_EQ(platform::Cp932ToUtf8(text).find('\xEF'), std::string::npos) << "every pair is a character";
  EXPECT_EQ(EscapeXML(text), text);
}

}  // namespace
