#include "dxl/design.h"

#include <gtest/gtest.h>

#include "dxl/test_xml.h"
#include "dxl/xml_access.h"

namespace host::dxl {
namespace {

using namespace model;

ViewDesign ReadView(const std::string& xml, bool isFolder = false) {
  ParsedXml parsed(xml);
  return ReadViewDesign(parsed.Root(), isFolder);
}

Column ReadOneColumn(const std::string& columnXml) {
  const ViewDesign view = ReadView("<view name='v'>" + columnXml + "</view>");
  EXPECT_EQ(view.columns.size(), 1u);
  return view.columns.empty() ? Column{} : view.columns[0];
}

TEST(ReadViewDesign, NameAliasesAndSelection) {
  const ViewDesign view = ReadView(
      "<view name='受注一覧' alias='Orders|受注'><code event='selection'><formula>SELECT Form = \"受注\"</formula>"
      "</code></view>");
  EXPECT_EQ(view.name, "受注一覧");
  EXPECT_EQ(view.aliases, (std::vector<std::string>{"Orders", "受注"}));
  EXPECT_EQ(view.selectionFormula, "SELECT Form = \"受注\"");
  EXPECT_EQ(ReadView("<view name='v'/>").selectionFormula, "SELECT @All");
  EXPECT_EQ(ReadView("<folder name='f'/>", true).selectionFormula, "");
}

TEST(ReadViewDesign, ColumnAttributes) {
  const Column plain = ReadOneColumn("<column itemname='顧客名'/>");
  EXPECT_FALSE(plain.title.has_value());
  EXPECT_EQ(plain.formula, "顧客名");  // without a formula, the item name
  EXPECT_FALSE(plain.hidden || plain.showAsIcons || plain.categorized);
  EXPECT_EQ(plain.sort, SortOrder::None);
  EXPECT_EQ(plain.separator, kSepComma);
  EXPECT_EQ(plain.width, 10);

  const Column full = ReadOneColumn(
      "<column itemname='$3' hidden='true' showasicons='true' sort='descending' listseparator='semicolon' width='2.5'>"
      "<columnheader title='金額'><font size='9pt'/></columnheader>"
      "<code event='value'><formula>数量 * 単価</formula></code></column>");
  EXPECT_EQ(full.title, "金額");
  EXPECT_EQ(full.itemName, "$3");
  EXPECT_EQ(full.formula, "数量 * 単価");
  EXPECT_TRUE(full.hidden);
  EXPECT_TRUE(full.showAsIcons);
  EXPECT_EQ(full.sort, SortOrder::Descending);
  EXPECT_EQ(full.separator, kSepSemicolon);
  EXPECT_EQ(full.width, 2.5);
  EXPECT_EQ(ReadOneColumn("<column itemname='a' width='wide'/>").width, 10) << "a bad width keeps the default";
  EXPECT_EQ(ReadOneColumn("<column itemname='a'><columnheader/></column>").title, std::nullopt);
}

TEST(ReadViewDesign, SortAndSeparatorValues) {
  const std::tuple<const char*, SortOrder> sorts[] = {
      {"sort='ascending'", SortOrder::Ascending},
      {"sort='none'", SortOrder::None},
      {"categorized='true'", SortOrder::Ascending},
      {"categorized='true' sort='descending'", SortOrder::Descending},
  };
  for (const auto& [attributes, sort] : sorts) {
    SCOPED_TRACE(attributes);
    EXPECT_EQ(ReadOneColumn(std::string("<column itemname='a' ") + attributes + "/>").sort, sort);
  }
  const std::tuple<const char*, std::uint32_t> separators[] = {
      {"space", kSepSpace}, {"comma", kSepComma}, {"semicolon", kSepSemicolon},
      {"newline", kSepNewLine}, {"none", kSepNone},
  };
  for (const auto& [name, code] : separators) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadOneColumn(std::string("<column itemname='a' listseparator='") + name + "'/>").separator, code);
  }
}

