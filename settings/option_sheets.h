// The CSV and XML option sheets: one-page wizards over a settings record loaded from notes.ini.
// Finishing one stores its record, applies its column choice to the export's column list, and
// leaves the record for the run to take.
#pragma once

#include <functional>

#include "columns/column_data_array.h"
#include "host/notes.h"
#include "settings/option_sheet.h"
#include "settings/settings_records.h"

class QComboBox;

namespace settings {

// What "列を選択する...(&X)" opens: the column dialog over the export's column list.
using ChooseColumns = std::function<void()>;

class CExportPropertySheet final : public OptionSheet {
 public:
  // The record is created and loaded from notes.ini here; `columns` and `view` are the export's.
  CExportPropertySheet(CColumnDataArray& columns, LNViewFolder& view, ChooseColumns chooseColumns);
  const CsvOptions& Options() const { return options_; }

 private:
  void ShowValues() override;
  void FinishPage() override;
  // The four custom lists are enabled only in the custom CSV format.
  void EnableCustomLists();

  CColumnDataArray& columns_;
  LNViewFolder& view_;
  CsvOptions options_;
};

class CXmlExportPropertySheet final : public OptionSheet {
 public:
  CXmlExportPropertySheet(CColumnDataArray& columns, LNViewFolder& view, ChooseColumns chooseColumns);
  const XmlOptions& Options() const { return options_; }

 private:
  void ShowValues() override;
  void FinishPage() override;

  CColumnDataArray& columns_;
  LNViewFolder& view_;
  XmlOptions options_;
};

}  // namespace settings
