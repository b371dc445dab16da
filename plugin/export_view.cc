// The plug-in library itself: its one application object, alive from the moment the library is
// loaded until it is unloaded, and its one export.
#include "plugin/export_view.h"

#include <platform/ui.h>

#include "plugin/plugin_app.h"

namespace {

class LoadedApplication {
 public:
  LoadedApplication() {
    platform::CurrentUi();  // the UI must outlive the application object, which uses it at the end
    ready_ = app_.InitInstance();
    if (!ready_) app_.ExitInstance();
  }
  ~LoadedApplication() {
    if (ready_) app_.ExitInstance();
  }

  std::uint16_t ExportView(const ExportViewParams* params, std::uint16_t flags, std::uint32_t reserved,
                           const char* option, const char* fileName) {
    return ready_ ? app_.DoExportView(params, flags, reserved, option, fileName) : 0;
  }

 private:
  PluginApp app_;
  bool ready_ = false;
};

LoadedApplication theApp;

}  // namespace

extern "C" std::uint16_t ExportView(const ExportViewParams* params, std::uint16_t flags, std::uint32_t reserved,
                                    const char* option, const char* fileName) {
  return theApp.ExportView(params, flags, reserved, option, fileName);
}
