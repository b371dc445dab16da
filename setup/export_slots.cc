#include "export_slots.h"

#include <platform/cp932.h>
#include <platform/profile.h>

namespace setup {
namespace {

// Lower-cases the ASCII capitals of platform text, leaving both bytes of every double-byte
// character as they are.
std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (std::size_t i = 0; i < lower.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(lower[i]);
    if (platform::IsLeadByte(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      lower[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return lower;
}

}  // namespace

std::string ExportSlotKey(int slot) { return "VIEWEXP" + std::to_string(slot); }

std::optional<SlotChoice> ChooseExportSlot(const ExportSlotValues& values, std::string_view token) {
  std::optional<SlotChoice> freeSlot;
  for (std::size_t i = 0; i < values.size(); ++i) {
    int slot = kFirstExportSlot + static_cast<int>(i);
    if (platform::Cp932Contains(LowerAscii(values[i]), token)) return SlotChoice{slot, true};
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
