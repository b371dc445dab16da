// Nothing lost between the database and the reader of the file: values with characters beyond
// code page 932, every kind of line break, tabs, quotes and separators are exported in every
// encoding and quoting mode and read back by readers of the test's own (Qt's XML reader, a CSV
// reader as RFC 4180 and the spreadsheets have it).
#include <gtest/gtest.h>

#include <QString>
#include <cstring>
#include <QXmlStreamReader>
#include <string>
#include <vector>

#include "plugin/export_fixture.h"

namespace {

using host::testing::DatabaseBuilder;
using host::testing::Sort;
using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;

const std::vector<std::string> kValues = {
    "𠮷野さん", "絵文字😀", "é ñ ö", "①㈱Ⅹ髙", "a\r\nb", "a\nb", "a\rb", "tab\there", "say \"hi\"", "a,b", "<&>'",
    "  two  spaces  ", "表ソ",
};
const std::string kTitle = "受注\t一覧\n𠮷";  // an attribute's tab and line feed

class RoundTripTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    for (std::size_t i = 0; i < kValues.size(); ++i) {
      char number[24];
      std::snprintf(number, sizeof number, "%02zu", i);
      db_.Document("Doc").Text("No", {number}).Text("Value", {kValues[i]});
    }
    view_ = db_.View("All")
                .Column({.title = "No", .itemName = "No", .sort = Sort::Ascending})
                .Column({.title = "Value", .itemName = "Value"})
                .Id();
  }

  DatabaseBuilder db_{kTitle, "roundtrip.nsf"};
  NOTEID view_ = 0;
};

struct ReadXml {
  std::string title;                // the database element's
  std::vector<std::string> values;  // each doc's "Value" view element
  std::string error;
};

ReadXml ParseXml(const QString& file) {
  ReadXml read;
  QXmlStreamReader reader(file);
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == QStringLiteral("database"))
      read.title = reader.attributes().value("title").toString().toStdString();
    if (reader.name() == QStringLiteral("view") && reader.attributes().value("name") == QStringLiteral("Value"))
      read.values.push_back(reader.readElementText().toStdString());
  }
  if (reader.hasError()) read.error = reader.errorString().toStdString();
  return read;
}

// Records of comma-separated fields: a field in double quotes holds anything, "" standing for a
// quote; outside quotes a CR LF, a CR or a LF ends the record.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false, fieldStarted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && !fieldStarted) {
      quoted = fieldStarted = true;
    } else if (c == ',') {
      records.back().push_back(field);
      field.clear();
      fieldStarted = false;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      records.back().push_back(field);
      field.clear();
      fieldStarted = false;
      records.emplace_back();
    } else {
      field += c;
      fieldStarted = true;
    }
  }
  if (records.back().empty()) records.pop_back();
  return records;
}

TEST_F(RoundTripTest, XmlInEitherEncodingReadsBackAsTheDatabaseHoldsIt) {
  for (const char* encoding : {"/E0", "/E1"}) {
    SCOPED_TRACE(encoding);
    Export(Params(db_, view_), Typed("out.xml", std::string("/X ") + encoding), "xml");
    const std::string bytes = Read("out.xml");
    const bool utf8 = encoding == std::string("/E1");
    const QString file = utf8 ? QString::fromStdString(bytes) : QString::fromStdU16String(platform::Cp932ToUtf16(bytes));
    ASSERT_FALSE(file.contains(QChar(0xFFFD))) << "every byte is a character of the file's encoding";
    if (!utf8) {
      EXPECT_NE(bytes.find("&#x20BB7;"), std::string::npos) << "a reference for what Shift_JIS cannot hold";
    }
    const ReadXml read = ParseXml(file);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.title, kTitle);
    EXPECT_EQ(read.values, kValues);
  }
}

// Without quotes (/Q2) the separators and line breaks are replaced by blanks (/P2 /R2), as a file
// for a reader without quoting needs them.
TEST_F(RoundTripTest, CsvReadsBackAsCodePage932HoldsTheValuesInEveryQuotingMode) {
  for (const char* switches : {"/Q0", "/Q1", "/Q2 /P2 /R2"}) {
    SCOPED_TRACE(switches);
    const bool replaced = std::string(switches).starts_with("/Q2");
    Export(Params(db_, view_), Typed("out.csv", std::string("/X ") + switches));
    std::vector<std::string> read, expected;
    for (const std::vector<std::string>& record : ParseCsv(Cp932ToUtf8(Read("out.csv")))) {
      ASSERT_EQ(record.size(), 2u) << testing::PrintToString(record) << " in " << testing::PrintToString(Read("out.csv"));
      read.push_back(record[1]);
    }
    for (std::string value : kValues) {
      if (replaced) {
        for (const char* lineBreak : {"\r\n", "\r", "\n", ","})
          for (std::size_t at; (at = value.find(lineBreak)) != std::string::npos;) value.replace(at, std::strlen(lineBreak), " ");
      }
      expected.push_back(Cp932ToUtf8(Utf8ToCp932(value)));  // "?" for what code page 932 cannot hold
    }
    EXPECT_EQ(read, expected);
  }
}

}  // namespace