TEST(ReadViewDesign, NumberAndDatetimeFormats) {
  const Column column = ReadOneColumn(
      "<column itemname='a'><numberformat format='currency' digits='2' punctuated='true' parens='true' "
      "percent='true'/><datetimeformat show='date' date='monthday' time='hourminute' zone='always' "
      "fourdigityear='true' timeformat24='true'/></column>");
  EXPECT_EQ(column.numberFormat, (NumberFormat{NumberFormat::Style::Currency, 2, true, true, true}));
  EXPECT_EQ(column.datetimeFormat,
            (DatetimeFormat{DatetimeFormat::Show::Date, DatetimeFormat::DateParts::MonthDay,
                            DatetimeFormat::TimeParts::HourMinute, DatetimeFormat::Zone::Always, true, true}));

  const Column defaults = ReadOneColumn(
      "<column itemname='a'><numberformat digits='varying'/><datetimeformat yearformat='fourdigityear'/></column>");
  EXPECT_EQ(defaults.numberFormat, NumberFormat{});
  EXPECT_EQ(defaults.datetimeFormat,
            (DatetimeFormat{.fourDigitYear = true, .timeFormat24 = false}));

  const std::tuple<const char*, NumberFormat::Style> styles[] = {
      {"general", NumberFormat::Style::General}, {"fixed", NumberFormat::Style::Fixed},
      {"scientific", NumberFormat::Style::Scientific}, {"currency", NumberFormat::Style::Currency}};
  for (const auto& [name, style] : styles)
    EXPECT_EQ(ReadOneColumn(std::string("<column><numberformat format='") + name + "'/></column>").numberFormat.style,
              style);

  // The last name of each list, and names no designer writes, which show as the defaults do.
  EXPECT_EQ(ReadOneColumn("<column><datetimeformat date='weekday' time='hour' zone='sometimes'/></column>").datetimeFormat,
            (DatetimeFormat{.date = DatetimeFormat::DateParts::Weekday, .time = DatetimeFormat::TimeParts::Hour,
                            .zone = DatetimeFormat::Zone::Sometimes, .fourDigitYear = false, .timeFormat24 = false}));
  EXPECT_EQ(ReadOneColumn("<column><datetimeformat date='fortnight' time='' zone='often'/></column>").datetimeFormat,
            (DatetimeFormat{.fourDigitYear = false, .timeFormat24 = false}));
}

TEST(ReadViewDesign, SharedColumnsTakeTheirPlace) {
  const ViewDesign view = ReadView(
      "<view name='v'><column itemname='a'/><sharedcolumnref name='s'><column itemname='b'/></sharedcolumnref>"
      "<column itemname='c'/></view>");
  ASSERT_EQ(view.columns.size(), 3u);
  EXPECT_EQ(view.columns[1].itemName, "b");
  EXPECT_EQ(view.columns[2].itemName, "c");
}

TEST(ReadViewDesign, RejectsUnknownAttributeValues) {
  for (const char* column : {"<column sort='sideways'/>", "<column listseparator='tab'/>",
                             "<column><numberformat format='roman'/></column>",
                             "<column><numberformat digits='16'/></column>",
                             "<column><numberformat digits='-1'/></column>",
                             "<column><datetimeformat show='never'/></column>", "<column hidden='yes'/>"}) {
    SCOPED_TRACE(column);
    try {
      ReadView(std::string("<view name='v'><column/>") + column + "</view>");
      ADD_FAILURE() << "accepted";
    } catch (const Malformed& error) {
      EXPECT_TRUE(error.message.starts_with("column 1: ")) << error.message;
    }
  }
}

TEST(ReadFormDesign, WindowTitleCommentAndBody) {
  ParsedXml parsed(
      "<form name='受注' alias='Order|受注票' comment='受注の入力'><code event='windowtitle'><formula>"
      "\"受注: \" + 顧客名</formula></code><body><richtext><par><field name='顧客名'/>"
      "<subformref name='明細'/></par></richtext></body></form>");
  const FormDesign form = ReadFormDesign(parsed.Root());
  EXPECT_EQ(form.name, "受注");
  EXPECT_EQ(form.aliases, (std::vector<std::string>{"Order", "受注票"}));
  EXPECT_EQ(form.comment, "受注の入力");
  EXPECT_EQ(form.windowTitleFormula, "\"受注: \" + 顧客名");
  ASSERT_EQ(form.body.elements.size(), 2u);
  EXPECT_EQ(form.body.elements[0].fieldName, "顧客名");
  EXPECT_EQ(form.body.elements[1].subformName, "明細");
}

}  // namespace
}  // namespace host::dxl
