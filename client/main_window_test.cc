// The client's main window on Qt's offscreen platform, over the bundled sample database: what it
// shows, the marks a person makes with the keys and the mouse, and the export dialog.
#include "client/main_window.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <platform/qt/qt_ui.h>
#include <platform/qt/testing/modal_boxes.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <QTreeWidget>

#include "client/export_dialog.h"
#include "client/view_table.h"

namespace client {
namespace {

namespace fs = std::filesystem;
using platform::qt::testing::WhenBoxIsUp;
using platform::qt::testing::WhenModalIsUp;

const std::string kOrders = std::string(NVORPEL_SOURCE_DIR) + "/samples/orders.xml";
constexpr std::uint32_t kOrdersView = 0x102, kByRegionView = 0x106, kFormatsView = 0x10A, kFolder = 0x10E,
                        kDiscussionView = 0x11E;

// The note IDs of a view's entries, read from a collection of its own.
std::vector<std::uint32_t> CollectionNoteIds(std::uint32_t view) {
  const char* paths[] = {kOrders.c_str()};
  CoreDatabaseHandle database = 0;
  EXPECT_EQ(CoreOpenDxlDatabase(paths, 1, "", &database), 0u);
  CoreCollectionHandle collection = 0;
  EXPECT_EQ(CoreOpenCollection(database, view, &collection), 0u);
  std::vector<std::uint32_t> ids;
  CorePosition position{};
  for (std::uint16_t signal = kCoreSignalMore; signal & kCoreSignalMore;) {
    CoreMemoryHandle buffer = 0;
    std::uint32_t returned = 0;
    EXPECT_EQ(CoreReadEntries(collection, &position, kCoreNavigateNext, 1, kCoreNavigateNext, kCoreAllThatFit,
                              kCoreReadNoteIdAndSummary, &buffer, nullptr, nullptr, &returned, &signal),
              0u);
    if (buffer == 0) break;
    const auto* at = static_cast<const std::uint8_t*>(CoreLockMemory(buffer));
    for (std::uint32_t i = 0; i < returned; ++i) {
      std::uint32_t id;
      std::uint16_t length;
      std::memcpy(&id, at, 4);
      std::memcpy(&length, at + 4, 2);
      ids.push_back(id);
      at += 4 + length;
    }
    CoreUnlockMemory(buffer);
    CoreFreeMemory(buffer);
  }
  CoreCloseCollection(collection);
  CoreCloseDatabase(database);
  return ids;
}

std::vector<std::uint32_t> ShownNoteIds(const ViewModel& model) {
  std::vector<std::uint32_t> ids;
  for (int row = 0; row < model.rowCount(); ++row) ids.push_back(model.NoteIdAt(row));
  return ids;
}

QAction* MenuAction(QMainWindow& window, const QString& text) {
  for (QAction* menu : window.menuBar()->actions())
    for (QAction* action : menu->menu()->actions())
      if (action->text() == text) return action;
  return nullptr;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::qt::testing::OffscreenApplication();
    window = std::make_unique<MainWindow>();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(window->OpenDatabase({kOrders}));
  }
  ViewTable& Table() { return *window->Table(); }
  ViewModel& Model() { return *window->Model(); }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&Table(), Qt::Key(key), modifiers); }

  std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, OpensOnTheFirstViewWithTheCursorOnItsFirstRow) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("受注管理 - notes-client"));
  QStringList navigator;
  for (int i = 0; i < window->Navigator()->topLevelItemCount(); ++i)
    navigator << window->Navigator()->topLevelItem(i)->text(0);
  EXPECT_EQ(navigator, (QStringList{"受注一覧", "問合せ", "地域別", "複数値と書式", "要確認"})) << "views, then folders";
  EXPECT_EQ(window->CurrentView(), kOrdersView);
  EXPECT_EQ(window->Navigator()->currentItem()->text(0), QStringLiteral("受注一覧"));
  EXPECT_EQ(QApplication::focusWidget(), &Table());
  EXPECT_EQ(Table().CursorRow(), 0);
  EXPECT_EQ(window->MarkedText(), QStringLiteral("0 文書が選択されています"));
  EXPECT_EQ(platform::qt::SafeOwner(), window.get()) << "the owner the progress window disables";
}

TEST_F(MainWindowTest, RowsAreTheEntriesOfTheViewsCollection) {
  for (const std::uint32_t view : {kByRegionView, kFormatsView, kFolder, kDiscussionView, kOrdersView}) {
    // A person picks the view in the navigator.
    QTreeWidget& navigator = *window->Navigator();
    for (QTreeWidgetItemIterator it(&navigator); *it; ++it)
      if ((*it)->data(0, Qt::UserRole).toUInt() == view) navigator.setCurrentItem(*it);
    ASSERT_EQ(window->CurrentView(), view);
    const std::vector<std::uint32_t> entries = CollectionNoteIds(view);
    EXPECT_EQ(ShownNoteIds(Model()), entries) << std::hex << view;
    if (view != kFolder) {
      EXPECT_FALSE(entries.empty()) << std::hex << view;
    }
  }
}

