// The XML run: the declaration, the database start tag, one doc element per view entry in view
// order and the end tag, in the platform's text mode (every line feed written as CR LF), in
// Shift_JIS or UTF-8, with a progress dialog that can stop the run between two documents.
#include "plugin/export_xml.h"

#include <platform/cp932.h>

#include <optional>
#include <string>

#include "columns/view_entry_list.h"
#include "plugin/export_progress_dlg.h"
#include "plugin/export_switches.h"
#include "plugin/framework_exceptions.h"
#include "plugin/option_sheets.h"
#include "plugin/output_file.h"
#include "plugin/plugin_app.h"
#include "plugin/report_notes_error.h"
#include "plugin/separator_texts.h"
#include "plugin/target_name.h"
#include "xml/escape_xml.h"
#include "xml/note_id_hex.h"

std::string ToUtf8(std::string_view cp932) {
  const std::u16string units = platform::Cp932ToUtf16(cp932);
  std::size_t length = 0;
  for (const char16_t unit : units) length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
  std::string utf8(length, '\0');
  std::size_t at = 0;
  for (const char16_t unit : units) {
    if (unit < 0x80) {
      utf8[at++] = static_cast<char>(unit);
    } else if (unit < 0x800) {
      utf8[at++] = static_cast<char>(0xC0 | (unit >> 6));
      utf8[at++] = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      utf8[at++] = static_cast<char>(0xE0 | (unit >> 12));
      utf8[at++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      utf8[at++] = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return utf8;
}

namespace {

// The output file in the platform's text mode: every line feed reaches the file as CR LF. Like a
// buffered stream, it hands the file a block whenever one is full, so an export holds at most
// one block of output in memory; the rest reaches the disk when the file is closed.
class TextModeWriter {
 public:
  explicit TextModeWriter(OutputFile& file) : file_(file) {}

  void Write(std::string_view text) {
    std::string translated;
    translated.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
      if (c == '\n') translated += '\r';
      translated += c;
    }
    file_.Write(translated);
    pending_ += translated.size();
    if (pending_ >= kBlock) {
      pending_ = 0;
      file_.Flush();
    }
  }

  // Puts what was written on disk when a failure ends the run; a failure of its own is dropped,
  // since the one that ended the run is reported.
  void KeepWhatWasWritten() {
    try {
      file_.Flush();
    } catch (CException* e) {
      e->Delete();
    }
  }

 private:
  static constexpr std::size_t kBlock = 64 * 1024;
  OutputFile& file_;
  std::size_t pending_ = 0;
};

// Holds the view open for the run's loop; closes it on every way out.
class OpenView {
 public:
  explicit OpenView(LNViewFolder& view) : view_(view) {
    const LNSTATUS status = view_.Open(6);
    if (status != host::kNoError) throw status;
  }
  ~OpenView() {
    try {
      if (view_.IsOpen()) view_.Close();
    } catch (LNSTATUS) {
      // The run is over either way; a view that will not close is the host's to mind.
    }
  }
  OpenView(const OpenView&) = delete;
  OpenView& operator=(const OpenView&) = delete;

 private:
  LNViewFolder& view_;
};

// " name=\"...\"" with the escaped platform text of `value`.
std::string Attribute(const char* name, const LNString& value) {
  return std::string(" ") + name + "=\"" + EscapeXML(value.GetPlatformTextPtr()) + '"';
}

// "文書(NOTEID=%8.8X)の取得に失敗しました。" for `id`, platform text.
std::string NoteFetchFailure(NOTEID id) {
  return platform::Utf8ToCp932("文書(NOTEID=") + NoteIdHex(id) + platform::Utf8ToCp932(")の取得に失敗しました。");
}

}  // namespace

std::uint32_t PluginApp::ExportXml(const ExportViewParams& params, std::uint16_t /*flags*/, std::uint32_t /*reserved*/,
                                   const char* /*option*/, const char* fileName) {
  const TargetName target = SplitTargetName(fileName, ".xml");
  const SwitchSettings<settings::XmlOptions> switches = ParseSwitches(target.switchText, kXmlSwitches);
  columns_.LoadFromView(view_);

  settings::XmlOptions options = switches.options;
  if (switches.showSheet) {
    std::optional<settings::XmlOptions> chosen = RunXmlOptionSheet(columns_);
    if (!chosen) return 0;
    options = *chosen;
  }

  const std::string outputPath = target.fileName.GetPlatformTextPtr();
  columns_.SetXmlFormat(options.ColumnFormat == 0 ? &session_ : nullptr, ListSeparatorText(options.ListSeparater),
                        options.ItemAll != 0, options.FieldAll != 0, options.OutputNoteid != 0, options.OutputType != 0,
                        options.AttachFile != 0 ? outputPath.c_str() : nullptr);
  const bool utf8 = options.XmlEncode != 0;
  const auto encoded = [utf8](std::string text) { return utf8 ? ToUtf8(text) : text; };

  OutputFile file(outputPath, false);  // always created anew, whatever the client's flags
  TextModeWriter out(file);
  try {
    CExportProgressDlg progress;
    progress.Create();
    progress.SetStatusText(platform::Utf8ToCp932("XMLファイルを書き出しています..."));

    ViewEntryList entries;
    entries.ReadView(params, options.OutputDocument == 0);  // what could not be read is left out
    const OpenView openView(view_);

    out.Write(utf8 ? "<?xml version=\"1.0\"?>\n" : "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n");
    out.Write(encoded("<database" + Attribute("title", database_.GetTitle()) +
                      Attribute("server", database_.GetServer()) + Attribute("path", database_.GetFilepath()) +
                      Attribute("view", view_.GetName()) + ">\n"));

    const int count = static_cast<int>(entries.GetCount());
    progress.SetRange(0, count);
    for (int i = 0; i < count; ++i) {
      progress.SetPos(i);
      const ViewEntry entry = entries.GetEntry(static_cast<std::size_t>(i));
      LNDocument document;
      if (!entry.IsCategory()) {
        try {
          const LNSTATUS status = database_.GetNote(entry.GetNoteID(), &document);
          if (status != host::kNoError) throw status;
        } catch (LNSTATUS status) {
          ReportNotesError(status, NoteFetchFailure(entry.GetNoteID()));
          document = LNDocument();
        }
      }
      out.Write(encoded(columns_.ToXMLData(entry, document)));
      if (progress.CheckCancel()) break;
    }
    out.Write("</database>\n");
  } catch (...) {
    out.KeepWhatWasWritten();
    throw;
  }
  file.Close();
  return 0;
}
