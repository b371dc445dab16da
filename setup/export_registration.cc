#include "export_registration.h"

#include <platform/profile.h>

#include <optional>
#include <string_view>

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

void WriteSlot(const std::string& notesIni, int slot, const char* value) {
  platform::WritePrivateProfileString("Notes", ExportSlotKey(slot).c_str(), value, notesIni.c_str());
}

}  // namespace

bool RegisterExportEntries(const std::string& notesIni) {
  ExportSlotValues values = ReadExportSlots(notesIni);
  std::optional<SlotChoice> csv = ChooseExportSlot(values, kCsvEntry.token);
  if (!csv) return false;
  ValueOf(values, csv->slot) = kCsvEntry.line;
  std::optional<SlotChoice> xml = ChooseExportSlot(values, kXmlEntry.token);
  if (!xml) return false;

  WriteSlot(notesIni, csv->slot, kCsvEntry.line);
  WriteSlot(notesIni, xml->slot, kXmlEntry.line);
  return true;
}

void RemoveExportEntries(const std::string& notesIni) {
  ExportSlotValues values = ReadExportSlots(notesIni);
  for (const ExportEntry& entry : {kCsvEntry, kXmlEntry}) {
    std::optional<SlotChoice> choice = ChooseExportSlot(values, entry.token);
    if (!choice || !choice->found) continue;
    WriteSlot(notesIni, choice->slot, nullptr);
    ValueOf(values, choice->slot).clear();
  }
  for (const char* key : kCsvSettingsKeys)
    platform::WritePrivateProfileString("Vorpel", key, nullptr, notesIni.c_str());
  for (const char* key : kXmlSettingsKeys)
    platform::WritePrivateProfileString("VorpelXml", key, nullptr, notesIni.c_str());
}

}  // namespace setup
