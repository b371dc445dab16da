// The option sheets on Qt's offscreen platform: what they show from notes.ini, what Finish stores
// and hands on, the custom lists, the column choice and the help they ask for.
#include "settings/option_sheets.h"

#include <gtest/gtest.h>
#include <platform/qt/testing/modal_boxes.h>
#include <platform/testing/child_process.h>
#include <platform/testing/recording_ui.h>
#include <stdlib.h>
#include <unistd.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "columns/test_notes.h"

namespace settings {
namespace {

namespace fs = std::filesystem;

// A view of two columns, one of them hidden, and a current directory and PATH of their own where
// notes.ini is found, or not.
class OptionSheetsTest : public columns_test::NotesTest {
 protected:
  void SetUp() override {
    NotesTest::SetUp();
    if (!StartsQtItself()) platform::qt::testing::OffscreenApplication();
    ASSERT_FALSE(fs::exists(fs::path(platform::ProgramDirectory()) / "notes.ini"));
    dir_ = fs::path(::testing::TempDir()) / ("option-sheets-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    before_ = fs::current_path();
    oldPath_ = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", dir_.c_str(), 1);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    db_.Document("Order").Text("Name", {"x"}).Text("Secret", {"y"});
    viewId_ = db_.View("V")
                  .Column({.title = "Name", .itemName = "Name"})
                  .Column({.title = "Secret", .itemName = "Secret", .hidden = true})
                  .Id();
    view_ = View(viewId_);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(before_.c_str()), 0);
    setenv("PATH", oldPath_.c_str(), 1);
    fs::remove_all(dir_);
    NotesTest::TearDown();
  }

