#include "plugin/export_switches.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/recording_ui.h>

#include <string>
#include <vector>

#include "plugin/target_name.h"

namespace {

using ::testing::ElementsAreArray;
using settings::CsvOptions;
using settings::XmlOptions;

std::string Rejected(const std::string& item) { return "パラメータ(/" + item + ")は正しくありません。"; }

// The settings a switch set, as "Name=value" for each one that is not 0.
std::string Describe(const CsvOptions& o) {
  std::string out;
  auto add = [&](const char* name, std::int32_t value) {
    if (value != 0) out += std::string(out.empty() ? "" : " ") + name + "=" + std::to_string(value);
  };
  add("OutputHeader", o.OutputHeader);
  add("ColumnFormat", o.ColumnFormat);
  add("ColumnQuote", o.ColumnQuote);
  add("ColumnSeparater", o.ColumnSeparater);
  add("AltCrlf", o.AltCrlf);
  add("AltSeparater", o.AltSeparater);
  add("OutputDocument", o.OutputDocument);
  add("OutputColumn", o.OutputColumn);
  add("ListSeparater", o.ListSeparater);
  add("CSVFormatMode", o.CSVFormatMode);
  return out;
}

std::string Describe(const XmlOptions& o) {
  std::string out;
  auto add = [&](const char* name, std::int32_t value) {
    if (value != 0) out += std::string(out.empty() ? "" : " ") + name + "=" + std::to_string(value);
  };
  add("ColumnFormat", o.ColumnFormat);
  add("OutputDocument", o.OutputDocument);
  add("OutputColumn", o.OutputColumn);
  add("ListSeparater", o.ListSeparater);
  add("XmlEncode", o.XmlEncode);
  add("ItemAll", o.ItemAll);
  add("OutputNoteid", o.OutputNoteid);
  add("OutputType", o.OutputType);
  add("FieldAll", o.FieldAll);
  add("AttachFile", o.AttachFile);
  return out;
}

enum class Run { Csv, Xml };

struct Case {
  const char* typed;  // UTF-8
  Run run;
  const char* fileName;
  bool showSheet;
  const char* settings;                // Describe() of the result
  std::vector<std::string> messages;   // UTF-8
};

TEST(ExportSwitchesTest, TypedNamesGiveFileNameSettingsAndMessages) {
  const Case cases[] = {
      {"K:\\out\\list /X", Run::Csv, "K:\\out\\list.csv", false, "", {}},
      {"K:/out/list.txt /X/S1", Run::Csv, "K:\\out\\list.txt", false, "ColumnSeparater=1", {}},
      {"K:\\out\\list.csv", Run::Csv, "K:\\out\\list.csv", true, "", {}},
      {"K:\\out\\list.csv/X", Run::Csv, "K:\\out\\list.csv\\X.csv", true, "", {}},
      {"list.csv /x", Run::Csv, "list.csv", true, "", {Rejected("x")}},
      {"list.csv /X1", Run::Csv, "list.csv", true, "", {Rejected("X1")}},
      {"list.csv /H2", Run::Csv, "list.csv", true, "", {Rejected("H2")}},
      {"list.xml /H", Run::Xml, "list.xml", true, "", {Rejected("H")}},
      {"list.csv /D-1", Run::Csv, "list.csv", true, "", {Rejected("D-1")}},
      {"list.csv /D1abc", Run::Csv, "list.csv", true, "OutputDocument=1", {}},
      {"list.csv /Habc", Run::Csv, "list.csv", true, "OutputHeader=1", {}},
      {"list.csv /L7", Run::Csv, "list.csv", true, "", {Rejected("L7")}},
      {"list.xml /L7", Run::Xml, "list.xml", true, "", {Rejected("L7")}},
      {"list.csv /L6", Run::Csv, "list.csv", true, "ListSeparater=6", {}},
      {"list.csv //D1", Run::Csv, "list.csv", true, "OutputDocument=1", {Rejected("")}},
      {"K:\\My Docs \\list.csv", Run::Csv, "K:\\My Docs.csv", true, "", {Rejected("list.csv")}},
      {"list.csv /D1 /D0", Run::Csv, "list.csv", true, "", {}},
      // Beyond the documented table: every switch of both runs at its largest value.
      {"a /X /H /D1 /F1 /L6 /M2 /P5 /Q2 /R2 /S1 /V1", Run::Csv, "a.csv", false,
       "OutputHeader=1 ColumnFormat=1 ColumnQuote=2 ColumnSeparater=1 AltCrlf=2 AltSeparater=5 OutputDocument=1 "
       "ListSeparater=6",
       {}},
      {"a /X/C/I/N/P/T/D1/E1/F1/L6/V1", Run::Xml, "a.xml", false,
       "ColumnFormat=1 OutputDocument=1 ListSeparater=6 XmlEncode=1 ItemAll=1 OutputNoteid=1 OutputType=1 "
       "FieldAll=1 AttachFile=1",
       {}},
      {"a /M3 /V2 /S 1 /Q99999999999 /P4294967297", Run::Csv, "a.csv", true, "ColumnSeparater=1",
       {Rejected("M3"), Rejected("V2"), Rejected("Q99999999999"), Rejected("P4294967297")}},
      {"a /E1 /P1", Run::Csv, "a.csv", true, "AltSeparater=1", {Rejected("E1")}},
      {"a /M1 /R1", Run::Xml, "a.xml", true, "", {Rejected("M1"), Rejected("R1")}},
      {"\xE8\xA1\xA8\\\xE3\x82\xBD /X", Run::Csv, "\xE8\xA1\xA8\\\xE3\x82\xBD.csv", false, "", {}},  // 表\ソ
      {"dir.v1\\name /X", Run::Csv, "dir.v1\\name.csv", false, "", {}},
      {"", Run::Csv, "", true, "", {}},  // no path element, so no extension
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    platform::testing::ScopedRecordingUi ui;
    const LNString typed(platform::Utf8ToCp932(c.typed).c_str());
    const bool csv = c.run == Run::Csv;
    const TargetName target = SplitTargetName(typed, csv ? ".csv" : ".xml");
    EXPECT_EQ(platform::Cp932ToUtf8(target.fileName.GetPlatformTextPtr()), c.fileName);
    bool showSheet = false;
    std::string settings;
    if (csv) {
      const auto result = ParseSwitches(target.switchText, kCsvSwitches);
      showSheet = result.showSheet;
      settings = Describe(result.options);
    } else {
      const auto result = ParseSwitches(target.switchText, kXmlSwitches);
      showSheet = result.showSheet;
      settings = Describe(result.options);
    }
    EXPECT_EQ(showSheet, c.showSheet);
    EXPECT_EQ(settings, c.settings);
    EXPECT_THAT(ui.Texts(), ElementsAreArray(c.messages));
    for (const platform::testing::RecordedBox& message : ui.boxes) {
      EXPECT_EQ(message.caption, "nVorpel");
      EXPECT_EQ(message.buttons, platform::Buttons::Ok);
      EXPECT_EQ(message.icon, platform::Icon::Exclamation);
    }
  }
}

TEST(ExportSwitchesTest, SwitchTextHoldsTheRestOfTheTypedNameAndAClosingBackslash) {
  platform::testing::ScopedRecordingUi ui;
  EXPECT_STREQ(SplitTargetName("list.csv", ".csv").switchText.GetPlatformTextPtr(), " \\");
  EXPECT_STREQ(SplitTargetName("a b /X /H", ".csv").switchText.GetPlatformTextPtr(), " \\X \\H \\");
  EXPECT_STREQ(SplitTargetName("a b /X /H", ".csv").fileName.GetPlatformTextPtr(), "a b.csv");
  EXPECT_TRUE(ui.boxes.empty());
}

}  // namespace
