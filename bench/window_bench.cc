// The client's main window over a large view: generates the customer database (300,000 documents
// by default) and measures, each in a process of its own on Qt's offscreen platform:
//   - reading the DXL alone (the database being read);
//   - opening the window on it: the database read, the view indexed and its first rows painted,
//     and that less the time of the same read alone (the time to the first rows once the database
//     is read);
//   - the cursor moved to the last row and the rows painted there;
//   - in the categorised view, collapsing the first category and marking every document;
// with each process's peak memory, so that the window's own memory shows beside the database's.
//
//   window_bench [DOCUMENTS]    exit status 1 when a run fails
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QTreeWidget>

#include "bench/customer_database.h"
#include "client/host_objects.h"
#include "client/main_window.h"
#include "client/view_table.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

struct Run {
  double peakBytes = 0;
  bool ok = false;
};

// Runs `child` in a process of its own; it prints its own times.
Run InChild(const std::function<bool()>& child) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const bool ok = child();
    std::fflush(nullptr);
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {static_cast<double>(usage.ru_maxrss) * 1024, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

void Press(client::ViewTable& table, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&table, &press);
}

// Paints the rows in sight, as the screen would show them.
void Paint(client::MainWindow& window) { window.Table()->viewport()->grab(); }

bool MeasureWindow(const fs::path& database, const char* view, bool categorised) {
  int argc = 1;
  char name[] = "window_bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  // The same read alone first, in this process, to tell the window's own part of opening.
  const Clock::time_point reading = Clock::now();
  { const client::Database alone({database.string()}, ""); }
  const double read = Seconds(reading);
  client::MainWindow window;
  window.show();
  const Clock::time_point opening = Clock::now();
  if (!window.OpenDatabase({database.string()}, "", view)) return false;
  Paint(window);
  const double opened = Seconds(opening);
  std::printf("    opened, first rows painted    %8.3f s, %.3f s once the database is read\n", opened, opened - read);

  client::ViewTable& table = *window.Table();
  const int rows = window.Model()->rowCount();
  const Clock::time_point scrolling = Clock::now();
  Press(table, Qt::Key_End, Qt::ControlModifier);
  Paint(window);
  std::printf("    to the last of %7d rows    %8.3f s (cursor on row %d)\n", rows, Seconds(scrolling),
              table.CursorRow());
  if (table.CursorRow() != rows - 1) return false;
  if (!categorised) return true;

  Press(table, Qt::Key_Home, Qt::ControlModifier);
  const Clock::time_point collapsing = Clock::now();
  Press(table, Qt::Key_Left);
  Paint(window);
  std::printf("    first category collapsed      %8.3f s (%d rows left)\n", Seconds(collapsing),
              window.Model()->rowCount());
  const Clock::time_point marking = Clock::now();
  window.Model()->MarkAll();
  Paint(window);
  std::printf("    every document marked         %8.3f s (%zu)\n", Seconds(marking), window.Model()->GetMarks().Count());
  return window.Model()->rowCount() < rows;
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned documents = argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 300'000;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const fs::path directory = fs::temp_directory_path() / ("nvorpel_window_bench_" + std::to_string(getpid()));
  fs::create_directories(directory);
  const fs::path database = directory / "customers.xml";
  bench::WriteCustomerDatabase(database, documents, true);
  const double fileBytes = static_cast<double>(fs::file_size(database));
  std::printf("%u documents, %.1f MB of DXL\n", documents, fileBytes / 1e6);

  const Run read = InChild([&] {
    const Clock::time_point start = Clock::now();
    const client::Database opened({database.string()}, "");
    std::printf("  DXL read alone                  %8.3f s\n", Seconds(start));
    return true;
  });
  std::printf("    peak %.1f MB\n", read.peakBytes / 1e6);
  bool ok = read.ok;
  const struct {
    const char* name;
    bool categorised;
  } kViews[] = {{bench::kCustomerView, false}, {bench::kByStaffView, true}};
  for (const auto& view : kViews) {
    std::printf("  window on %s%s\n", view.name, view.categorised ? " (categorised, sorted)" : "");
    const Run window = InChild([&] { return MeasureWindow(database, view.name, view.categorised); });
    std::printf("    peak %.1f MB, %.1f MB beyond reading the database%s\n", window.peakBytes / 1e6,
                (window.peakBytes - read.peakBytes) / 1e6, window.ok ? "" : "  FAILED");
    ok = ok && window.ok;
  }
  fs::remove_all(directory);
  return ok ? 0 : 1;
}
