// The option sheets of the two runs, as a run asks for them: the settings the user finished the
// sheet with, or nothing when the sheet was not finished (the run then ends and touches no file).
#pragma once

#include <optional>

#include "columns/column_data_array.h"
#include "host/notes.h"
#include "settings/settings_records.h"

// The sheets need a display. Without one each says so, naming the switch /X, and ends as a
// cancelled sheet does.
std::optional<settings::CsvOptions> RunCsvOptionSheet(CColumnDataArray& columns, LNViewFolder& view);
std::optional<settings::XmlOptions> RunXmlOptionSheet(CColumnDataArray& columns, LNViewFolder& view);
