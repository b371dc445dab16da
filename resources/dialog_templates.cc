#include <map>

#include "resources/dialog_template.h"

namespace resources {
namespace {

using enum ControlKind;

const std::vector<std::string_view> kFormatEntries = {"する", "しない"};
const std::vector<std::string_view> kListSeparatorEntries = {
    "設計に準拠", "なし", "スペース「 」", "カンマ「,」", "コロン「:」", "セミコロン「;」", "改行"};
constexpr unsigned kLabelStyle = kVerticallyCentred;
constexpr unsigned kRightLabelStyle = kRightAligned | kVerticallyCentred;
constexpr std::string_view kProductLabel = "nVorpel Version 2.2";

DialogTemplate CsvOptionPage() {
  return {kCsvOptionPage, "CSVファイルで書き出し", 291, 213, {
      {1032, GroupBox, "書き出し対象の文書", 7, 7, 110, 47},
      {21007, RadioButton, "すべての文書(&A)", 19, 19, 94, 12, kStartsGroup | kTabStop},
      {21009, RadioButton, "選択した文書(&S)", 19, 35, 94, 12},
      {1033, GroupBox, "書き出し対象の列", 7, 65, 110, 67},
      {21012, RadioButton, "表示されている列のみ(&V)", 19, 80, 94, 12, kStartsGroup | kTabStop},
      {21013, RadioButton, "非表示の列もすべて(&H)", 19, 96, 94, 12},
      {21014, RadioButton, "列を選択する...(&X)", 19, 112, 94, 12},
      {1034, GroupBox, "出力フォーマット", 128, 7, 156, 204},
      {21011, CheckBox, "列名を出力する(&T)", 140, 25, 114, 12, kTabStop},
      {21024, DropDownList, "", 215, 47, 48, 51, kTabStop, kFormatEntries},
      {21019, DropDownList, "", 215, 65, 48, 101, kTabStop, kListSeparatorEntries},
      {21028, DropDownList, "", 189, 93, 75, 62, kTabStop, {"Microsoft Excel互換", "シンプル", "カスタム"}},
      {21017, DropDownList, "", 216, 125, 48, 47, kTabStop, {"カンマ「,」", "タブ"}},
      {21020, DropDownList, "", 216, 143, 48, 51, kTabStop, {"自動", "する", "しない"}},
      {21018, DropDownList, "", 216, 161, 48, 79, kTabStop,
       {"置き換えない", "なし", "スペース「 」", "コロン「:」", "セミコロン「;」", "全角カンマ「，」"}},
      {21025, DropDownList, "", 216, 179, 48, 70, kTabStop, {"置き換えない", "なし", "スペース「 」"}},
      {9, PushButton, "ヘルプ", 34, 183, 50, 14, kTabStop},
      {1036, Label, "列の書式化(&F) : ", 139, 47, 72, 12, kLabelStyle},
      {1037, Label, "複数値の分離記号(&L) : ", 139, 65, 72, 12, kLabelStyle},
      {1039, Label, "列の分離記号(&C) : ", 151, 125, 62, 12, kRightLabelStyle},
      {1040, Label, "列の囲み処理(&Q) : ", 151, 143, 62, 12, kRightLabelStyle},
      {1035, GroupBox, "カスタム設定", 138, 113, 135, 86},
      {1041, Label, "代替分離記号(&D) : ", 151, 161, 62, 12, kRightLabelStyle},
      {1042, Label, "代替改行記号(&R) : ", 151, 179, 62, 12, kRightLabelStyle},
      {1038, Label, "CSV形式(&M) : ", 140, 93, 46, 12, kLabelStyle},
      {1062, LinkLabel, kProductLabel, 8, 155, 118, 8},
  }};
}

DialogTemplate XmlOptionPage() {
  return {kXmlOptionPage, "XMLファイルで書き出し", 291, 205, {
      {1032, GroupBox, "書き出し対象の文書", 7, 7, 129, 49},
      {21007, RadioButton, "すべての文書(&A)", 19, 21, 113, 12, kStartsGroup | kTabStop},
      {21009, RadioButton, "選択した文書(&S)", 19, 37, 113, 12},
      {1033, GroupBox, "書き出し対象の列", 7, 65, 129, 65},
      {21012, RadioButton, "表示されている列のみ(&V)", 19, 79, 113, 12, kStartsGroup | kTabStop},
      {21013, RadioButton, "非表示の列もすべて(&H)", 19, 95, 113, 12},
      {21014, RadioButton, "列を選択する...(&X)", 19, 111, 113, 12},
      {1057, CheckBox, "すべての文書アイテム(&I)", 19, 153, 113, 12, kTabStop},
      {1034, GroupBox, "出力フォーマット", 144, 7, 140, 123},
      {1058, CheckBox, "NOTEIDを出力する(&N)", 158, 23, 114, 12, kTabStop},
      {1036, Label, "列の書式化(&F) : ", 153, 65, 72, 12, kLabelStyle},
      {21024, DropDownList, "", 227, 65, 48, 51, kTabStop, kFormatEntries},
      {1037, Label, "複数値の分離記号(&L) : ", 153, 83, 72, 12, kLabelStyle},
      {21019, DropDownList, "", 227, 83, 48, 101, kTabStop, kListSeparatorEntries},
      {1061, Label, "文字エンコード(&E) : ", 153, 108, 65, 12, kLabelStyle},
      {1055, DropDownList, "", 227, 108, 48, 62, kTabStop, {"Shift_JIS", "UTF-8"}},
      {9, PushButton, "ヘルプ", 184, 182, 50, 14, kTabStop},
      {1063, LinkLabel, kProductLabel, 158, 154, 118, 8},
      {1059, CheckBox, "データ形式を出力する(&T)", 158, 41, 114, 12, kTabStop},
      {1060, CheckBox, "表示用の計算結果フィールド(&C)", 19, 169, 113, 12, kTabStop},
      {1038, GroupBox, "書き出し項目", 7, 139, 129, 65},
      {1062, CheckBox, "添付ファイル(&P)", 19, 185, 113, 12, kTabStop},
  }};
}

DialogTemplate ProgressDialog() {
  return {kProgressDialog, "", 186, 79, {
      {1005, Label, "", 13, 7, 158, 8},
      {1004, Label, "", 46, 23, 92, 8, kCentred},
      {1003, ProgressBar, "", 15, 34, 154, 13},
      {2, DefaultPushButton, "キャンセル", 67, 58, 50, 14},
  }};
}

DialogTemplate ColumnSelectDialog() {
  return {kColumnSelectDialog, "書き出し対象の列を選択", 279, 185, {
      {21010, ListView, "", 7, 25, 208, 129, kTabStop | kEditableLabels},
      {1045, PushButton, "追加(&A)", 222, 38, 50, 14},
      {1048, PushButton, "編集(&E)", 222, 56, 50, 14},
      {1049, PushButton, "削除(&R)", 222, 74, 50, 14},
      {1050, PushButton, "上へ(&U)", 222, 110, 50, 14},
      {2000, PushButton, "下へ(&D)", 222, 128, 50, 14},
      {1046, PushButton, "開く(&O)", 7, 163, 50, 14},
      {1047, PushButton, "保存(&S)", 63, 163, 50, 14},
      {1, DefaultPushButton, "OK", 165, 163, 50, 14},
      {2, PushButton, "キャンセル", 222, 163, 50, 14},
      {kNoId, Label, "書き出し対象の列をチェックしてください。また、[F2]キーで列名の変更も行えます。", 7, 7, 239, 15},
  }};
}

DialogTemplate FormulaInputDialog() {
  return {kFormulaInputDialog, "フィールド名または式言語を入力", 291, 237, {
      {1054, ListView, "", 7, 26, 141, 104, kTabStop | kSingleSelection | kClickableHeader},
      {1044, ListView, "", 150, 26, 134, 104, kTabStop | kSingleSelection | kClickableHeader},
      {1053, PushButton, "名前を挿入(&I)", 152, 136, 50, 14},
      {1046, MultiLineEdit, "", 7, 156, 277, 53, kTabStop},
      {1, DefaultPushButton, "OK", 178, 215, 50, 14},
      {2, PushButton, "キャンセル", 234, 215, 50, 14},
      {kNoId, Label, "フォームからフィールドを選択して、式言語を記述することができます。", 7, 7, 241, 15},
      {1051, Label, "式言語 : ", 7, 140, 79, 15},
      {1055, PushButton, "式を挿入(&I)", 206, 136, 50, 14},
  }};
}

}  // namespace

const DialogTemplate& Dialog(int id) {
  static const std::map<int, DialogTemplate> dialogs = [] {
    std::map<int, DialogTemplate> all;
    for (DialogTemplate dialog :
         {CsvOptionPage(), XmlOptionPage(), ProgressDialog(), ColumnSelectDialog(), FormulaInputDialog()})
      all.emplace(dialog.id, std::move(dialog));
    return all;
  }();
  return dialogs.at(id);
}

std::string_view String(int id) {
  static const std::map<int, std::string_view> strings = {
      {1007, "Wizard"},
      {1012, "書き出し中..."},
      {1013, "列名"},
      {1015, "フィールド"},
      {1017, "フォーム"},
      {1020, "Wizard"},
      {1021, "https://nvorpel.example.org/"},
      {1022, "ホームページを表示します。"},
  };
  const auto found = strings.find(id);
  return found == strings.end() ? std::string_view() : found->second;
}

}  // namespace resources
