#include "dialogs/formula_rules.h"

#include <platform/cp932.h>

#include <cstdlib>

namespace dialogs {
namespace {

int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(platform::AsciiLower(a[i]));
    const auto y = static_cast<unsigned char>(platform::AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

int NextSortMode(int mode) {
  switch (mode) {
    case -2: return 1;
    case 1: return 2;
    case 2: return -2;
  }
  return 1;
}

std::string SortHeader(bool formsList, int mode) {
  const std::string list = formsList ? "フォーム" : "フィールド";
  switch (mode) {
    case 1: return list + " : タイプ別";
    case 2: return list + " : 名前順▼";
    case -2: return list + " : 名前順▲";
  }
  return list;
}

int CompareForSort(int mode, std::string_view typeA, std::string_view nameA, std::string_view typeB,
                   std::string_view nameB) {
  const std::string_view key = std::abs(mode) == 1 ? "TN" : std::abs(mode) == 2 ? "NT" : "";
  int order = 0;
  for (const char letter : key) {
    order = letter == 'T' ? CompareFolded(typeA, typeB) : CompareFolded(nameA, nameB);
    if (order != 0) break;
  }
  return mode < 0 ? -order : order;
}

std::string_view FieldTypeString(int computeOption) {
  static constexpr std::string_view kTypes[] = {"1", "2", "3", "4"};
  return computeOption >= 0 && computeOption <= 3 ? kTypes[computeOption] : "";
}

int FieldImage(int computeOption) { return computeOption >= 0 && computeOption <= 3 ? computeOption + 1 : 0; }

std::string_view ComputeOptionText(int computeOption) {
  static constexpr std::string_view kTexts[] = {"編集可能", "計算結果", "表示用の計算結果", "作成時の計算結果"};
  return computeOption >= 0 && computeOption <= 3 ? kTexts[computeOption] : "";
}

InsertButtons InsertButtonStates(std::optional<int> focusedComputeOption) {
  if (!focusedComputeOption) return {};
  return {*focusedComputeOption != 2, true};
}

}  // namespace dialogs
