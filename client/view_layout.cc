#include "client/view_layout.h"

#include <algorithm>

namespace client {

ViewLayout ReadViewLayout(const LNViewFolder& view) {
  ViewLayout layout;
  const LNINT count = view.GetColumnCount();
  for (LNINT i = 0; i < count; ++i) {
    LNVFColumn column;
    if (view.GetColumn(i, &column) != 0) break;
    if (column.GetIsCategorized())
      layout.categories.push_back({column.GetColumnNumber(), static_cast<int>(layout.shown.size())});
    if (column.GetHideColumn()) continue;
    layout.shown.push_back({column.GetColumnNumber(), column.GetTitle().GetTextPtr(), column.GetWidth(),
                            column.GetDisplayValuesAsIcons() != FALSE, column.GetIsCategorized() != FALSE,
                            column.GetNumberFormat(),
                            column.GetDatetimeFormat(), column.GetSeparator()});
  }
  // A hidden categorised column's rows show their value in the next visible column.
  const int last = std::max(0, static_cast<int>(layout.shown.size()) - 1);
  for (ViewLayout::Category& category : layout.categories) category.shownColumn = std::min(category.shownColumn, last);
  return layout;
}

}  // namespace client