  void WriteIni(const std::string& text) { std::ofstream(dir_ / "notes.ini", std::ios::binary) << text; }
  std::string ReadIni() const {
    std::ifstream in(dir_ / "notes.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Runs the sheet modally; `act` works on it once it is up, then `key` is pressed on it.
  template <class Sheet>
  int RunSheet(Sheet& sheet, const std::function<void(Sheet&)>& act, Qt::Key key) {
    QTimer::singleShot(0, [&] {
      act(sheet);
      QTest::keyClick(&sheet, key);
    });
    return sheet.DoModal();
  }

  // Whether the test makes Qt's application itself, in a child process of its own.
  virtual bool StartsQtItself() const { return false; }

  static int ListIndex(const OptionSheet& sheet, int id) { return sheet.ControlAs<QComboBox>(id)->currentIndex(); }
  static bool Checked(const OptionSheet& sheet, int id) { return sheet.ControlAs<QAbstractButton>(id)->isChecked(); }

  fs::path dir_, before_;
  std::string oldPath_;
  NOTEID viewId_ = 0;
  LNViewFolder view_;
  CColumnDataArray columns_;
};

TEST_F(OptionSheetsTest, WithoutNotesIniTheCsvSheetShowsTheDefaultsAndFinishingWritesNothing) {
  CExportPropertySheet sheet(columns_, view_, {});
  std::vector<bool> shown;
  const int result = RunSheet<CExportPropertySheet>(sheet, [&](CExportPropertySheet& s) {
    shown = {Checked(s, 21011), Checked(s, 21009), Checked(s, 21012), !Checked(s, 21007)};
    for (const int id : {21024, 21019, 21028, 21017, 21020, 21018, 21025}) shown.push_back(ListIndex(s, id) == 0);
  }, Qt::Key_Return);
  EXPECT_EQ(result, OptionSheet::kWizardFinish);
  EXPECT_EQ(shown, std::vector<bool>(11, true));
  EXPECT_EQ(sheet.Options().OutputHeader, 1);
  EXPECT_EQ(sheet.Options().OutputDocument, 1);
  EXPECT_FALSE(fs::exists(dir_ / "notes.ini"));
}

TEST_F(OptionSheetsTest, SimpleFormatGreysTheCustomListsAndStoresItsPreset) {
  WriteIni("[Vorpel]\r\nCSVFormatMode=2\r\nColumnSeparater=1\r\nColumnQuote=0\r\nAltSeparater=2\r\nAltCrlf=2\r\n");
  CExportPropertySheet sheet(columns_, view_, {});
  std::vector<bool> enabled;
  const int result = RunSheet<CExportPropertySheet>(sheet, [&](CExportPropertySheet& s) {
    enabled.push_back(s.Control(21017)->isEnabled());
    s.ControlAs<QComboBox>(21028)->setCurrentIndex(1);  // シンプル
    for (const int id : {21017, 21020, 21018, 21025}) enabled.push_back(s.Control(id)->isEnabled());
    enabled.push_back(ListIndex(s, 21017) == 1 && ListIndex(s, 21018) == 2);  // selections kept
    s.ControlAs<QComboBox>(21028)->setCurrentIndex(2);
    enabled.push_back(s.Control(21025)->isEnabled());
    s.ControlAs<QComboBox>(21028)->setCurrentIndex(1);
  }, Qt::Key_Return);
  ASSERT_EQ(result, OptionSheet::kWizardFinish);
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, false, false, true, true}));
  const settings::CsvOptions& stored = sheet.Options();
  EXPECT_EQ(std::vector<int>({stored.ColumnSeparater, stored.ColumnQuote, stored.AltSeparater, stored.AltCrlf}),
            std::vector<int>({0, 2, 1, 1}));
  EXPECT_NE(ReadIni().find("CSVFormatMode=1\r\nColumnSeparater=0\r\nColumnQuote=2\r\nAltSeparater=1\r\nAltCrlf=1\r\n"),
            std::string::npos)
      << ReadIni();
}

TEST_F(OptionSheetsTest, CancelStoresNothingAndTheColumnChoiceAppliesAtFinish) {
  WriteIni("[Vorpel]\r\nOutputHeader=0\r\n");
  {
    CExportPropertySheet sheet(columns_, view_, {});
    EXPECT_NE(RunSheet<CExportPropertySheet>(sheet, [](CExportPropertySheet& s) { s.Control(21013)->setFocus(); },
                                             Qt::Key_Escape),
              OptionSheet::kWizardFinish);
  }
  EXPECT_EQ(ReadIni(), "[Vorpel]\r\nOutputHeader=0\r\n");

  int chosen = 0;
  CExportPropertySheet sheet(columns_, view_, [&] { ++chosen; });
  RunSheet<CExportPropertySheet>(sheet, [](CExportPropertySheet& s) {
    QTest::mouseClick(s.ControlAs<QRadioButton>(21014), Qt::LeftButton);  // the column dialog
    QTest::mouseClick(s.ControlAs<QRadioButton>(21014), Qt::LeftButton);  // again, already selected
    QTest::mouseClick(s.ControlAs<QRadioButton>(21013), Qt::LeftButton);  // hidden columns too
  }, Qt::Key_Return);
  EXPECT_EQ(chosen, 2);
  EXPECT_EQ(sheet.Options().OutputColumn, 1);
  ASSERT_EQ(columns_.GetCount(), 2u);
  EXPECT_TRUE(columns_[0].IsOutput() && columns_[1].IsOutput());
  EXPECT_NE(ReadIni().find("OutputColumn=1\r\n"), std::string::npos);
}

TEST_F(OptionSheetsTest, XmlSheetShowsItsSectionAndItsCheckBoxesAreIndependent) {
  WriteIni("[Vorpel]\r\nListSeparater=3\r\n[VorpelXml]\r\nXmlEncode=2\r\nOutputColumn=2\r\nListSeparater=6\r\n");
  CXmlExportPropertySheet sheet(columns_, view_, {});
  std::vector<int> shown;
  const int result = RunSheet<CXmlExportPropertySheet>(sheet, [&](CXmlExportPropertySheet& s) {
    shown = {ListIndex(s, 21024), ListIndex(s, 21019), ListIndex(s, 1055), Checked(s, 21009), Checked(s, 21012)};
    for (const int id : {1057, 1058, 1059, 1060, 1062}) shown.push_back(Checked(s, id));
    QTest::mouseClick(s.ControlAs<QCheckBox>(1058), Qt::LeftButton);
    QTest::mouseClick(s.ControlAs<QCheckBox>(1062), Qt::LeftButton);
    s.ControlAs<QComboBox>(1055)->setCurrentIndex(1);
  }, Qt::Key_Return);
  ASSERT_EQ(result, OptionSheet::kWizardFinish);
  EXPECT_EQ(shown, (std::vector<int>{0, 6, 0, 1, 1, 0, 0, 0, 0, 0}));
  const XmlOptions& o = sheet.Options();
  EXPECT_EQ(std::vector<int>({o.ItemAll, o.OutputNoteid, o.OutputType, o.FieldAll, o.AttachFile, o.XmlEncode}),
            std::vector<int>({0, 1, 0, 0, 1, 1}));
  EXPECT_NE(ReadIni().find("[Vorpel]\r\nListSeparater=3\r\n"), std::string::npos) << "the CSV section is untouched";
}

// A radio group's focus is on its checked button, at the start and when Tab comes back into it.
TEST_F(OptionSheetsTest, TheFocusOfARadioGroupIsOnItsCheckedButton) {
  CExportPropertySheet sheet(columns_, view_, {});
  QWidget* atStart = nullptr;
  QWidget* afterTabs = nullptr;
  RunSheet<CExportPropertySheet>(sheet, [&](CExportPropertySheet& s) {
    ASSERT_TRUE(Checked(s, 21009)) << "選択した文書(&S) is the default";
    QApplication::setActiveWindow(&s);
    atStart = s.focusWidget();
    QTest::keyClick(s.focusWidget(), Qt::Key_Tab);
    QTest::keyClick(s.focusWidget(), Qt::Key_Backtab);
    afterTabs = s.focusWidget();
  }, Qt::Key_Escape);
  EXPECT_EQ(atStart, sheet.Control(21009));
  EXPECT_EQ(afterTabs, sheet.Control(21009)) << "Shift+Tab back into the group";
}

TEST_F(OptionSheetsTest, HelpButtonShowsTheContentsAndF1ThePopUpOfTheFocusedControl) {
  platform::testing::ScopedRecordingUi ui;
  CXmlExportPropertySheet sheet(columns_, view_, {});
  RunSheet<CXmlExportPropertySheet>(sheet, [](CXmlExportPropertySheet& s) {
    QTest::mouseClick(s.ControlAs<QPushButton>(9), Qt::LeftButton);
    for (const int id : {21012, 1062}) {
      s.Control(id)->setFocus();
      QTest::keyClick(s.Control(id), Qt::Key_F1);
    }
  }, Qt::Key_Escape);
  ASSERT_EQ(ui.helpCalls.size(), 3u);
  EXPECT_TRUE(ui.helpCalls[0].ends_with(".HLP|3|0")) << ui.helpCalls[0];
  EXPECT_TRUE(ui.helpCalls[1].ends_with("|8|" + std::to_string(0x83F15214ul))) << ui.helpCalls[1];
  EXPECT_TRUE(ui.helpCalls[2].ends_with("|8|" + std::to_string(0x83FB0426ul))) << ui.helpCalls[2];
}

// Runs the sheets as an ordinary user, for whom a notes.ini without write permission is read-only.
class ReadOnlyNotesIniTest : public OptionSheetsTest {
 protected:
  bool StartsQtItself() const override { return true; }
};

// Finishing a sheet tells the user that the values cannot be remembered; the export goes on with
// them and the file stays as it was.
TEST_F(ReadOnlyNotesIniTest, FinishingTellsTheSettingsCannotBeStoredAndLeavesTheFileAlone) {
  const std::string before = "[Vorpel]\r\nOutputHeader=0\r\n[VorpelXml]\r\nItemAll=0\r\n";
  WriteIni(before);
  platform::testing::GiveToOrdinaryUser(dir_.string(), 0755);
  platform::testing::GiveToOrdinaryUser((dir_ / "notes.ini").string(), 0444);
  const int failed = platform::testing::RunAsOrdinaryUser([&] {
    if (access(dir_.c_str(), W_OK) != 0 || access("notes.ini", R_OK) != 0) return 0x40;
    if (access("notes.ini", W_OK) == 0) return 0x80;
    platform::qt::testing::OffscreenApplication();
    platform::testing::ScopedRecordingUi ui;
    int result = 0;
    CExportPropertySheet csv(columns_, view_, {});
    if (RunSheet<CExportPropertySheet>(csv, [](CExportPropertySheet& s) { s.ControlAs<QCheckBox>(21011)->click(); },
                                       Qt::Key_Return) != OptionSheet::kWizardFinish ||
        csv.Options().OutputHeader != 1)
      result |= 1;
    CXmlExportPropertySheet xml(columns_, view_, {});
    if (RunSheet<CXmlExportPropertySheet>(xml, [](CXmlExportPropertySheet& s) { s.ControlAs<QCheckBox>(1057)->click(); },
                                          Qt::Key_Return) != OptionSheet::kWizardFinish ||
        xml.Options().ItemAll != 1)
      result |= 2;
    const std::string path = platform::Cp932ToUtf8(platform::ToDisplayPath(csv.Options().notesIni));
    if (ui.boxes.size() != 2) result |= 4;
    for (const platform::testing::RecordedBox& box : ui.boxes) {
      if (!box.text.starts_with("オプションの設定をnotes.iniに保存できませんでした。\n" + path + "\n") ||
          box.caption != "nVorpel" || box.icon != platform::Icon::Exclamation)
        result |= 8;
    }
    return result;
  });
  ASSERT_NE(failed, 0x40) << "the ordinary user cannot reach notes.ini";
  ASSERT_NE(failed, 0x80) << "notes.ini is writable for the ordinary user";
  EXPECT_EQ(failed, 0) << "1, 2: the CSV, XML sheet did not finish with the value chosen; 4: not one message for "
                          "each sheet; 8: a message that does not tell which file, or how";
  EXPECT_EQ(ReadIni(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "a temporary file was left";
}

}  // namespace
}  // namespace settings
