// What a view shows: its visible columns with their titles, widths and formats, and where its
// category rows show their values.
#pragma once

#include <string>
#include <vector>

#include <host/notes.h>

namespace client {

struct ShownColumn {
  int valueIndex = 0;  // the index of its value among an entry's summary values
  std::string title;   // UTF-8; "" for an untitled column
  double width = 10;   // in average characters
  bool icons = false;  // values are icon numbers
  bool categorized = false;  // its values show on the category rows only
  LNNumberFormat numberFormat;
  LNDatetimeFormat datetimeFormat;
  LNVFSEPARATOR separator = LNVFSEPARATOR_COMMA;
};

struct ViewLayout {
  std::vector<ShownColumn> shown;  // the visible columns, left to right
  // For each categorised column, left to right: the index of its value in an entry, and the shown
  // column its category rows show their value in (its own, or the next visible one when it is hidden).
  struct Category {
    int valueIndex;
    int shownColumn;
  };
  std::vector<Category> categories;
};

// The layout of `view`, which is open.
ViewLayout ReadViewLayout(const LNViewFolder& view);

}  // namespace client
