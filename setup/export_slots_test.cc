#include "export_slots.h"

#include <gtest/gtest.h>

#include <map>

namespace setup {
namespace {

constexpr const char* kCsvLine = "Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,";
constexpr const char* kXmlLine = "Export XML File,0,_Vorpel,xml,.XML,,1,";
constexpr const char* kOther = "Export Lotus 1-2-3,1,_XLATE,,.WK1,.WKS,,1,";

ExportSlotValues Slots(const std::map<int, std::string>& bySlot) {
  ExportSlotValues values;
  for (const auto& [slot, value] : bySlot) values.at(slot - kFirstExportSlot) = value;
  return values;
}

ExportSlotValues AllTaken() {
  ExportSlotValues values;
  values.fill(kOther);
  return values;
}

TEST(ExportSlotKey, NamesTheSlot) {
  EXPECT_EQ(ExportSlotKey(5), "VIEWEXP5");
  EXPECT_EQ(ExportSlotKey(31), "VIEWEXP31");
}

struct ChoiceCase {
  const char* name;
  ExportSlotValues values;
  const char* token;
  std::optional<int> slot;
  bool found;
};

TEST(ChooseExportSlot, MatchWinsOverFreeSlotAndFirstFreeSlotOtherwise) {
  ExportSlotValues lastIsCsv = AllTaken();
  lastIsCsv.back() = kCsvLine;
  const ChoiceCase cases[] = {
      {"all empty", {}, "_vorpel,,", 5, false},
      {"other entry first", Slots({{5, kOther}}), "_vorpel,,", 6, false},
      {"match after a free slot", Slots({{5, kOther}, {9, "Export,1,_VORPEL,,.csv"}}), "_vorpel,,", 9, true},
      {"first match wins", Slots({{7, kCsvLine}, {8, kCsvLine}}), "_vorpel,,", 7, true},
      {"token anywhere in the value", Slots({{12, "x_vorpel,xml,y"}}), "_vorpel,xml,", 12, true},
      {"csv token not in xml line", Slots({{5, kXmlLine}}), "_vorpel,,", 6, false},
      {"xml token not in csv line", Slots({{5, kCsvLine}}), "_vorpel,xml,", 6, false},
      // 0x83 0x5F is one double-byte character: its trail byte is not the "_" of the token.
      {"trail byte is no match", Slots({{5, "Export,1,\x83_Vorpel,,"}}), "_vorpel,,", 6, false},
      {"lead byte before the token", Slots({{5, "\x83\x40_Vorpel,,"}}), "_vorpel,,", 5, true},
      {"match in the last slot", lastIsCsv, "_vorpel,,", 31, true},
      {"no match and no free slot", AllTaken(), "_vorpel,,", std::nullopt, false},
  };
  for (const ChoiceCase& c : cases) {
    std::optional<SlotChoice> choice = ChooseExportSlot(c.values, c.token);
    ASSERT_EQ(choice.has_value(), c.slot.has_value()) << c.name;
    if (!choice) continue;
    EXPECT_EQ(choice->slot, *c.slot) << c.name;
    EXPECT_EQ(choice->found, c.found) << c.name;
  }
}

}  // namespace
}  // namespace setup
