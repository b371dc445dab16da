// Help files: UTF-8 text in topics. A line "@ NUMBER TITLE" starts a topic with that context
// number (decimal, or hexadecimal after "0x") and title; the lines up to the next such line are
// its text. Topic 0 is the contents. Lines before the first topic are comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/api.h"

namespace platform {

struct HelpTopic {
  unsigned long context = 0;
  std::string title;  // UTF-8
  std::string text;   // UTF-8, lines joined by "\n", without trailing blank lines
};

// The topics of the help file at `platformPath`, in file order. A file of that name in another
// ASCII letter case is taken when the name itself is not there ("nVorpel.HLP" finds
// "nVorpel.hlp"). Nothing when there is no such file, it cannot be read, or it holds no topic.
PLATFORM_API std::optional<std::vector<HelpTopic>> ReadHelpFile(std::string_view platformPath);

// The file-system path of the help file `platformPath` names, found as ReadHelpFile finds it;
// nothing when there is none.
PLATFORM_API std::optional<std::string> FindHelpFile(std::string_view platformPath);

// The topic of `context`, or null.
PLATFORM_API const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, unsigned long context);

}  // namespace platform
