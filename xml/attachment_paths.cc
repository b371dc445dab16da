#include "xml/attachment_paths.h"

#include <platform/cp932.h>

#include <cstdio>

std::string AttachmentFolder(std::string_view outputPath) {
  // The extension starts at the last period after the last directory separator, found on whole
  // characters: the second byte of "ソ" or "表" is 0x5C, never a separator.
  std::size_t extension = std::string_view::npos;
  for (std::size_t i = 0; i < outputPath.size(); ++i) {
    const char c = outputPath[i];
    if (c == '\\' || c == '/') {
      extension = std::string_view::npos;
    } else if (c == '.') {
      extension = i;
    } else if (platform::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < outputPath.size()) {
      ++i;
    }
  }
  std::string folder(outputPath.substr(0, extension));
  folder += ".files";
  return folder;
}

std::string AttachmentOutputName(std::string_view name) {
  std::string safe;
  safe.reserve(name.size());
  bool onlyPeriods = true;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (platform::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < name.size()) {
      safe += c;
      safe += name[++i];
      onlyPeriods = false;
      continue;
    }
    if (c != '.') onlyPeriods = false;
    safe += c == '\\' || c == '/' || c == ':' ? '_' : c;
  }
  if (onlyPeriods) return safe.empty() ? std::string("_") : std::string(safe.size(), '_');
  return safe;
}

std::string AttachmentTargetPath(std::string_view folder, NOTEID noteId, std::string_view outputName) {
  char id[9];
  std::snprintf(id, sizeof id, "%8.8X", static_cast<unsigned>(noteId));
  std::string path(folder);
  path += '\\';
  path += id;
  path += '\\';
  path += outputName;
  return path;
}
