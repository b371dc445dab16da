#include "messages/app_messages.h"

#include <platform/ui.h>

void ShowAppMessage(std::string_view platformText) {
  platform::MessageBox(platformText, kAppTitle, platform::Buttons::Ok, platform::Icon::Exclamation);
}

bool AskAppQuestion(std::string_view platformText) {
  return platform::MessageBox(platformText, kAppTitle, platform::Buttons::YesNo, platform::Icon::Exclamation) ==
         platform::Answer::Yes;
}
