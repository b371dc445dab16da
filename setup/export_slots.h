// The export slots of notes.ini: keys "VIEWEXP5" ... "VIEWEXP31" in section "Notes", each of
// which the Notes client reads as one entry of its Export dialog.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

inline constexpr int kFirstExportSlot = 5;
inline constexpr int kLastExportSlot = 31;
inline constexpr std::size_t kSlotValueBufferSize = 256;

// The values of all slots, as the client reads them, indexed by slot number - kFirstExportSlot.
using ExportSlotValues = std::array<std::string, kLastExportSlot - kFirstExportSlot + 1>;

// "VIEWEXP" followed by the slot number.
std::string ExportSlotKey(int slot);

// Where an entry goes: the first slot whose value holds `token` (found), else the first empty
// slot (not found). Values are compared in lower case (ASCII capitals only, double-byte
// characters untouched), and the token never matches at the second byte of a double-byte
// character. Empty when no slot holds the token and none is empty.
struct SlotChoice {
  int slot = 0;
  bool found = false;
};
std::optional<SlotChoice> ChooseExportSlot(const ExportSlotValues& values, std::string_view token);

// Reads every slot of section "Notes" of the notes.ini at `notesIni` (a platform path); a value
// longer than 255 bytes is cut to 255.
ExportSlotValues ReadExportSlots(const std::string& notesIni);

}  // namespace setup
