#include "setup_run.h"

#include <platform/cp932.h>

#include "export_registration.h"

namespace setup {
namespace {

constexpr const char* kNotFoundText =
    "notes.iniファイルが見つかりません。\n正しいNotesディレクトリでセットアップしてください。";
constexpr const char* kRegisteredText = "Corvaneをnotes.iniに登録しました。";
constexpr const char* kRemovedText =
    "notes.iniからCorvaneの登録を削除しました。\nnVorpel(exe,dll,hlp)ファイルは別途削除してください。";
constexpr const char* kNoFreeSlotText =
    "notes.iniにエクスポートの空き枠(VIEWEXP5からVIEWEXP31)がありません。\n"
    "不要なエクスポートの登録を削除してから、もう一度セットアップしてください。";

void Show(SetupFrontEnd& frontEnd, const char* utf8Text, platform::Icon icon) {
  frontEnd.ShowMessage(platform::Utf8ToCp932(utf8Text), icon);
}

}  // namespace

int RunSetup(const SetupSwitches& switches, const std::optional<std::string>& notesIni, SetupFrontEnd& frontEnd) {
  if (!notesIni) {
    Show(frontEnd, kNotFoundText, platform::Icon::Error);
    frontEnd.ShowHelp(HelpCommand::Context, kNotesIniHelpContext);
    return kExitNoNotesIni;
  }
  if (switches.remove) {
    RemoveExportEntries(*notesIni);
    Show(frontEnd, kRemovedText, platform::Icon::Information);
    return kExitDone;
  }
  if (!RegisterExportEntries(*notesIni)) {
    Show(frontEnd, kNoFreeSlotText, platform::Icon::Error);
    return kExitNoFreeSlot;
  }
  Show(frontEnd, kRegisteredText, platform::Icon::Information);
  frontEnd.ShowHelp(HelpCommand::Contents, 0);
  return kExitDone;
}

}  // namespace setup
