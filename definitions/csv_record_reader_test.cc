#include "definitions/csv_record_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/cp932.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

// Every record of `input`, as Field gives them.
Records ReadAll(const std::string& input, bool trim) {
  std::istringstream stream(input);
  CsvRecordReader reader(stream);
  reader.SetTrim(trim);
  Records records;
  while (reader.ReadRecord()) {
    std::vector<std::string> fields;
    for (int i = 0; i < reader.GetFieldCount(); ++i) fields.push_back(reader.Field(i));
    records.push_back(fields);
  }
  return records;
}

struct ReaderCase {
  const char* name;
  std::string input;
  bool trim;
  Records expected;
};

class ReaderCases : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderCases, ReadsTheRecords) {
  const ReaderCase& c = GetParam();
  EXPECT_EQ(ReadAll(c.input, c.trim), c.expected);
}

std::string CaseName(const ::testing::TestParamInfo<ReaderCase>& test) { return test.param.name; }

const std::string kTable = platform::Utf8ToCp932("表");  // its second byte is a backslash
const std::string kSo = platform::Utf8ToCp932("ソ");

INSTANTIATE_TEST_SUITE_P(
    Quoting, ReaderCases,
    ::testing::Values(
        ReaderCase{"Plain", "a,b,c\n", false, {{"a", "b", "c"}}},
        ReaderCase{"EmptyInput", "", false, {}},
        ReaderCase{"EmptyLineIsOneEmptyField", "\n\n", false, {{""}, {""}}},
        ReaderCase{"EmptyFieldsAtBothEnds", ",a,\n", false, {{"", "a", ""}}},
        ReaderCase{"QuotedComma", "\"a,b\",c\n", false, {{"a,b", "c"}}},
        ReaderCase{"DoubledQuote", "\"a\"\"b\",\"\"\"\"\n", false, {{"a\"b", "\""}}},
        ReaderCase{"EmptyQuotedField", "\"\",x\n", false, {{"", "x"}}},
        ReaderCase{"QuoteInsideAnUnquotedFieldIsKept", "a\"b,c\"\n", false, {{"a\"b", "c\""}}},
        ReaderCase{"TextAfterTheClosingQuoteIsAdded", "\"ab\"cd,e\n", false, {{"abcd", "e"}}},
        ReaderCase{"QuoteAfterTheClosingQuoteIsKept", "\"a\"b\"c\n", false, {{"ab\"c"}}},
        ReaderCase{"NoLineFeedAtTheEnd", "a,b", false, {{"a", "b"}}},
        ReaderCase{"DoubleByteTextPassesThrough", kTable + "," + kSo + "\n", false, {{kTable, kSo}}},
        ReaderCase{"BinaryBytesPassThrough", std::string("\0\xff,\x81", 4) + "\n", false,
                   {{std::string("\0\xff", 2), "\x81"}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    LinesAndLineEnds, ReaderCases,
    ::testing::Values(
        ReaderCase{"QuotedFieldSpansLines", "\"a\nb\",c\nd\n", false, {{"a\nb", "c"}, {"d"}}},
        ReaderCase{"QuotedEmptyLines", "\"\n\n\"\n", false, {{"\n\n"}}},
        ReaderCase{"DoubledQuoteAtTheEndOfALine", "\"a\"\"\nb\"\n", false, {{"a\"\nb"}}},
        ReaderCase{"CrLf", "a,b\r\nc\r\n", false, {{"a", "b"}, {"c"}}},
        ReaderCase{"CrLfInsideQuotesBecomesALineFeed", "\"a\r\nb\"\r\nc\r\n", false, {{"a\nb"}, {"c"}}},
        ReaderCase{"OnlyOneCarriageReturnIsPartOfTheLineEnd", "a\r\r\n", false, {{"a\r"}}},
        ReaderCase{"LoneCarriageReturnIsText", "a\rb\n", false, {{"a\rb"}}},
        ReaderCase{"CarriageReturnAtTheEndOfTheInputIsText", "a\r", false, {{"a\r"}}},
        ReaderCase{"RecordOpenInsideQuotesAtTheEndIsDropped", "x\n\"abc\nde", false, {{"x"}}},
        ReaderCase{"QuoteOpenedAtTheLastByte", "x\n\"", false, {{"x"}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Trimming, ReaderCases,
    ::testing::Values(
        ReaderCase{"OffKeepsBlanks", " a ,\tb\t\n", false, {{" a ", "\tb\t"}}},
        ReaderCase{"OnDropsBlanksAndTabs", " a ,\tb\t, c d \n", true, {{"a", "b", "c d"}}},
        ReaderCase{"BlanksOnlyStayUnchanged", "a, \t ,\n", true, {{"a", " \t ", ""}}},
        ReaderCase{"QuotedFieldKeepsItsBlanks", "\" a \",\"\t\"\n", true, {{" a ", "\t"}}},
        ReaderCase{"BlanksAfterTheClosingQuoteAreKept", "\"a\" ,b\n", true, {{"a ", "b"}}},
        // A blank before the quote makes it text of an unquoted field.
        ReaderCase{"QuoteAfterABlankIsText", " \"a\" ,b\n", true, {{"\"a\"", "b"}}},
        ReaderCase{"OtherWhiteSpaceIsKept", "\va\f\n", true, {{"\va\f"}}}),
    CaseName);

TEST(CsvRecordReader, FieldOutsideTheRecordIsEmpty) {
  std::istringstream stream("a,b\n");
  CsvRecordReader reader(stream);
  ASSERT_TRUE(reader.ReadRecord());
  ASSERT_EQ(reader.GetFieldCount(), 2);
  EXPECT_EQ(reader.Field(1), "b");
  EXPECT_EQ(reader.Field(2), "");
  EXPECT_EQ(reader.Field(-1), "");
  EXPECT_FALSE(reader.ReadRecord());
  EXPECT_EQ(reader.GetFieldCount(), 0);
  EXPECT_EQ(reader.Field(0), "");
}

TEST(CsvRecordReader, TenThousandFields) {
  std::string line = "0";
  for (int i = 1; i < 10000; ++i) line += "," + std::to_string(i);
  std::istringstream stream(line + "\nnext\n");
  CsvRecordReader reader(stream);
  ASSERT_TRUE(reader.ReadRecord());
  ASSERT_EQ(reader.GetFieldCount(), 10000);
  EXPECT_EQ(reader.Field(9999), "9999");
  ASSERT_TRUE(reader.ReadRecord());
  EXPECT_EQ(reader.Field(0), "next");
}

}  // namespace
