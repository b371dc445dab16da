#include "client/export_entries.h"

#include <platform/profile.h>

namespace client {
namespace {

constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 31;

// The fields of an entry line; fields beyond the end of the line are empty.
std::string Field(const std::string& line, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = line.find(',', start);
    if (start == std::string::npos) return "";
    ++start;
  }
  return line.substr(start, line.find(',', start) - start);
}

}  // namespace

std::vector<ExportEntry> ReadExportEntries(const std::string& notesIni) {
  std::vector<ExportEntry> entries;
  for (int slot = kFirstSlot; slot <= kLastSlot; ++slot) {
    const std::string key = "VIEWEXP" + std::to_string(slot);
    char value[1024];
    const std::size_t length =
        platform::GetPrivateProfileString("Notes", key.c_str(), "", value, sizeof value, notesIni.c_str());
    if (length == 0) continue;
    std::string line(value, length);
    entries.push_back({key, line, Field(line, 0), Field(line, 2), Field(line, 3), Field(line, 4)});
  }
  return entries;
}

const ExportEntry* FindExportEntry(const std::vector<ExportEntry>& entries, std::string_view label) {
  for (const ExportEntry& entry : entries)
    if (entry.label == label) return &entry;
  return nullptr;
}

std::string LibraryFileName(std::string_view library) {
  std::string name(library);
  if (name.starts_with('_')) name[0] = 'n';
  return "lib" + name + ".so";
}

}  // namespace client
