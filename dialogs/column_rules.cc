#include "dialogs/column_rules.h"

#include <platform/cp932.h>

namespace dialogs {

ColumnButtons ColumnButtonStates(bool focusedIsFormula, const std::vector<int>& selected, int count) {
  const int k = static_cast<int>(selected.size());
  return {focusedIsFormula, focusedIsFormula, k >= 1 && selected.back() > k - 1, k >= 1 && selected.front() < count - k};
}

std::vector<std::pair<int, int>> UpSwaps(const std::vector<int>& selected) {
  std::vector<std::pair<int, int>> swaps;
  for (int i = 0; i < static_cast<int>(selected.size()); ++i)
    if (selected[i] > i) swaps.emplace_back(selected[i] - 1, selected[i]);
  return swaps;
}

std::vector<std::pair<int, int>> DownSwaps(const std::vector<int>& selected, int count) {
  std::vector<std::pair<int, int>> swaps;
  const int k = static_cast<int>(selected.size());
  for (int i = 0; i < k; ++i) {
    const int t = selected[k - 1 - i];  // descending
    if (t < count - 1 - i) swaps.emplace_back(t, t + 1);
  }
  return swaps;
}

ColumnSpecList RebuildColumns(const ColumnSpecList& working, const std::vector<std::size_t>& displayed) {
  ColumnSpecList rebuilt;
  for (const std::size_t index : displayed) {
    if (working[index].kind == ColumnKind::Unset) continue;
    rebuilt.SetAtGrow(rebuilt.GetCount(), working[index]);
  }
  return rebuilt;
}

int ColumnImage(const ColumnSpec& spec) {
  if (spec.kind == ColumnKind::Formula) return 3;
  if (spec.icon) return 2;
  if (spec.hidden) return 1;
  return 0;
}

std::string ColumnTip(const ColumnSpec& spec) {
  if (spec.kind == ColumnKind::Formula)
    return platform::Utf8ToCp932("タイプ : 式\r\n式 : ") + spec.formula.GetText().GetPlatformTextPtr();
  const char* flag = spec.icon ? "(アイコン)" : spec.hidden ? "(非表示)" : "";
  return platform::Utf8ToCp932(std::string("タイプ : ビュー") + flag + "\r\n列番号 : " +
                               std::to_string(static_cast<int>(spec.columnNumber)));
}

}  // namespace dialogs
