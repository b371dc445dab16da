#include "setup_run.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>

#include <string>
#include <vector>

#include "scratch_directory.h"

namespace setup {
namespace {

// Records what the run shows, in order, as "message|<icon>|<UTF-8 text>" and "help|<command>|<data>".
class RecordingFrontEnd final : public SetupFrontEnd {
 public:
  void ShowMessage(std::string_view text, platform::Icon icon) override {
    events.push_back("message|" + std::to_string(static_cast<int>(icon)) + "|" + platform::Cp932ToUtf8(text));
  }
  void ShowHelp(HelpCommand command, unsigned long data) override {
    events.push_back("help|" + std::to_string(static_cast<unsigned>(command)) + "|" + std::to_string(data));
  }
  std::vector<std::string> events;
};

std::string Message(platform::Icon icon, const std::string& text) {
  return "message|" + std::to_string(static_cast<int>(icon)) + "|" + text;
}

const std::string kNotFound =
    Message(platform::Icon::Error,
            "notes.iniファイルが見つかりません。\n正しいNotesディレクトリでセットアップしてください。");
const std::string kRegistered = Message(platform::Icon::Information, "Corvaneをnotes.iniに登録しました。");
const std::string kRemoved = Message(
    platform::Icon::Information,
    "notes.iniからCorvaneの登録を削除しました。\nnVorpel(exe,dll,hlp)ファイルは別途削除してください。");
const std::string kNoFreeSlot = Message(platform::Icon::Error,
                                        "notes.iniにエクスポートの空き枠(VIEWEXP5からVIEWEXP31)がありません。\n"
                                        "不要なエクスポートの登録を削除してから、もう一度セットアップしてください。");

std::string FullSlotTable() {
  std::string ini = "[Notes]\r\n";
  for (int slot = 5; slot <= 31; ++slot)
    ini += "VIEWEXP" + std::to_string(slot) + "=Other " + std::to_string(slot) + ",1,_OTHER,,.X,,1,\r\n";
  return ini;
}

struct RunCase {
  const char* name;
  bool remove;
  bool hasNotesIni;
  std::string notesIni;
  int exitCode;
  std::vector<std::string> events;
};

TEST(RunSetup, ShowsOneMessageAndTheHelpOfEachOutcome) {
  const RunCase cases[] = {
      {"register without notes.ini", false, false, "", kExitNoNotesIni, {kNotFound, "help|1|123"}},
      {"remove without notes.ini", true, false, "", kExitNoNotesIni, {kNotFound, "help|1|123"}},
      {"register", false, true, "[Notes]\r\n", kExitDone, {kRegistered, "help|3|0"}},
      {"remove", true, true, "[Notes]\r\n", kExitDone, {kRemoved}},
      {"register with no free slot", false, true, FullSlotTable(), kExitNoFreeSlot, {kNoFreeSlot}},
      {"remove with no free slot", true, true, FullSlotTable(), kExitDone, {kRemoved}},
  };
  for (const RunCase& c : cases) {
    ScratchDirectory dir;
    std::filesystem::path file = dir.path() / "notes.ini";
    if (c.hasNotesIni) WriteBytes(file, c.notesIni);
    std::optional<std::string> notesIni;
    if (c.hasNotesIni) notesIni = platform::ToPlatformPath(file.string());

    RecordingFrontEnd frontEnd;
    SetupSwitches switches;
    switches.remove = c.remove;
    EXPECT_EQ(RunSetup(switches, notesIni, frontEnd), c.exitCode) << c.name;
    EXPECT_EQ(frontEnd.events, c.events) << c.name;
    EXPECT_EQ(std::filesystem::exists(file), c.hasNotesIni) << c.name;
  }
}

}  // namespace
}  // namespace setup
