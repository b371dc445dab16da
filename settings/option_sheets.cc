#include "settings/option_sheets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <platform/cp932.h>
#include <platform/files.h>

#include "messages/app_messages.h"
#include "settings/option_page_rules.h"

namespace settings {
namespace {

constexpr int kAllDocuments = 21007;      // starts the OutputDocument group
constexpr int kVisibleColumns = 21012;    // starts the OutputColumn group
constexpr int kChooseColumns = 21014;
constexpr int kFormatMode = 21028;
constexpr int kCustomLists[] = {21017, 21020, 21018, 21025};

// Both directions of the data exchange between a field and a control.
class Exchange {
 public:
  Exchange(const OptionSheet& sheet, bool save) : sheet_(sheet), save_(save) {}

  void Check(int id, std::int32_t& field) const {
    auto* box = sheet_.ControlAs<QCheckBox>(id);
    if (save_) field = box->isChecked() ? 1 : 0;
    else box->setChecked(field != 0);
  }
  void ListIndex(int id, std::int32_t& field) const {
    auto* list = sheet_.ControlAs<QComboBox>(id);
    if (save_) field = list->currentIndex();
    else list->setCurrentIndex(field);
  }
  void Radio(int firstId, std::int32_t& field) const {
    QButtonGroup* group = resources::RadioGroup(*sheet_.Control(firstId)->parentWidget(), firstId);
    if (save_) {
      field = group->checkedId();
    } else if (QAbstractButton* button = group->button(field)) {
      button->setChecked(true);
    }
  }

 private:
  const OptionSheet& sheet_;
  const bool save_;
};

// Finishing goes on with the values chosen when they cannot be stored; the user learns that they
// will not be remembered, and why not.
void TellNotStored(const std::string& notesIni) {
  ShowAppMessage(platform::Utf8ToCp932("オプションの設定をnotes.iniに保存できませんでした。\n") +
                 platform::ToDisplayPath(notesIni) +
                 platform::Utf8ToCp932("\nファイルが読み取り専用でないか、書き込む権限があるか確認してください。"
                                       "\n書き出しは今回選んだ設定で続けます。"));
}

void ConnectChooseColumns(OptionSheet& sheet, ChooseColumns chooseColumns) {
  QObject::connect(sheet.ControlAs<QRadioButton>(kChooseColumns), &QRadioButton::clicked, &sheet,
                   [chooseColumns = std::move(chooseColumns)] {
                     if (chooseColumns) chooseColumns();
                   });
}

void ExchangeCsv(const OptionSheet& sheet, CsvOptions& o, bool save) {
  const Exchange x(sheet, save);
  x.Check(21011, o.OutputHeader);
  x.ListIndex(21024, o.ColumnFormat);
  x.ListIndex(21020, o.ColumnQuote);
  x.ListIndex(21017, o.ColumnSeparater);
  x.ListIndex(21025, o.AltCrlf);
  x.ListIndex(21018, o.AltSeparater);
  x.Radio(kAllDocuments, o.OutputDocument);
  x.Radio(kVisibleColumns, o.OutputColumn);
  x.ListIndex(21019, o.ListSeparater);
  x.ListIndex(kFormatMode, o.CSVFormatMode);
}

void ExchangeXml(const OptionSheet& sheet, XmlOptions& o, bool save) {
  const Exchange x(sheet, save);
  x.ListIndex(21024, o.ColumnFormat);
  x.Radio(kAllDocuments, o.OutputDocument);
  x.Radio(kVisibleColumns, o.OutputColumn);
  x.ListIndex(21019, o.ListSeparater);
  x.ListIndex(1055, o.XmlEncode);
  x.Check(1057, o.ItemAll);
  x.Check(1058, o.OutputNoteid);
  x.Check(1059, o.OutputType);
  x.Check(1060, o.FieldAll);
  x.Check(1062, o.AttachFile);
}

}  // namespace

CExportPropertySheet::CExportPropertySheet(CColumnDataArray& columns, LNViewFolder& view, ChooseColumns chooseColumns)
    : OptionSheet(resources::kCsvOptionPage, 1062, resources::kCsvSheetIcon),
      columns_(columns),
      view_(view),
      options_(CreateCsvOptions()) {
  ConnectChooseColumns(*this, std::move(chooseColumns));
  connect(ControlAs<QComboBox>(kFormatMode), &QComboBox::currentIndexChanged, this, [this] { EnableCustomLists(); });
}

void CExportPropertySheet::ShowValues() {
  ExchangeCsv(*this, options_, false);
  EnableCustomLists();
}

void CExportPropertySheet::EnableCustomLists() {
  const bool enabled = CustomListsEnabled(ControlAs<QComboBox>(kFormatMode)->currentIndex());
  for (const int id : kCustomLists) Control(id)->setEnabled(enabled);
}

void CExportPropertySheet::FinishPage() {
  ExchangeCsv(*this, options_, true);
  ApplyColumnChoice(options_.OutputColumn, columns_, view_);
  ApplyFormatPreset(options_);
  if (!options_.notesIni.empty() && !StoreCsvOptions(options_)) TellNotStored(options_.notesIni);
}

CXmlExportPropertySheet::CXmlExportPropertySheet(CColumnDataArray& columns, LNViewFolder& view,
                                                 ChooseColumns chooseColumns)
    : OptionSheet(resources::kXmlOptionPage, 1063, resources::kXmlSheetIcon),
      columns_(columns),
      view_(view),
      options_(CreateXmlOptions()) {
  ConnectChooseColumns(*this, std::move(chooseColumns));
}

void CXmlExportPropertySheet::ShowValues() { ExchangeXml(*this, options_, false); }

void CXmlExportPropertySheet::FinishPage() {
  ExchangeXml(*this, options_, true);
  ApplyColumnChoice(options_.OutputColumn, columns_, view_);
  if (!options_.notesIni.empty() && !StoreXmlOptions(options_)) TellNotStored(options_.notesIni);
}

}  // namespace settings
