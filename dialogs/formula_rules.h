// The rules of the formula dialog that depend only on modes, kinds and options: the sort modes of
// its two lists with their headers and order, the field images and kind texts, and the insert
// buttons.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dialogs {

// The sort mode after a click on a list's header: 1 → 2 → −2 → 1, and 1 from any other mode.
int NextSortMode(int mode);
// The header of the forms list or the fields list in `mode`, UTF-8.
std::string SortHeader(bool formsList, int mode);
// <0, 0, >0 for two items with type strings and names (platform text): by the key "TN" (mode
// ±1) or "NT" (±2), each string compared byte by byte with ASCII A–Z folded to lower case;
// negated for a negative mode; always 0 in mode 0.
int CompareForSort(int mode, std::string_view typeA, std::string_view nameA, std::string_view typeB,
                   std::string_view nameB);

// A form's type string "0", a subform's "1".
inline std::string_view FormTypeString(bool isForm) { return isForm ? "0" : "1"; }
// A field's type string: "1" … "4" for compute options 0 … 3, "" for any other.
std::string_view FieldTypeString(int computeOption);
// A field's image: 1 … 4 for compute options 0 … 3, 0 for any other.
int FieldImage(int computeOption);
// "編集可能", "計算結果", "表示用の計算結果", "作成時の計算結果" for compute options 0 … 3, "" else; UTF-8.
std::string_view ComputeOptionText(int computeOption);

struct InsertButtons {
  bool name = false;
  bool formula = false;
  bool operator==(const InsertButtons&) const = default;
};
// With no focused field both are disabled; else the formula button is enabled, and the name
// button unless the field is computed for display (option 2).
InsertButtons InsertButtonStates(std::optional<int> focusedComputeOption);

}  // namespace dialogs
