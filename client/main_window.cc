#include "client/main_window.h"

#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

#include <host/core.h>
#include <host/notes.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/qt/qt_ui.h>

#include "client/client_error.h"
#include "client/commands.h"
#include "client/export_call.h"
#include "client/export_dialog.h"
#include "client/export_entries.h"
#include "client/view_table.h"

namespace client {
namespace {

// Collects the host's notices while it lives; without it the host writes them to standard error.
class HostNotices {
 public:
  HostNotices() { CoreSetNoticeHandler(&Add, &lines_); }
  ~HostNotices() { CoreSetNoticeHandler(nullptr, nullptr); }
  HostNotices(const HostNotices&) = delete;
  HostNotices& operator=(const HostNotices&) = delete;
  const QStringList& Lines() const { return lines_; }

 private:
  static void Add(void* lines, int, const char* line) { static_cast<QStringList*>(lines)->append(QString::fromUtf8(line)); }
  QStringList lines_;
};

using platform::qt::FromUtf8;

constexpr char kProgramName[] = "notes-client";
constexpr int kNoteIdRole = Qt::UserRole;

QString FromLocale(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

// The database's title; its first file's name when the title is empty. (Once a plug-in has
// been loaded, the host's class library throws its failures instead of returning them.)
std::string DatabaseTitle(CoreDatabaseHandle handle, const std::string& firstFile) {
  std::string title;
  try {
    LNNotesSession session;
    session.Initialize();
    LNDatabase database;
    if (session.GetDatabase(handle, &database) == 0) title = database.GetTitle().GetTextPtr();
  } catch (STATUS) {
  }
  return title.empty() ? std::filesystem::path(firstFile).filename().string() : title;
}

// The layout of the view `noteId`; no columns when its design cannot be read.
ViewLayout LayoutOf(CoreDatabaseHandle handle, std::uint32_t noteId) {
  ViewLayout layout;
  try {
    LNNotesSession session;
    session.Initialize();
    LNDatabase database;
    LNViewFolder view;
    if (session.GetDatabase(handle, &database) == 0 && database.GetViewFolder(noteId, &view) == 0 &&
        view.Open() == 0) {
      layout = ReadViewLayout(view);
      view.Close();
    }
  } catch (STATUS) {
  }
  return layout;
}

QString MarkedTextFor(std::size_t count) { return QStringLiteral("%1 文書が選択されています").arg(count); }

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<NavigatorNode>& nodes) {
  const QIcon viewIcon = tree->style()->standardIcon(QStyle::SP_FileDialogDetailedView);
  const QIcon folderIcon = tree->style()->standardIcon(QStyle::SP_DirIcon);
  for (const NavigatorNode& node : nodes) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, FromUtf8(node.label));
    item->setIcon(0, node.folder ? folderIcon : viewIcon);
    item->setData(0, kNoteIdRole, node.noteId);
    AddNodes(item, tree, node.children);
  }
}

QTreeWidgetItem* FindItem(QTreeWidget* tree, std::uint32_t noteId) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if ((*it)->data(0, kNoteIdRole).toUInt() == noteId) return *it;
  return nullptr;
}

}  // namespace

