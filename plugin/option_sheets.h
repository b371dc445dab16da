// The option sheets of the two runs, as a run asks for them: the settings the user finished the
// sheet with, or nothing when the sheet was not finished (the run then ends and touches no file).
#pragma once

#include <optional>

#include "plugin/export_run.h"
#include "settings/settings_records.h"

// The sheets need a display. Without one each says so, naming the switch /X, and ends as a
// cancelled sheet does. "列を選択する...(&X)" opens the column dialog over the export's column list.
std::optional<settings::CsvOptions> RunCsvOptionSheet(const ExportObjects& objects);
std::optional<settings::XmlOptions> RunXmlOptionSheet(const ExportObjects& objects);
