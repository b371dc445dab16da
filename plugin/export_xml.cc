// The XML run.
#include <optional>

#include "plugin/export_switches.h"
#include "plugin/option_sheets.h"
#include "plugin/plugin_app.h"
#include "plugin/target_name.h"

std::uint32_t PluginApp::ExportXml(const ExportViewParams& /*params*/, std::uint16_t /*flags*/,
                                   std::uint32_t /*reserved*/, const char* /*option*/, const char* fileName) {
  const TargetName target = SplitTargetName(fileName, ".xml");
  const SwitchSettings<settings::XmlOptions> switches = ParseSwitches(target.switchText, kXmlSwitches);
  columns_.LoadFromView(view_);

  settings::XmlOptions options = switches.options;
  if (switches.showSheet) {
    std::optional<settings::XmlOptions> chosen = RunXmlOptionSheet(columns_);
    if (!chosen) return 0;
    options = *chosen;
  }
  return 0;
}
