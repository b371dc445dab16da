#include <QApplication>
#include <QFileDialog>

#include <platform/qt/qt_ui.h>
#include <platform/ui.h>

#include "client/client_error.h"
#include "client/commands.h"
#include "client/main_window.h"

namespace client {

int RunOpen(const CommandLine& line, int& argc, char** argv) {
  if (!platform::DisplayAvailable())
    throw ClientError{"open shows a window and needs a display (DISPLAY or WAYLAND_DISPLAY); without one, use "
                      "the commands export, views and entries"};
  const platform::qt::WindowedUi windows(argc, argv);
  std::vector<std::string> files = line.databaseFiles;
  if (files.empty()) {
    const QStringList chosen = QFileDialog::getOpenFileNames(
        nullptr, QStringLiteral("データベースを開く"), QString(),
        QStringLiteral("DXL ファイル (*.xml *.dxl);;すべてのファイル (*)"));
    if (chosen.isEmpty()) return 0;
    for (const QString& file : chosen) files.push_back(file.toLocal8Bit().toStdString());
  }
  MainWindow window;
  window.show();
  window.OpenDatabase(files, line.server, line.viewName.value_or(""), line.viewNoteId.value_or(0));
  return QApplication::exec();
}

}  // namespace client
