#include "settings/option_page_rules.h"

#include <algorithm>
#include <array>

namespace settings {
namespace {

constexpr int kCsvPage = 1009;
constexpr int kXmlPage = 1019;
constexpr std::array kLinkLabels = {1062, 1063};
// The controls the XML page shares with the CSV page.
constexpr std::array kShared = {1032, 21007, 21009, 1033, 21012, 21013, 21014, 1034, 1036, 21024, 1037, 21019};

}  // namespace

unsigned long OptionHelpContext(int page, int control) {
  if (control == kHelpButton || (page == kCsvPage && control == kLinkLabels[0]) ||
      (page == kXmlPage && control == kLinkLabels[1]))
    return 0;
  if (page == kXmlPage && std::ranges::find(kShared, control) != kShared.end()) page = kCsvPage;
  return 0x80000000ul + 0x10000ul * static_cast<unsigned long>(page) + static_cast<unsigned long>(control);
}

void ApplyColumnChoice(std::int32_t outputColumn, CColumnDataArray& columns, LNViewFolder& view) {
  if (outputColumn == 2) return;
  columns.LoadFromView(view);
  if (outputColumn == 1) columns.CheckAll();
}

}  // namespace settings
