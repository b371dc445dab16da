#include "plugin/app_message.h"

#include <platform/ui.h>

void ShowAppMessage(std::string_view platformText) {
  platform::MessageBox(platformText, kAppTitle, platform::Buttons::Ok, platform::Icon::Exclamation);
}
