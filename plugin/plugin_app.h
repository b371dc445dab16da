// The plug-in's application object: the Notes session for the library's lifetime, and the column
// list, database and view of the current export.
#pragma once

#include <cstdint>

#include "columns/column_data_array.h"
#include "columns/export_view_params.h"
#include "host/notes.h"
#include "plugin/export_run.h"

class PluginApp {
 public:
  PluginApp() = default;
  PluginApp(const PluginApp&) = delete;
  PluginApp& operator=(const PluginApp&) = delete;

  // Library start: starts the Notes session and switches the class library into throwing mode.
  // False when the session cannot start; the library is then not usable and ExitInstance follows.
  bool InitInstance();
  // Library end: closes help and ends the Notes session.
  int ExitInstance();

  // One export (ExportView's arguments): opens the database and the view the record names, runs
  // the XML export when `option` is "xml" in any letter case, else the CSV export, and shows
  // whatever failure ends it. Always 0.
  std::uint16_t DoExportView(const ExportViewParams* params, std::uint16_t flags, std::uint32_t reserved,
                             const char* option, const char* fileName);

  // The column list as the last export left it.
  const CColumnDataArray& Columns() const { return columns_; }

 private:
  ExportObjects Objects() { return {columns_, session_, database_, view_}; }

  // The runs: the same arguments; failures leave them as exceptions. Always 0.
  std::uint32_t ExportCsv(const ExportViewParams& params, std::uint16_t flags, std::uint32_t reserved,
                          const char* option, const char* fileName);
  std::uint32_t ExportXml(const ExportViewParams& params, std::uint16_t flags, std::uint32_t reserved,
                          const char* option, const char* fileName);

  CColumnDataArray columns_;
  LNNotesSession session_;
  LNDatabase database_;
  LNViewFolder view_;
};

// Whether the option word asks for the XML export: "xml" ignoring ASCII letter case.
bool IsXmlOption(const char* option);
