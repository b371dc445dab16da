// The client's main window: the navigator of the database's views and folders on the left, the
// current view's rows on the right, the count of marked documents in the status bar, and the
// menus "ファイル(&F)" (open a database, export, quit) and "編集(&E)" (mark all, clear the marks).
// It is the owner of every window the plug-in opens without a parent. Nothing it does writes to
// the database's files.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "client/host_objects.h"
#include "client/navigator.h"
#include "client/plugin_library.h"
#include "client/view_model.h"

class QAction;
class QLabel;
class QTreeWidget;

namespace client {

class ViewTable;

class MainWindow final : public QMainWindow {
 public:
  MainWindow();
  ~MainWindow() override;

  // Reads the DXL files (locale text) as the database the window shows, with its view `viewName`
  // (a name or alias) or `viewNoteId` current, else the navigator's first view. A database that
  // cannot be read, or a view that is not there, is told in a message box; the window keeps what
  // it showed. False when the database was not opened.
  bool OpenDatabase(const std::vector<std::string>& files, const std::string& server = "",
                    const std::string& viewName = "", std::uint32_t viewNoteId = 0);
  // Makes the view or folder `noteId` current; a view that cannot be opened is told and leaves
  // the view pane empty.
  bool OpenView(std::uint32_t noteId);
  // "データベースを開く(&O)...": asks for the DXL files.
  void ChooseDatabase();
  // "エクスポート(&E)...": the export dialog, then ExportView for the current view.
  void Export();

  ViewTable* Table() const { return table_; }
  ViewModel* Model() const { return model_.get(); }
  QTreeWidget* Navigator() const { return navigator_; }
  std::uint32_t CurrentView() const { return viewNoteId_; }
  QString MarkedText() const;

 private:
  // Lists the views and folders (with the current one, also when it is hidden) and selects it.
  void FillNavigator();
  void SelectInNavigator();
  void ShowMarkedCount();
  void ShowMessage(const QString& text);
  // Shows no view: the table empty, the collection closed.
  void CloseView();
  const PluginLibrary& Plugin(const std::string& library);

  std::unique_ptr<Database> database_;
  std::vector<DesignView> views_;
  std::uint32_t viewNoteId_ = 0;
  std::unique_ptr<Collection> collection_;
  std::unique_ptr<ViewModel> model_;  // reads collection_
  std::map<std::string, std::unique_ptr<PluginLibrary>> plugins_;  // loaded at their first export
  QString exportFolder_;

  QTreeWidget* navigator_;
  ViewTable* table_;
  QLabel* marked_;
  QAction* showHidden_;
};

}  // namespace client