// In a view that shows responses in a hierarchy each response stands under its parent, its first
// cell indented by its level; the other cells are not.
TEST_F(MainWindowTest, ResponsesAreIndentedUnderTheirParents) {
  ASSERT_TRUE(window->OpenView(kDiscussionView));
  QStringList subjects;
  std::vector<int> indents, otherIndents;
  for (int row = 0; row < Model().rowCount(); ++row) {
    subjects << Model().index(row, 1).data().toString();
    indents.push_back(Model().index(row, 1).data(ViewModel::kIndentRole).toInt());
    otherIndents.push_back(Model().index(row, 2).data(ViewModel::kIndentRole).toInt());
  }
  EXPECT_EQ(subjects, (QStringList{"納期について", "Re: 納期について", "Re: Re: 納期について", "請求書の再発行",
                                   "Re: 請求書の再発行"}));
  EXPECT_EQ(indents, (std::vector<int>{0, 1, 2, 0, 1}));
  EXPECT_EQ(otherIndents, (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(Model().index(0, 2).data().toString(), QStringLiteral("2 件")) << "the replies under the topic";
}

TEST_F(MainWindowTest, ColumnsShowTheirTitlesAndFormattedValues) {
  ASSERT_EQ(Model().columnCount(), 7) << "the margin and six visible columns";
  QStringList titles;
  for (int column = 1; column < Model().columnCount(); ++column)
    titles << Model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  EXPECT_EQ(titles, (QStringList{"受注番号", "状態", "受注日", "顧客名", "金額", "備考"}));
  QStringList first;
  for (int column = 1; column < Model().columnCount(); ++column)
    first << Model().index(0, column).data().toString();
  EXPECT_EQ(first, (QStringList{"J-2026-001", "82", "2026/04/01", "株式会社ソ表商事", "￥1,234,500", "納期: 4月10日, 分納可"}));
  EXPECT_GT(Table().columnWidth(4), Table().columnWidth(2)) << "widths as the view gives them";
}

TEST_F(MainWindowTest, SpaceAClickAndCtrlAMarkTheDocumentsTheExportTakes) {
  const std::uint32_t first = Model().NoteIdAt(0), second = Model().NoteIdAt(1), third = Model().NoteIdAt(2);
  EXPECT_EQ(Model().Selection(Table().CursorRow()), (std::vector<std::uint32_t>{first})) << "no mark: the cursor's";
  Key(Qt::Key_Space);
  Key(Qt::Key_Down);
  Key(Qt::Key_Space);
  EXPECT_EQ(Model().Selection(Table().CursorRow()), (std::vector<std::uint32_t>{first, second}));
  EXPECT_EQ(window->MarkedText(), QStringLiteral("2 文書が選択されています"));
  EXPECT_TRUE(Model().index(1, 0).data(ViewModel::kMarkedRole).toBool());
  Key(Qt::Key_Space);
  EXPECT_EQ(Model().Selection(Table().CursorRow()), (std::vector<std::uint32_t>{first}));

  const QRect margin = Table().visualRect(Model().index(2, ViewModel::kMarginColumn));
  QTest::mouseClick(Table().viewport(), Qt::LeftButton, Qt::NoModifier, margin.center());
  EXPECT_EQ(Model().Selection(Table().CursorRow()), (std::vector<std::uint32_t>{first, third}));

  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Model().GetMarks().Count(), static_cast<std::size_t>(Model().rowCount()));
  QAction* clear = MenuAction(*window, QStringLiteral("選択を解除"));
  ASSERT_NE(clear, nullptr);
  clear->trigger();
  EXPECT_EQ(window->MarkedText(), QStringLiteral("0 文書が選択されています"));
}

TEST_F(MainWindowTest, CategoryRowsCollapseExpandAndMarkEveryDocumentUnderThem) {
  ASSERT_TRUE(window->OpenView(kByRegionView));
  ASSERT_TRUE(Model().IsCategory(0));
  const int rows = Model().rowCount();
  EXPECT_EQ(Model().Selection(0), (std::vector<std::uint32_t>{})) << "the cursor on a category row selects nothing";

  // The first region's documents: the document rows before the next top-level category.
  std::vector<std::uint32_t> underFirst;
  for (int row = 1; row < rows && Model().index(row, 0).data(ViewModel::kCategoryLevelRole).toInt() != 0; ++row)
    if (!Model().IsCategory(row)) underFirst.push_back(Model().NoteIdAt(row));
  ASSERT_FALSE(underFirst.empty());
  std::ranges::sort(underFirst);

  Key(Qt::Key_Space);
  EXPECT_EQ(Model().Selection(0), underFirst);
  Key(Qt::Key_Left);
  EXPECT_LT(Model().rowCount(), rows);
  EXPECT_TRUE(Model().index(0, 1).data(ViewModel::kCollapsedRole).toBool());
  EXPECT_TRUE(Model().IsCategory(1)) << "the next region follows at once";
  Key(Qt::Key_Plus);
  EXPECT_EQ(Model().rowCount(), rows);
  Key(Qt::Key_Minus);
  Key(Qt::Key_Right);
  EXPECT_EQ(Model().rowCount(), rows);
  Key(Qt::Key_Space);
  EXPECT_EQ(Model().GetMarks().Count(), 0u) << "a second Space unmarks them";
}

TEST_F(MainWindowTest, ADatabaseThatCannotBeReadIsToldAndTheWindowKeepsItsOwn) {
  const std::string broken = ::testing::TempDir() + "/main_window_" + std::to_string(getpid()) + "_broken.xml";
  std::ofstream(broken) << "<database><view></database>";
  QString told;
  WhenBoxIsUp([&](QMessageBox& box) {
    told = box.text();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_FALSE(window->OpenDatabase({broken}));
  EXPECT_TRUE(told.contains("broken.xml")) << told.toStdString();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("受注管理 - notes-client"));
  EXPECT_EQ(Model().NoteIdAt(0), CollectionNoteIds(kOrdersView).at(0));
}

class ExportDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::qt::testing::OffscreenApplication();
    folder_ = fs::path(::testing::TempDir()) / ("export_dialog_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "exists.csv") << "A,B\r\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Types `name` into the dialog's name box and presses Enter, once the dialog is up.
  void TypeIntoTheDialog(const QString& name) {
    WhenModalIsUp<ExportDialog>([this, name](ExportDialog& dialog) {
      kinds_.clear();
      for (int i = 0; i < dialog.Kinds()->count(); ++i) kinds_ << dialog.Kinds()->itemText(i);
      chosenKind_ = dialog.Kinds()->currentIndex();
      nameBoxHadFocus_ = QApplication::focusWidget() == dialog.NameBox();
      QTest::keyClicks(dialog.NameBox(), name);
      QTest::keyClick(dialog.NameBox(), Qt::Key_Return);
    });
  }
  // Answers the question about an existing file with `key` (an access key, or Escape).
  void AnswerTheQuestion(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    WhenBoxIsUp([this, key, modifiers](QMessageBox& box) {
      questionTitle_ = box.windowTitle();
      QTest::keyClick(&box, key, modifiers);
    });
  }

  const std::vector<ExportEntry> entries_ = {
      {"VIEWEXP2", "", "Export CSV File", "_Vorpel", "", ".CSV"},
      {"VIEWEXP6", "", "Export XML File", "_Vorpel", "xml", ".XML"},
  };
  fs::path folder_;
  QStringList kinds_;
  int chosenKind_ = -1;
  bool nameBoxHadFocus_ = false;
  QString questionTitle_;
};

TEST_F(ExportDialogTest, ListsTheEntriesAndHandsOnTheNameAsTypedInItsFolder) {
  TypeIntoTheDialog("new /X /H");
  const std::optional<ExportChoice> choice = ChooseExport(entries_, QString::fromStdString(folder_.string()), nullptr);
  EXPECT_EQ(kinds_, (QStringList{"Export CSV File", "Export XML File"}));
  EXPECT_EQ(chosenKind_, 0);
  EXPECT_TRUE(nameBoxHadFocus_);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->entry, 0u);
  EXPECT_EQ(choice->typedName, folder_.string() + "/new /X /H");
  EXPECT_FALSE(choice->append) << "no such file: no question";
}

TEST_F(ExportDialogTest, AnExistingFileIsReplacedOrAppendedToAsAnswered) {
  const struct {
    Qt::Key key;
    bool append;
  } kAnswers[] = {{Qt::Key_R, false}, {Qt::Key_A, true}};
  for (const auto& answer : kAnswers) {
    TypeIntoTheDialog("exists /X");  // the entry's extension makes it exists.csv
    AnswerTheQuestion(answer.key, Qt::AltModifier);
    const std::optional<ExportChoice> choice = ChooseExport(entries_, QString::fromStdString(folder_.string()), nullptr);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->append, answer.append);
    EXPECT_EQ(questionTitle_, QStringLiteral("エクスポート"));
  }
}

TEST_F(ExportDialogTest, CancellingTheQuestionGoesBackToTheDialog) {
  TypeIntoTheDialog("exists.csv");
  WhenBoxIsUp([](QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    WhenModalIsUp<ExportDialog>([](ExportDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  });
  EXPECT_FALSE(ChooseExport(entries_, QString::fromStdString(folder_.string()), nullptr).has_value());
}

}  // namespace
}  // namespace client
