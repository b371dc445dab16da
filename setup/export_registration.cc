#include "export_registration.h"

#include <platform/profile.h>

#include <optional>
#include <string_view>
#include <vector>

#include "export_slots.h"

namespace setup {
namespace {

struct ExportEntry {
  const char* line;
  std::string_view token;
};

constexpr ExportEntry kCsvEntry{"Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,", "_vorpel,,"};
constexpr ExportEntry kXmlEntry{"Export XML File,0,_Vorpel,xml,.XML,,1,", "_vorpel,xml,"};

constexpr const char* kCsvSettingsKeys[] = {"OutputDocument", "OutputColumn",  "OutputHeader",    "ColumnFormat",
                                            "ListSeparater",  "CSVFormatMode", "ColumnSeparater", "ColumnQuote",
                                            "AltSeparater",   "AltCrlf"};
constexpr const char* kXmlSettingsKeys[] = {"OutputDocument", "OutputColumn", "ItemAll",
                                            "FieldAll",       "OutputNoteid", "OutputType",
                                            "ColumnFormat",   "ListSeparater", "XmlEncode"};

std::string& ValueOf(ExportSlotValues& values, int slot) { return values[slot - kFirstExportSlot]; }

}  // namespace

Registration RegisterExportEntries(const std::string& notesIni) {
  ExportSlotValues values = ReadExportSlots(notesIni);
  std::optional<SlotChoice> csv = ChooseExportSlot(values, kCsvEntry.token);
  if (!csv) return Registration::NoFreeSlot;
  ValueOf(values, csv->slot) = kCsvEntry.line;
  std::optional<SlotChoice> xml = ChooseExportSlot(values, kXmlEntry.token);
  if (!xml) return Registration::NoFreeSlot;

  const std::string csvKey = ExportSlotKey(csv->slot), xmlKey = ExportSlotKey(xml->slot);
  const platform::ProfileChange changes[] = {{"Notes", csvKey.c_str(), kCsvEntry.line},
                                             {"Notes", xmlKey.c_str(), kXmlEntry.line}};
  return platform::WritePrivateProfileChanges(changes, notesIni.c_str()) ? Registration::Written
                                                                          : Registration::NotWritten;
}

bool RemoveExportEntries(const std::string& notesIni) {
  ExportSlotValues values = ReadExportSlots(notesIni);
  std::vector<std::string> slotKeys;
  for (const ExportEntry& entry : {kCsvEntry, kXmlEntry}) {
    std::optional<SlotChoice> choice = ChooseExportSlot(values, entry.token);
    if (!choice || !choice->found) continue;
    slotKeys.push_back(ExportSlotKey(choice->slot));
    ValueOf(values, choice->slot).clear();
  }
  std::vector<platform::ProfileChange> changes;
  for (const std::string& key : slotKeys) changes.push_back({"Notes", key.c_str(), nullptr});
  for (const char* key : kCsvSettingsKeys) changes.push_back({"Vorpel", key, nullptr});
  for (const char* key : kXmlSettingsKeys) changes.push_back({"VorpelXml", key, nullptr});
  return platform::WritePrivateProfileChanges(changes, notesIni.c_str());
}

}  // namespace setup
