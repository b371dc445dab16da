// The plug-in's resources as data: dialog templates (positions and sizes in dialog units, the
// controls in creation and tab order), the string table and the pictures' numbers. Texts are UTF-8.
#pragma once

#include <string_view>
#include <vector>

namespace resources {

enum class ControlKind {
  GroupBox,
  RadioButton,
  CheckBox,
  PushButton,
  DefaultPushButton,
  DropDownList,
  Label,
  LinkLabel,
  ProgressBar,
  ListView,
  MultiLineEdit,
};

// Style bits of a control, beside its kind.
enum ControlStyle : unsigned {
  kNoStyle = 0,
  kStartsGroup = 1u << 0,       // the first radio button of a group
  kTabStop = 1u << 1,           // reached with Tab (lists, edits and push buttons always are)
  kRightAligned = 1u << 2,      // label text
  kCentred = 1u << 3,           // label text
  kVerticallyCentred = 1u << 4, // label text, beside a list
  kSingleSelection = 1u << 5,   // list view; multiple selection otherwise
  kEditableLabels = 1u << 6,    // list view
  kClickableHeader = 1u << 7,   // list view
};

inline constexpr int kNoId = -1;  // a control that nothing refers to by number

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  int x, y, cx, cy;
  unsigned style = kNoStyle;
  std::vector<std::string_view> entries = {};  // a drop-down list's entries, in order
};

struct DialogTemplate {
  int id;
  std::string_view caption;
  int cx, cy;
  std::vector<ControlTemplate> controls;
};

// Every dialog is set in this font; where it is not installed, the closest Japanese font is.
inline constexpr std::string_view kDialogFont = "ＭＳ Ｐゴシック";
inline constexpr int kDialogFontPoints = 9;

// Dialog numbers.
inline constexpr int kCsvOptionPage = 1009;
inline constexpr int kProgressDialog = 1011;
inline constexpr int kColumnSelectDialog = 1015;
inline constexpr int kFormulaInputDialog = 1018;
inline constexpr int kXmlOptionPage = 1019;

// The template with that number; every number above has one.
const DialogTemplate& Dialog(int id);

// The string table entry with that number; "" for a number without one.
std::string_view String(int id);

// Picture numbers: the two sheets' icons and the lists' image strips.
inline constexpr int kCsvSheetIcon = 1010;
inline constexpr int kXmlSheetIcon = 21015;
inline constexpr int kColumnImages = 21009;     // 4 images of 16 × 16
inline constexpr int kFieldImages = 21010;      // 5 images of 16 × 16
inline constexpr int kFormImages = 21011;       // 2 images of 16 × 16

}  // namespace resources
