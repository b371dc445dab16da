// The CSV run: an optional line of column titles, then one record per view entry in view order,
// each followed by CR LF and flushed, with a progress dialog that can stop the run between two
// documents.
#include <platform/cp932.h>

#include <cstdio>
#include <optional>
#include <string>

#include "columns/view_entry_list.h"
#include "plugin/export_progress_dlg.h"
#include "plugin/export_switches.h"
#include "plugin/option_sheets.h"
#include "plugin/output_file.h"
#include "plugin/plugin_app.h"
#include "plugin/report_notes_error.h"
#include "plugin/separator_texts.h"
#include "plugin/target_name.h"

namespace {

// "文書(NOTEID=%8.8X)の取得に失敗しました。" for `id`, platform text.
std::string NoteFetchFailure(NOTEID id) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%8.8X", static_cast<unsigned>(id));
  return platform::Utf8ToCp932("文書(NOTEID=") + hex + platform::Utf8ToCp932(")の取得に失敗しました。");
}

}  // namespace

std::uint32_t PluginApp::ExportCsv(const ExportViewParams& params, std::uint16_t flags, std::uint32_t /*reserved*/,
                                   const char* /*option*/, const char* fileName) {
  const TargetName target = SplitTargetName(fileName, ".csv");
  const SwitchSettings<settings::CsvOptions> switches = ParseSwitches(target.switchText, kCsvSwitches);
  columns_.LoadFromView(view_);

  settings::CsvOptions options = switches.options;
  if (switches.showSheet) {
    std::optional<settings::CsvOptions> chosen = RunCsvOptionSheet(columns_);
    if (!chosen) return 0;
    options = *chosen;
  }

  columns_.SetCsvFormat(options.ColumnFormat == 0 ? &session_ : nullptr, ListSeparatorText(options.ListSeparater),
                        ColumnSeparatorText(options.ColumnSeparater), options.ColumnQuote,
                        SeparatorReplacementText(options.AltSeparater), LineBreakReplacementText(options.AltCrlf));

  OutputFile file(target.fileName.GetPlatformTextPtr(), (flags & kAppendToFile) != 0);
  if (options.OutputHeader != 0) {
    file.Write(columns_.ToCSVHeader());
    file.Write("\r\n");
    file.Flush();
  }

  CExportProgressDlg progress;
  progress.Create();
  progress.SetStatusText(platform::Utf8ToCp932("CSVファイルを書き出しています..."));

  ViewEntryList entries;
  entries.ReadView(params, options.OutputDocument == 0);  // what could not be read is left out
  const int count = static_cast<int>(entries.GetCount());
  progress.SetRange(0, count);

  for (int i = 0; i < count; ++i) {
    progress.SetPos(i);
    const ViewEntry entry = entries.GetEntry(static_cast<std::size_t>(i));
    LNNote note;
    if (!entry.IsCategory()) {
      try {
        const LNSTATUS status = database_.GetNote(entry.GetNoteID(), &note);
        if (status != host::kNoError) throw status;
      } catch (LNSTATUS status) {
        ReportNotesError(status, NoteFetchFailure(entry.GetNoteID()));
        note = LNNote();
      }
    }
    file.Write(columns_.ToCSVData(entry, note));
    file.Write("\r\n");
    file.Flush();
    if (progress.CheckCancel()) break;
  }

  file.Close();
  return 0;
}
