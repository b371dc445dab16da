// Fuzzes the typed name of an export: splitting it into file name and switches and reading the
// switches of both runs never fails, whatever the bytes; rejected switches become messages.
#include <platform/testing/recording_ui.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plugin/export_switches.h"
#include "plugin/target_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static platform::testing::ScopedRecordingUi* const ui = new platform::testing::ScopedRecordingUi;
  ui->boxes.clear();
  const std::string typed(reinterpret_cast<const char*>(data), size);
  for (const char* extension : {".csv", ".xml"}) {
    const TargetName target = SplitTargetName(LNString(typed.c_str()), extension);
    const std::string switches = target.switchText.GetPlatformTextPtr();
    if (switches.size() < 2 || switches.substr(switches.size() - 2) != " \\") std::abort();
    ParseSwitches(target.switchText, kCsvSwitches);
    ParseSwitches(target.switchText, kXmlSwitches);
  }
  return 0;
}
