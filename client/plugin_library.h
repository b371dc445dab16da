// The plug-in library an export entry names, loaded for the lifetime of the object: loading starts
// the plug-in's Notes session, unloading ends it.
#pragma once

#include <cstdint>
#include <string>

#include "columns/export_view_params.h"

namespace client {

// The plug-in's one export, with the arguments the client passes: the parameter record, the flags
// word, a reserved value, the option word and the typed file name (platform text).
using ExportViewFunction = std::uint16_t (*)(const ExportViewParams* params, std::uint16_t flags,
                                             std::uint32_t reserved, const char* option, const char* fileName);

inline constexpr std::uint16_t kAppendFlag = 0x0004;

class PluginLibrary {
 public:
  // Loads the library at `fileSystemPath` and finds its ExportView; throws ClientError.
  explicit PluginLibrary(const std::string& fileSystemPath);
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;
  ~PluginLibrary();
  ExportViewFunction ExportView() const { return exportView_; }

 private:
  void* library_ = nullptr;
  ExportViewFunction exportView_ = nullptr;
};

}  // namespace client
