#include "setup_run.h"

#include <platform/cp932.h>
#include <platform/files.h>

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
constexpr const char* kNotWrittenText = "notes.iniに書き込めませんでした。notes.iniは変更されていません。\n";
constexpr const char* kNotWrittenAdvice = "\nファイルが読み取り専用でないか、書き込む権限があるか確認してください。";

void Show(SetupFrontEnd& frontEnd, const char* utf8Text, platform::Icon icon) {
  frontEnd.ShowMessage(platform::Utf8ToCp932(utf8Text), icon);
}

// notes.ini (a platform path) could not be written: what, where, and what to look at.
int NotWritten(SetupFrontEnd& frontEnd, const std::string& notesIni) {
  frontEnd.ShowMessage(platform::Utf8ToCp932(kNotWrittenText) + platform::ToDisplayPath(notesIni) +
                           platform::Utf8ToCp932(kNotWrittenAdvice),
                       platform::Icon::Error);
  return kExitNotWritten;
}

}  // namespace

int RunSetup(const SetupSwitches& switches, const std::optional<std::string>& notesIni, SetupFrontEnd& frontEnd) {
  if (!notesIni) {
    Show(frontEnd, kNotFoundText, platform::Icon::Error);
    frontEnd.ShowHelp(HelpCommand::Context, kNotesIniHelpContext);
    return kExitNoNotesIni;
  }
  if (switches.remove) {
    if (!RemoveExportEntries(*notesIni)) return NotWritten(frontEnd, *notesIni);
    Show(frontEnd, kRemovedText, platform::Icon::Information);
    return kExitDone;
  }
  switch (RegisterExportEntries(*notesIni)) {
    case Registration::Written: break;
    case Registration::NoFreeSlot:
      Show(frontEnd, kNoFreeSlotText, platform::Icon::Error);
      return kExitNoFreeSlot;
    case Registration::NotWritten: return NotWritten(frontEnd, *notesIni);
  }
  Show(frontEnd, kRegisteredText, platform::Icon::Information);
  frontEnd.ShowHelp(HelpCommand::Contents, 0);
  return kExitDone;
}

}  // namespace setup
