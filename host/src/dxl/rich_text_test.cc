#include "dxl/rich_text.h"

#include <gtest/gtest.h>

#include "dxl/test_xml.h"
#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

using namespace model;

RichText Read(const std::string& xml) {
  ParsedXml parsed(xml);
  return ReadRichText(parsed.Root());
}

std::string AllText(const RichText& richText) {
  std::string text;
  for (const RTElement& element : richText.elements)
    if (element.type == RTType::Text) text += element.text;
  return text;
}

TEST(ReadRichText, ParagraphsAndBreaksKeepTheLines) {
  struct Case {
    const char* xml;
    const char* text;
  };
  const Case cases[] = {
      {"<richtext><par>一行目</par><par>二行目<break/>三行目</par></richtext>", "一行目\n二行目\n三行目"},
      {"<richtext><par/><par>Normal: </par></richtext>", "\nNormal: "},
      {"<richtext>\n  <par def='1'>\n    <run><font size='9pt'/>太字</run>\n    <run> と普通</run>\n  </par>\n"
       "  <par def='1'>\n  </par>\n</richtext>",
       "太字 と普通\n"},
      {"<richtext><par>a <run>b</run> c</par></richtext>", "a b c"},
      {"<richtext><par><run>a</run> <run>b</run>\t<break/> <run>c</run></par></richtext>", "a b\t\n c"},
      {"<richtext><table><tablerow><tablecell><par>セル1</par></tablecell><tablecell><par>セル2</par>"
       "</tablecell></tablerow></table><section><sectiontitle>見出し</sectiontitle><par>節</par></section></richtext>",
       "セル1\nセル2\n節"},
      {"<richtext><par>x<compositedata type='98'>Yg4BAIQAAAAAAAAAAAA=</compositedata>"
       "<picture><gif>R0lGOD</gif></picture></par></richtext>",
       "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xml);
    EXPECT_EQ(AllText(Read(c.xml)), c.text);
  }
}

TEST(ReadRichText, WalksObjectsInDocumentOrder) {
  const RichText richText = Read(
      "<richtext><par>添付: <attachmentref name='ATT1' displayname='報告書.txt'><picture/></attachmentref>"
      "<attachmentref name='memo.txt'/></par>"
      "<table><tablerow><tablecell><par><run><field name='合計' kind='computedfordisplay' type='number' "
      "description='税込'><code event='defaultvalue'><formula>数量 * 単価</formula></code></field></run></par>"
      "</tablecell></tablerow></table>"
      "<par><field name='氏名' type='text'><code event='defaultvalue'><formula>@UserName</formula></code></field>"
      "<subformref name='共通フッター'/></par></richtext>");
  ASSERT_EQ(richText.elements.size(), 8u);
  const auto& e = richText.elements;
  EXPECT_EQ(e[0].type, RTType::Text);
  EXPECT_EQ(e[0].text, "添付: ");
  EXPECT_EQ(e[1].type, RTType::Attachment);
  EXPECT_EQ(e[1].attachmentName, "ATT1");
  EXPECT_EQ(e[1].fileName, "報告書.txt");
  EXPECT_EQ(e[2].attachmentName, "memo.txt");
  EXPECT_EQ(e[2].fileName, "memo.txt");  // no displayname: the name
  EXPECT_EQ(e[3].type, RTType::Text);
  EXPECT_EQ(e[3].text, "\n");
  EXPECT_EQ(e[4].type, RTType::FormField);
  EXPECT_EQ(e[4].fieldName, "合計");
  EXPECT_EQ(e[4].computeOption, ComputeOption::ComputedForDisplay);
  EXPECT_EQ(e[4].fieldType, "number");
  EXPECT_EQ(e[4].description, "税込");
  EXPECT_EQ(e[4].valueFormula, "数量 * 単価");
  EXPECT_EQ(e[5].text, "\n");  // the third paragraph begins
  EXPECT_EQ(e[6].computeOption, ComputeOption::Editable);
  EXPECT_EQ(e[6].valueFormula, "");  // only computed kinds have a value formula
  EXPECT_EQ(e[7].type, RTType::SubformRef);
  EXPECT_EQ(e[7].subformName, "共通フッター");
}

TEST(ReadRichText, FieldKinds) {
  const std::pair<const char*, ComputeOption> cases[] = {
      {"editable", ComputeOption::Editable},
      {"computed", ComputeOption::Computed},
      {"computedfordisplay", ComputeOption::ComputedForDisplay},
      {"computedwhencomposed", ComputeOption::ComputedWhenComposed},
  };
  for (const auto& [kind, option] : cases) {
    SCOPED_TRACE(kind);
    const RichText richText = Read(std::string("<richtext><field name='f' kind='") + kind + "'/></richtext>");
    ASSERT_EQ(richText.elements.size(), 1u);
    EXPECT_EQ(richText.elements[0].computeOption, option);
  }
  EXPECT_THROW(Read("<richtext><field name='f' kind='sometimes'/></richtext>"), Malformed);
}

}  // namespace
}  // namespace host::dxl
