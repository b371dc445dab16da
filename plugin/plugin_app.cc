#include "plugin/plugin_app.h"

#include <platform/cp932.h>
#include <platform/ui.h>

#include <exception>
#include <string_view>

#include "messages/app_help.h"
#include "plugin/export_failures.h"
#include "plugin/framework_exceptions.h"

namespace {

void Check(LNSTATUS status) {
  if (status != host::kNoError) throw status;
}

}  // namespace

bool IsXmlOption(const char* option) { return option != nullptr && platform::EqualsIgnoringAsciiCase(option, "xml"); }

bool PluginApp::InitInstance() {
  if (session_.Initialize(0x00F0, 0, nullptr, 1, nullptr) != host::kNoError) return false;
  LNSetThrowAllErrorsGlobal(TRUE);
  return true;
}

int PluginApp::ExitInstance() {
  AppWinHelp(0, platform::HelpCommand::Quit);
  session_.Term(0);
  return 0;
}

std::uint16_t PluginApp::DoExportView(const ExportViewParams* params, std::uint16_t flags, std::uint32_t reserved,
                                      const char* option, const char* fileName) {
  database_ = LNDatabase();
  view_ = LNViewFolder();
  try {
    if (params == nullptr) throw host::kErrInvalidArgument;
    Check(session_.GetDatabase(params->DatabaseHandle(), &database_));
    try {
      Check(database_.GetViewFolder(params->ViewNoteId(), &view_));
    } catch (LNSTATUS) {
      // A view this database cannot open is taken for a personal folder of the desktop file.
      throw CString(platform::Utf8ToCp932("desktop.dsk内の個人フォルダから書き出すことは出来ません。"));
    }
    if (IsXmlOption(option)) {
      ExportXml(*params, flags, reserved, option, fileName);
    } else {
      ExportCsv(*params, flags, reserved, option, fileName);
    }
  } catch (...) {
    ReportExportFailure(std::current_exception());
  }
  try {
    database_.GetDatabaseHandle(0);
  } catch (...) {
    // Whatever the closing call reports, the export is over.
  }
  return 0;
}
