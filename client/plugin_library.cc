#include "client/plugin_library.h"

#include <dlfcn.h>

#include "client/client_error.h"

namespace client {

PluginLibrary::PluginLibrary(const std::string& fileSystemPath) {
  library_ = dlopen(fileSystemPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library_) throw ClientError{"cannot load the plug-in: " + std::string(dlerror())};
  exportView_ = reinterpret_cast<ExportViewFunction>(dlsym(library_, "ExportView"));
  if (!exportView_) {
    dlclose(library_);
    throw ClientError{"the plug-in " + fileSystemPath + " has no ExportView"};
  }
}

PluginLibrary::~PluginLibrary() { dlclose(library_); }

}  // namespace client
