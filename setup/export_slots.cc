#include "export_slots.h"

#include <platform/cp932.h>
#include <platform/profile.h>

namespace setup {

std::string ExportSlotKey(int slot) { return "VIEWEXP" + std::to_string(slot); }

std::optional<SlotChoice> ChooseExportSlot(const ExportSlotValues& values, std::string_view token) {
  std::optional<SlotChoice> freeSlot;
  for (std::size_t i = 0; i < values.size(); ++i) {
    int slot = kFirstExportSlot + static_cast<int>(i);
    if (platform::Cp932Contains(platform::AsciiLowered(values[i]), token)) return SlotChoice{slot, true};
    if (!freeSlot && values[i].empty()) freeSlot = SlotChoice{slot, false};
  }
  return freeSlot;
}

ExportSlotValues ReadExportSlots(const std::string& notesIni) {
  ExportSlotValues values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    char buffer[kSlotValueBufferSize];
    std::string key = ExportSlotKey(kFirstExportSlot + static_cast<int>(i));
    std::size_t length =
        platform::GetPrivateProfileString("Notes", key.c_str(), "", buffer, sizeof buffer, notesIni.c_str());
    values[i].assign(buffer, length);
  }
  return values;
}

}  // namespace setup
