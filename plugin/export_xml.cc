// The XML run: the declaration, the database start tag, one doc element per view entry in view
// order and the end tag, in the platform's text mode (every line feed written as CR LF), in
// Shift_JIS or UTF-8, with a progress dialog that can stop the run between two documents.
#include <platform/cp932.h>

#include <optional>
#include <string>

#include "plugin/export_run.h"
#include "plugin/option_sheets.h"
#include "plugin/output_file.h"
#include "plugin/plugin_app.h"
#include "plugin/separator_texts.h"
#include "xml/escape_xml.h"
#include "xml/xml_document.h"

namespace {

// The output file in the platform's text mode: every line feed reaches the file as CR LF. Each
// piece written (the declaration, a tag of the database element, one doc element) goes to the
// file at once with one write, as the CSV run writes its records, so a run stopped anywhere leaves
// whole elements. Only a kill that lands inside such a write of more than one page can cut it: the
// system stops copying at a page boundary then.
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
    file_.Flush();
  }

 private:
  OutputFile& file_;
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

// " name=\"...\"" with the escaped text of `value`, in UTF-8.
std::string Attribute(const char* name, const LNString& value) {
  return std::string(" ") + name + "=\"" + EscapeXMLAttribute(value.GetTextPtr()) + '"';
}

class XmlRun final : public ExportRun<settings::XmlOptions, LNDocument> {
 public:
  explicit XmlRun(const ExportObjects& objects)
      : ExportRun(objects, kXmlSwitches, ".xml", "XMLファイルを書き出しています...") {}

 private:
  std::optional<settings::XmlOptions> RunOptionSheet() override { return RunXmlOptionSheet(objects_); }

  void Open(const settings::XmlOptions& options, const std::string& outputPath, std::uint16_t) override {
    objects_.columns.SetXmlFormat(options.ColumnFormat == 0 ? &objects_.session : nullptr,
                                  ListSeparatorText(options.ListSeparater), options.ItemAll != 0,
                                  options.FieldAll != 0, options.OutputNoteid != 0, options.OutputType != 0,
                                  options.AttachFile != 0 ? outputPath.c_str() : nullptr);
    utf8_ = options.XmlEncode != 0;
    file_.emplace(outputPath, false);  // always created anew, whatever the client's flags
    out_.emplace(*file_);
  }

  void BeginDocuments() override {
    openView_.emplace(objects_.view);
    out_->Write(utf8_ ? "<?xml version=\"1.0\"?>\n" : "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n");
    const LNDatabase& database = objects_.database;
    WriteEncoded("<database" + Attribute("title", database.GetTitle()) + Attribute("server", database.GetServer()) +
                 Attribute("path", database.GetFilepath()) + Attribute("view", objects_.view.GetName()) + ">\n");
  }

  void WriteDocument(const ViewEntry& entry, LNDocument& document) override {
    WriteEncoded(ToXMLData(objects_.columns, entry, document));
  }

  void EndDocuments() override { out_->Write("</database>\n"); }
  void Close() override { file_->Close(); }

  // UTF-8 text as the file's encoding: Shift_JIS writes the characters code page 932 cannot hold
  // as character references.
  void WriteEncoded(const std::string& text) { out_->Write(utf8_ ? text : platform::Utf8ToCp932ForXml(text)); }

  bool utf8_ = false;
  std::optional<OutputFile> file_;
  std::optional<TextModeWriter> out_;
  std::optional<OpenView> openView_;  // closed when the run ends, on every way out
};

}  // namespace

std::uint32_t PluginApp::ExportXml(const ExportViewParams& params, std::uint16_t flags, std::uint32_t /*reserved*/,
                                   const char* /*option*/, const char* fileName) {
  XmlRun(Objects()).Run(params, flags, fileName);
  return 0;
}
