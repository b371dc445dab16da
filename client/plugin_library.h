// The plug-in library an export entry names, loaded for the lifetime of the object: loading starts
// the plug-in's Notes session, unloading ends it.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/export_view.h"

namespace client {

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
