// The road both export runs take, from the typed name to the closed file. A run supplies only
// what differs: its switches, its option sheet, how it opens its file, and what it writes before,
// for and after each view entry.
#pragma once

#include <platform/cp932.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "columns/column_data_array.h"
#include "columns/export_view_params.h"
#include "columns/view_entry_list.h"
#include "host/notes.h"
#include "host/status.h"
#include "messages/report_notes_error.h"
#include "plugin/export_progress_dlg.h"
#include "plugin/export_switches.h"
#include "plugin/target_name.h"

// What the application object lends a run for its duration.
struct ExportObjects {
  CColumnDataArray& columns;
  const LNNotesSession& session;
  LNDatabase& database;
  LNViewFolder& view;
};

// "文書(NOTEID=%8.8X)の取得に失敗しました。" for `id`, platform text.
std::string NoteFetchFailure(NOTEID id);

// `Options` is the run's settings record; `Note` the class each entry's document is fetched into.
template <class Options, class Note>
class ExportRun {
 public:
  ExportRun(const ExportRun&) = delete;
  ExportRun& operator=(const ExportRun&) = delete;
  virtual ~ExportRun() = default;

  // One export to the file typed in `fileName` (platform text, possibly followed by switches):
  // the switches, the column list rebuilt from the view, the option sheet unless the switch X was
  // given (not finished: nothing else happens), the file opened, the progress dialog, all entries
  // read, then one document after another until the last or a cancel, and the file closed.
  // Failures leave as exceptions, with what was written kept in the file.
  void Run(const ExportViewParams& params, std::uint16_t flags, const char* fileName);

 protected:
  // `statusText` is the progress dialog's status line, UTF-8.
  ExportRun(const ExportObjects& objects, std::span<const Switch<Options>> switches, const char* defaultExtension,
            const char* statusText)
      : objects_(objects), switches_(switches), defaultExtension_(defaultExtension), statusText_(statusText) {}

  // Shows the run's option sheet: the settings it was finished with, or nothing.
  virtual std::optional<Options> RunOptionSheet() = 0;
  // Gives the column list the run's format and opens the output file at `outputPath`, which
  // lives until the run ends; may write what precedes the progress dialog.
  virtual void Open(const Options& options, const std::string& outputPath, std::uint16_t flags) = 0;
  // Once the entries are read, before the first document.
  virtual void BeginDocuments() {}
  // One entry with its document, which is unopened for a category row or a failed fetch.
  virtual void WriteDocument(const ViewEntry& entry, Note& document) = 0;
  // After the last document written, whether the loop ended or was cancelled.
  virtual void EndDocuments() {}
  // Closes the file. Everything written is on disk already: each piece is written at once.
  virtual void Close() = 0;

  const ExportObjects objects_;

 private:
  const std::span<const Switch<Options>> switches_;
  const char* const defaultExtension_;
  const char* const statusText_;
};

template <class Options, class Note>
void ExportRun<Options, Note>::Run(const ExportViewParams& params, std::uint16_t flags, const char* fileName) {
  const TargetName target = SplitTargetName(fileName, defaultExtension_);
  const SwitchSettings<Options> switches = ParseSwitches(target.switchText, switches_);
  objects_.columns.LoadFromView(objects_.view);

  Options options = switches.options;
  if (switches.showSheet) {
    std::optional<Options> chosen = RunOptionSheet();
    if (!chosen) return;
    options = *chosen;
  }

  const std::string outputPath = target.fileName.GetPlatformTextPtr();
  Open(options, outputPath, flags);
  {  // the progress dialog goes before the file is closed
    CExportProgressDlg progress;
    progress.Create();
    progress.SetStatusText(platform::Utf8ToCp932(statusText_));

    ViewEntryList entries;
    entries.ReadView(params, options.OutputDocument == 0);  // what could not be read is left out
    BeginDocuments();
    const int count = static_cast<int>(entries.GetCount());
    progress.SetRange(0, count);
    for (int i = 0; i < count; ++i) {
      progress.SetPos(i);
      const ViewEntry entry = entries.GetEntry(static_cast<std::size_t>(i));
      Note document;
      if (!entry.IsCategory()) {
        try {
          const LNSTATUS status = objects_.database.GetNote(entry.GetNoteID(), &document);
          if (status != host::kNoError) throw status;
        } catch (LNSTATUS status) {
          ReportNotesError(status, NoteFetchFailure(entry.GetNoteID()));
          document = Note();
        }
      }
      WriteDocument(entry, document);
      if (progress.CheckCancel()) break;
    }
    EndDocuments();
  }
  Close();
}
