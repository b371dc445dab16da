#include "client/export_target.h"

#include <algorithm>

namespace client {

std::string TypedNameInFolder(const std::string& typed, const std::string& folder) {
  if (typed.starts_with('/') || typed.starts_with('\\') || folder.empty()) return typed;
  return folder.ends_with('/') ? folder + typed : folder + "/" + typed;
}

std::string TargetFile(const std::string& typedName, const std::string& extension) {
  std::size_t end = std::min(typedName.find(" /"), typedName.find(" \\"));
  std::string file = typedName.substr(0, end);
  const std::size_t lastSeparator = file.find_last_of("/\\");
  const std::size_t nameStart = lastSeparator == std::string::npos ? 0 : lastSeparator + 1;
  if (file.find('.', nameStart) == std::string::npos) file += extension;
  return file;
}

}  // namespace client
