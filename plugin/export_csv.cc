// The CSV run: an optional line of column titles, then one record per view entry in view order,
// each followed by CR LF and flushed, with a progress dialog that can stop the run between two
// documents.
#include <optional>
#include <string>

#include "plugin/export_run.h"
#include "plugin/export_view.h"
#include "plugin/option_sheets.h"
#include "plugin/output_file.h"
#include "plugin/plugin_app.h"
#include "plugin/separator_texts.h"

namespace {

class CsvRun final : public ExportRun<settings::CsvOptions, LNNote> {
 public:
  explicit CsvRun(const ExportObjects& objects)
      : ExportRun(objects, kCsvSwitches, ".csv", "CSVファイルを書き出しています...") {}

 private:
  std::optional<settings::CsvOptions> RunOptionSheet() override { return RunCsvOptionSheet(objects_); }

  void Open(const settings::CsvOptions& options, const std::string& outputPath, std::uint16_t flags) override {
    objects_.columns.SetCsvFormat(options.ColumnFormat == 0 ? &objects_.session : nullptr,
                                  ListSeparatorText(options.ListSeparater),
                                  ColumnSeparatorText(options.ColumnSeparater), options.ColumnQuote,
                                  SeparatorReplacementText(options.AltSeparater),
                                  LineBreakReplacementText(options.AltCrlf));
    file_.emplace(outputPath, (flags & kAppendToFile) != 0);
    if (options.OutputHeader != 0) WriteLine(objects_.columns.ToCSVHeader());
  }

  void WriteDocument(const ViewEntry& entry, LNNote& document) override {
    WriteLine(objects_.columns.ToCSVData(entry, document));
  }

  void Close() override { file_->Close(); }

  // Every line is on disk once written.
  void WriteLine(const std::string& record) {
    file_->Write(record);
    file_->Write("\r\n");
    file_->Flush();
  }

  std::optional<OutputFile> file_;
};

}  // namespace

std::uint32_t PluginApp::ExportCsv(const ExportViewParams& params, std::uint16_t flags, std::uint32_t /*reserved*/,
                                   const char* /*option*/, const char* fileName) {
  CsvRun(Objects()).Run(params, flags, fileName);
  return 0;
}
