// The CSV export of a large view, end to end through the plug-in's ExportView with the switch /X:
// a database of 1,000,000 documents (or the count given as the first argument) built in memory,
// a view of 10 columns (texts, numbers, date/times, text and number lists, one categorised
// column). The baseline writes the same bytes, one write per line, as the least any exporter
// that keeps every finished line on disk must do. Reports the rows per second of both and their
// ratio (the fastest of three runs of each), and the export's peak resident memory beyond the
// database and its view index against the bytes of the entries the export keeps.
//
//   export_bench [DOCUMENTS]      exit status 1 when the export fails or the two outputs differ
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <host/core.h>
#include <platform/qt/qt_ui.h>
#include <platform/ui.h>
#include <host/testing/builder.h>

#include "plugin/export_view.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 3;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
std::size_t StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.starts_with(prefix)) return std::stoull(line.substr(prefix.size())) * 1024;
  return 0;
}

// Starts the peak resident size afresh from the current size; false where the kernel cannot.
bool ResetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

NOTEID BuildView(host::testing::DatabaseBuilder& db) {
  using host::testing::ColumnDesign;
  LNNumberFormat money;
  money.SetStyle(LNNUMBERFORMATSTYLE_FIXED);
  money.SetDigits(2);
  money.SetPunctuated(TRUE);
  LNDatetimeFormat dateOnly;
  dateOnly.SetShow(LNDATETIMESHOW_DATE);
  return db.View("受注一覧")
      .Column({.title = "地域", .itemName = "地域", .categorized = true})
      .Column({.title = "受注番号", .itemName = "受注番号", .sort = host::testing::Sort::Ascending})
      .Column({.title = "顧客名", .itemName = "顧客名"})
      .Column({.title = "数量", .itemName = "数量"})
      .Column({.title = "単価", .itemName = "単価", .numberFormat = money})
      .Column({.title = "受注日", .itemName = "受注日", .datetimeFormat = dateOnly})
      .Column({.title = "更新日時", .itemName = "更新日時"})
      .Column({.title = "担当者", .itemName = "担当者"})
      .Column({.title = "評価", .itemName = "評価", .separator = LNVFSEPARATOR_SEMICOLON})
      .Column({.title = "備考", .itemName = "備考"})
      .Id();
}

void AddDocuments(host::testing::DatabaseBuilder& db, unsigned count) {
  static const char* const kRegions[] = {"北海道", "東北", "関東", "中部", "近畿", "中国", "四国", "九州"};
  static const char* const kStaff[] = {"佐藤 花子", "鈴木 一郎", "高橋 健", "田中 美咲", "伊藤 翔"};
  for (unsigned n = 0; n < count; ++n) {
    char code[16];
    std::snprintf(code, sizeof code, "J-%08u", (n * 7919u) % count);  // not in note-ID order
    db.Document("受注")
        .Text("地域", {kRegions[n % 8]})
        .Text("受注番号", {code})
        .Text("顧客名", {"株式会社ソ表商事 第" + std::to_string(n % 1000) + "営業所"})
        .Numbers("数量", {static_cast<double>(n % 97)})
        .Numbers("単価", {823.5 + n % 10000})
        .Datetimes("受注日", {host::testing::Date(2026, 1 + n % 12, 1 + n % 28)})
        .Datetimes("更新日時", {host::testing::At(2026, 4, 1 + n % 28, n % 24, n % 60, 0)})
        .Text("担当者", {kStaff[n % 5], kStaff[(n + 2) % 5]})
        .Numbers("評価", {static_cast<double>(n % 5), 4.5})
        .Text("備考", {n % 3 ? "納期: 4月10日, 分納可" : "至急"});
  }
}

// The bytes of the entries an export of all documents keeps: each entry's note ID and summary
// table, read the way the export reads them.
std::size_t EntryBytes(CoreCollectionHandle collection, std::size_t& entries) {
  CorePosition position{};
  std::size_t bytes = 0;
  entries = 0;
  std::uint16_t signal = kCoreSignalMore;
  while (signal & kCoreSignalMore) {
    CoreMemoryHandle buffer = 0;
    std::uint16_t length = 0;
    std::uint32_t returned = 0;
    if (CoreReadEntries(collection, &position, kCoreNavigateNext, 1, kCoreNavigateNext, kCoreAllThatFit,
                        kCoreReadNoteIdAndSummary, &buffer, &length, nullptr, &returned, &signal) != 0)
      break;
    bytes += length;
    entries += returned;
    if (buffer) CoreFreeMemory(buffer);
  }
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes `text` to `path`, one write per CRLF-terminated line; the seconds it took.
double WriteLineByLine(const std::string& text, const std::string& path) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find("\r\n", start);
    const std::size_t next = end == std::string::npos ? text.size() : end + 2;
    lines.emplace_back(text.data() + start, next - start);
    start = next;
  }
  const Clock::time_point start = Clock::now();
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  for (std::string_view line : lines)
    if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) std::abort();
  close(fd);
  return Seconds(start);
}

}  // namespace