MainWindow::MainWindow()
    : exportFolder_(QDir::currentPath()), navigator_(new QTreeWidget), table_(new ViewTable), marked_(new QLabel) {
  setWindowTitle(kProgramName);
  navigator_->setHeaderHidden(true);
  navigator_->setRootIsDecorated(true);
  auto* splitter = new QSplitter;
  splitter->addWidget(navigator_);
  splitter->addWidget(table_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 760});
  setCentralWidget(splitter);
  statusBar()->addWidget(marked_);
  connect(navigator_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item && item->data(0, kNoteIdRole).toUInt() != 0 && item->data(0, kNoteIdRole).toUInt() != viewNoteId_)
      OpenView(item->data(0, kNoteIdRole).toUInt());
  });

  QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  file->addAction(QStringLiteral("データベースを開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                  &MainWindow::ChooseDatabase);
  file->addAction(QStringLiteral("エクスポート(&E)..."), this, &MainWindow::Export);
  file->addSeparator();
  file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
  edit->addAction(QStringLiteral("すべて選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A), this, [this] {
    if (model_) model_->MarkAll();
  });
  edit->addAction(QStringLiteral("選択を解除"), this, [this] {
    if (model_) model_->ClearMarks();
  });
  QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
  showHidden_ = view->addAction(QStringLiteral("隠しビューも表示(&H)"), this, &MainWindow::FillNavigator);
  showHidden_->setCheckable(true);

  ShowMarkedCount();
  resize(1000, 600);
  platform::qt::SetMainWindow(this);
}

MainWindow::~MainWindow() { CloseView(); }

void MainWindow::CloseView() {
  table_->Show(nullptr);
  model_.reset();
  collection_.reset();
}

bool MainWindow::OpenDatabase(const std::vector<std::string>& files, const std::string& server,
                              const std::string& viewName, std::uint32_t viewNoteId) {
  std::unique_ptr<Database> opened;
  try {
    opened = std::make_unique<Database>(files, platform::Cp932ToUtf8(platform::LocaleToCp932(server)));
  } catch (const ClientError& error) {
    ShowMessage(FromLocale(error.message));
    return false;
  }
  CloseView();
  database_ = std::move(opened);
  views_ = ListDesignViews(database_->Handle());
  setWindowTitle(FromUtf8(DatabaseTitle(database_->Handle(), files.empty() ? "" : files.front()) + " - " + kProgramName));

  std::uint32_t wanted = viewNoteId;
  if (!viewName.empty()) {
    const std::string name = platform::Cp932ToUtf8(platform::LocaleToCp932(viewName));
    if (CoreFindView(database_->Handle(), name.c_str(), &wanted) != 0) {
      wanted = 0;
      ShowMessage(QStringLiteral("ビューまたはフォルダ「%1」はありません。").arg(FromLocale(viewName)));
    }
  }
  if (wanted == 0) wanted = FirstView(NavigatorTree(views_, showHidden_->isChecked()));
  viewNoteId_ = wanted;
  FillNavigator();  // lists the wanted view also when it is a hidden one
  if (wanted != 0) OpenView(wanted);
  return true;
}

void MainWindow::FillNavigator() {
  {
    const QSignalBlocker quiet(navigator_);
    navigator_->clear();
    AddNodes(nullptr, navigator_, NavigatorTree(views_, showHidden_->isChecked(), viewNoteId_));
    navigator_->expandAll();
  }
  SelectInNavigator();
}

void MainWindow::SelectInNavigator() {
  const QSignalBlocker quiet(navigator_);
  if (QTreeWidgetItem* current = FindItem(navigator_, viewNoteId_)) navigator_->setCurrentItem(current);
}

bool MainWindow::OpenView(std::uint32_t noteId) {
  if (!database_) return false;
  CloseView();
  viewNoteId_ = noteId;
  SelectInNavigator();

  // What the host tells while it indexes (a formula it cannot compute) is shown with the view.
  QStringList notices;
  CoreCollectionHandle handle = 0;
  STATUS status = 0;
  {
    const HostNotices told;
    status = CoreOpenCollection(database_->Handle(), noteId, &handle);
    notices = told.Lines();
  }
  if (status != 0) {
    ShowMarkedCount();
    notices.prepend(QStringLiteral("ビューを開けません。\n%1").arg(FromLocale(StatusText(status))));
    ShowMessage(notices.join(QLatin1Char('\n')));
    return false;
  }
  collection_ = std::make_unique<Collection>(handle);

  model_ = std::make_unique<ViewModel>(std::make_unique<ViewRows>(handle, LayoutOf(database_->Handle(), noteId)),
                                       [this] { ShowMarkedCount(); });
  table_->Show(model_.get());
  table_->setFocus();
  ShowMarkedCount();
  if (!notices.isEmpty()) ShowMessage(notices.join(QLatin1Char('\n')));
  return true;
}

void MainWindow::ChooseDatabase() {
  const QStringList files = QFileDialog::getOpenFileNames(this, QStringLiteral("データベースを開く"), QString(),
                                                          QStringLiteral("DXL ファイル (*.xml *.dxl);;すべてのファイル (*)"));
  if (files.isEmpty()) return;
  std::vector<std::string> paths;
  for (const QString& file : files) paths.push_back(file.toLocal8Bit().toStdString());
  OpenDatabase(paths);
}

QString MainWindow::MarkedText() const { return marked_->text(); }

void MainWindow::ShowMarkedCount() { marked_->setText(MarkedTextFor(model_ ? model_->GetMarks().Count() : 0)); }

void MainWindow::ShowMessage(const QString& text) {
  QMessageBox box(QMessageBox::Warning, kProgramName, text, QMessageBox::Ok, this);
  box.exec();
}

const PluginLibrary& MainWindow::Plugin(const std::string& library) {
  std::unique_ptr<PluginLibrary>& loaded = plugins_[library];
  if (!loaded) loaded = std::make_unique<PluginLibrary>(platform::ProgramDirectory() + "/" + LibraryFileName(library));
  return *loaded;
}

void MainWindow::Export() {
  if (!database_ || viewNoteId_ == 0) return ShowMessage(QStringLiteral("エクスポートするビューを開いてください。"));
  std::vector<ExportEntry> entries;
  try {
    entries = ReadExportEntries(FindNotesIni());
  } catch (const ClientError& error) {
    return ShowMessage(FromLocale(error.message));
  }
  if (entries.empty()) return ShowMessage(QStringLiteral("notes.ini にエクスポートの項目がありません。"));

  const std::optional<ExportChoice> choice = ChooseExport(entries, exportFolder_, this);
  if (!choice) return;
  exportFolder_ = choice->folder;
  const ExportEntry& entry = entries[choice->entry];
  const HostNotices told;  // such as an attachment whose file has changed
  try {
    if (entry.library.empty()) throw ClientError{"the export entry " + entry.key + " names no library"};
    CallExportView(Plugin(entry.library), entry,
                   {database_->Handle(), viewNoteId_, collection_ ? collection_->Handle() : CoreCollectionHandle{0},
                    model_ ? model_->Selection(table_->CursorRow()) : std::vector<std::uint32_t>{}, choice->append,
                    platform::Utf8ToCp932(choice->typedName)});
  } catch (const ClientError& error) {
    ShowMessage(FromLocale(error.message));
  }
  if (!told.Lines().isEmpty()) ShowMessage(told.Lines().join(QLatin1Char('\n')));
  table_->setFocus();
}

}  // namespace client
