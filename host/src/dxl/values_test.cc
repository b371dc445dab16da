#include "dxl/values.h"

#include <gtest/gtest.h>

#include "dxl/test_xml.h"
#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

using namespace model;

Item Read(const std::string& xml) {
  ParsedXml parsed(xml);
  return ReadItem(parsed.Root());
}

TEST(ReadItem, ReadsEachValueElement) {
  const std::int32_t day = DaysFromCivil(2026, 12, 10);
  const DateTime morning{day, ((8 * 60 + 45) * 60 + 52) * 100, 540, false};
  struct Case {
    const char* xml;
    Value expected;
  };
  const Case cases[] = {
      {"<item name='a'><text>社員名簿</text></item>", Text{{"社員名簿"}}},
      {"<item name='a'><text/></item>", Text{{""}}},
      {"<item name='a'><text>  </text></item>", Text{{"  "}}},
      {"<item name='a'><text>一行目<break/>二行目\n三行目</text></item>", Text{{"一行目\n二行目\n三行目"}}},
      {"<item name='a'><text> <break/> x <break/></text></item>", Text{{" \n x \n"}}},
      {"<item name='a'><text>a<nonxmlchar value='1'/>b<nonxmlchar value='FF5E'/></text></item>",
       Text{{"a\x01" "b～"}}},
      {"<item name='a'><text>&lt;&amp;&gt;&quot;&apos;<![CDATA[<x>]]></text></item>", Text{{"<&>\"'<x>"}}},
      {"<item name='a'>\n\t<textlist><text>ソ</text>\n<text/><text>表</text></textlist>\n</item>",
       Text{{"ソ", "", "表"}}},
      {"<item name='a'><textlist/></item>", Text{}},
      {"<item name='a'><number>-12.5</number></item>", Numbers{{-12.5}, {}}},
      {"<item name='a'><numberlist><number>+1</number><number>\n.5</number><number>1.5E-3</number>"
       "<number>2e3</number></numberlist></item>",
       Numbers{{1, 0.5, 0.0015, 2000}, {}}},
      {"<item name='a'><datetime>20261210T084552,00+09</datetime></item>", DateTimes{{morning}, {}}},
      {"<item name='a'><datetimelist><datetimepair><datetime>20261210</datetime><datetime>20261211</datetime>"
       "</datetimepair><datetime>20261210T084552,00+09</datetime></datetimelist></item>",
       DateTimes{{morning},
                 {{DateTime{day, DateTime::kNoTime, 0, false}, DateTime{day + 1, DateTime::kNoTime, 0, false}}}}},
      {"<item name='a'><datetimelist><datetime/></datetimelist></item>", DateTimes{{DateTime{}}, {}}},
      {"<item name='a'><rawitemdata type='502'>AAAA</rawitemdata></item>", Unsupported{"rawitemdata", 0x502}},
      {"<item name='a'><formula>@Now</formula></item>", Unsupported{"formula", 0}},
      {"<item name='$FILE'><object><file name='a.txt'/></object></item>", Unsupported{"object", 3}},  // an attachment's type
      {"<item name='a'><richtext><par>本文</par></richtext></item>",
       RichText{{TextObject("本文")}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(Read(c.xml).value, c.expected);
  }
}

TEST(ReadItem, KeepsFlagsWithTheirDefaults) {
  struct Case {
    const char* xml;
    std::uint16_t flags;
  };
  const Case cases[] = {
      {"<item name='a'><text>x</text></item>", kSummary},
      {"<item name='a' summary='false'><text>x</text></item>", 0},
      {"<item name='a'><richtext/></item>", 0},
      {"<item name='a' summary='true'><richtext/></item>", kSummary},
      {"<item name='a' summary='false' names='true' readers='true' authors='true' protected='true'><text>x</text></item>",
       kNames | kReaders | kAuthors | kProtected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(Read(c.xml).flags, c.flags);
  }
  EXPECT_EQ(Read("<item name='顧客名'><text>x</text></item>").name, "顧客名");
}

TEST(ReadItem, RejectsMalformedValues) {
  for (const char* xml : {"<item><text>x</text></item>", "<item name='a'/>", "<item name='a'>  </item>",
                          "<item name='a'><number>abc</number></item>", "<item name='a'><number>1.5x</number></item>",
                          "<item name='a'><number>inf</number></item>", "<item name='a'><number></number></item>",
                          "<item name='a'><number>--1</number></item>",
                          "<item name='a'><datetime>2026-12-10</datetime></item>",
                          "<item name='a'><datetime dst='yes'>20261210</datetime></item>",
                          "<item name='a'><datetimelist><datetimepair><datetime>20261210</datetime></datetimepair>"
                          "</datetimelist></item>",
                          "<item name='a'><text><nonxmlchar value='D800'/></text></item>",
                          "<item name='a'><text><nonxmlchar value='zz'/></text></item>",
                          "<item name='a'><rawitemdata type='x'/></item>",
                          "<item name='a' summary='1'><text>x</text></item>"}) {
    SCOPED_TRACE(xml);
    EXPECT_THROW(Read(xml), Malformed);
  }
}

}  // namespace
}  // namespace host::dxl