// export_bench [--window] [DOCUMENTS]: with --window the export shows its progress window (on Qt's
// offscreen platform where there is no display), else the console's progress.
int main(int argc, char** argv) {
  const bool window = argc > 1 && std::string_view(argv[1]) == "--window";
  std::optional<platform::qt::WindowedUi> windows;
  if (window) {
    if (!platform::DisplayAvailable()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    windows.emplace(argc, argv);
  }
  const int first = window ? 2 : 1;
  const unsigned documents =
      argc > first ? static_cast<unsigned>(std::strtoul(argv[first], nullptr, 10)) : 1'000'000;
  const std::string directory = std::filesystem::temp_directory_path().string();
  // Per process: ctest runs the console and the window smoke runs side by side.
  const std::string stem = directory + "/nvorpel_export_bench_" + std::to_string(getpid());
  const std::string exported = stem + ".csv";
  const std::string baseline = stem + "_baseline.csv";

  void* plugin = dlopen(NVORPEL_NOTES_DIR "/libnVorpel.so", RTLD_NOW | RTLD_LOCAL);
  const auto exportView = plugin ? reinterpret_cast<ExportViewFunction>(dlsym(plugin, "ExportView")) : nullptr;
  if (!exportView) {
    std::fprintf(stderr, "cannot load the plug-in: %s\n", dlerror());
    return 1;
  }

  Clock::time_point start = Clock::now();
  host::testing::DatabaseBuilder db("大量受注", "bench.nsf");
  const NOTEID view = BuildView(db);
  AddDocuments(db, documents);
  const DBHANDLE database = db.Register();
  const double buildSeconds = Seconds(start);

  start = Clock::now();
  CoreCollectionHandle collection = 0;
  CoreIdTableHandle selected = 0;
  if (CoreOpenCollection(database, view, &collection) != 0 || CoreCreateIdTable(nullptr, 0, &selected) != 0) {
    std::fprintf(stderr, "cannot open the view\n");
    return 1;
  }
  const double indexSeconds = Seconds(start);
  std::size_t rows = 0;
  const std::size_t keptBytes = EntryBytes(collection, rows);

  ExportViewParams params;
  params.SetDatabaseHandle(database);
  params.SetViewNoteId(view);
  params.SetCollectionHandle(collection);
  params.SetSelectedIdTable(selected);
  const std::string typedName = exported + " /X";

  // The fastest of a few runs of each, since other work on the machine only ever slows a run.
  double exportSeconds = 0, baselineSeconds = 0;
  std::size_t exportPeak = 0;
  bool peakReset = true;
  std::string bytes;
  bool same = true;
  for (int run = 0; run < kRuns; ++run) {
    malloc_trim(0);
    peakReset = ResetPeakMemory() && peakReset;
    const std::size_t residentBefore = StatusBytes("VmRSS");
    start = Clock::now();
    exportView(&params, 0, 0, "", typedName.c_str());
    const double seconds = Seconds(start);
    exportSeconds = run == 0 ? seconds : std::min(exportSeconds, seconds);
    exportPeak = std::max(exportPeak, StatusBytes("VmHWM") - residentBefore);

    const std::string written = ReadFile(exported);
    same = same && (run == 0 || written == bytes);
    bytes = written;
    const double lineByLine = WriteLineByLine(bytes, baseline);
    baselineSeconds = run == 0 ? lineByLine : std::min(baselineSeconds, lineByLine);
    same = same && ReadFile(baseline) == bytes;
  }

  const double exportRate = static_cast<double>(rows) / exportSeconds;
  const double baselineRate = static_cast<double>(rows) / baselineSeconds;
  const double memoryRatio = static_cast<double>(exportPeak) / static_cast<double>(keptBytes);
  std::printf("documents %u, rows %zu (category rows included), output %.1f MB\n", documents, rows,
              static_cast<double>(bytes.size()) / 1e6);
  std::printf("database built in %.2f s, view indexed in %.2f s\n", buildSeconds, indexSeconds);
  std::printf("export   %.2f s  %12.0f rows/s  %.2f us/row, progress %s\n", exportSeconds, exportRate,
              exportSeconds * 1e6 / static_cast<double>(rows), window ? "window" : "console");
  std::printf("baseline %.2f s  %12.0f rows/s  (same bytes: %s)\n", baselineSeconds, baselineRate,
              same ? "yes" : "NO");
  const double rateRatio = exportRate / baselineRate;
  std::printf("rate ratio export/baseline %.2f (target >= 0.35: %s)\n", rateRatio, rateRatio >= 0.35 ? "met" : "MISSED");
  std::printf("peak memory beyond the database %.1f MB, kept entries %.1f MB, ratio %.2f (target <= 1.50: %s)%s\n",
              static_cast<double>(exportPeak) / 1e6, static_cast<double>(keptBytes) / 1e6, memoryRatio,
              memoryRatio <= 1.5 ? "met" : "MISSED", peakReset ? "" : " [peak not resettable: whole-process peak]");

  std::filesystem::remove(exported);
  std::filesystem::remove(baseline);
  CoreCloseCollection(collection);
  CoreFreeIdTable(selected);
  dlclose(plugin);
  return same && !bytes.empty() ? 0 : 1;
}
