// A large database from end to end: generates a DXL database of 300,000 documents (or each count
// given) with a view of five text columns, and times, each in a process of its own:
//   - the export through notes-client with /X, from a Notes program directory of its own, and the
//     XML export of the same view with /X /N and with /X /I;
//   - reading the DXL into the host's model alone;
//   - a parse-only pass over the same file by pugixml (the parsing limit);
//   - bench/lxml_export.py, the script a user would otherwise write (lxml; its output must be the
//     same bytes as the export's);
//   - the XML export /X /N once more with its progress window (the offscreen platform);
// and then, once: a database of 2,000 documents with a 1 MB attachment each (the CSV export, and
// the XML export with /P, whose detached files must equal the attachments) and one of 300,000 small
// documents of about 400 bytes (the CSV export against the lxml script); both scale with the first
// count given.
// Reports each time and peak resident memory against the file's size, and the ratios the
// targets name. With two counts or more, the export's time of each against the first.
//
//   pipeline_bench [DOCUMENTS...]    exit status 1 when a run fails or the outputs differ
//   pipeline_bench --write FILE [DOCUMENTS]   only writes the database (to profile a run by hand)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "bench/customer_database.h"
#include "dxl/reader.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kNotesDir = NVORPEL_NOTES_DIR;
const fs::path kScript = fs::path(NVORPEL_SOURCE_DIR) / "bench" / "lxml_export.py";
constexpr char kPython[] = "/usr/bin/python3";
struct Run {
  double seconds = 0;
  double peakBytes = 0;
  bool ok = false;
};

// Runs `child` in a process of its own: its wall time, peak resident size and success.
Run InChild(const std::function<int()>& child) {
  std::fflush(nullptr);
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) _exit(child());
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Run run;
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.peakBytes = static_cast<double>(usage.ru_maxrss) * 1024;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

int Exec(std::vector<std::string> arguments, const fs::path& directory) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  if (chdir(directory.c_str()) != 0) return 127;
  execv(argv[0], argv.data());
  std::perror(argv[0]);
  return 127;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A Notes program directory with notes-client, the libraries beside it and an export entry.
void MakeProgramDirectory(const fs::path& directory) {
  fs::create_directories(directory);
  fs::copy_file(kNotesDir / "notes-client", directory / "notes-client", fs::copy_options::overwrite_existing);
  for (const char* library : {"libnVorpel.so", "libnotes-host.so", "libnvplatform.so", "libnvplatform-qt.so"})
    if (!fs::exists(directory / library)) fs::create_symlink(kNotesDir / library, directory / library);
  std::ofstream(directory / "notes.ini", std::ios::binary)
      << "[Notes]\r\nVIEWEXP5=Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,\r\n"
         "VIEWEXP6=Export XML File,0,_Vorpel,xml,.XML,,1,\r\n";
}

bool LxmlInstalled() {
  return InChild([] {
           const int quiet = std::system("/usr/bin/python3 -c 'import lxml' 2>/dev/null");
           return quiet == 0 ? 0 : 1;
         }).ok;
}

void Report(const char* what, const Run& run, double fileBytes) {
  std::printf("  %-28s %8.2f s %9.1f MB %7.2f x file%s\n", what, run.seconds, run.peakBytes / 1e6,
              run.peakBytes / fileBytes, run.ok ? "" : "  FAILED");
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// The export of kCustomerView of `database` with `entry` and `switches` (after the file name);
// without `console` the windows show on the offscreen platform.
Run Export(const fs::path& directory, const fs::path& database, const char* entry, const fs::path& output,
           const std::string& switches, bool console = true) {
  return InChild([&] {
    std::vector<std::string> arguments = {(directory / "notes-client").string(), "export", "--db", database.string(),
                                          "--view", bench::kCustomerView, "--entry", entry};
    if (console) arguments.push_back("--console");
    else setenv("QT_QPA_PLATFORM", "offscreen", 1);
    arguments.push_back(output.string() + " " + switches);
    return Exec(arguments, directory);
  });
}

// Runs the lxml script over kCustomerView of `database` and compares its file with the export's
// `exported`, which took `exportRun`; false when the script fails or the bytes differ.
bool CompareWithLxml(const fs::path& directory, const fs::path& database, const fs::path& exported, const Run& exportRun,
                     double fileBytes) {
  const fs::path scripted = directory / "lxml.csv";
  const Run script = InChild([&] {
    return Exec({kPython, kScript.string(), database.string(), bench::kCustomerView, scripted.string()}, directory);
  });
  Report("lxml script", script, fileBytes);
  const bool same = ReadFile(exported) == ReadFile(scripted) && fs::file_size(exported) > 0;
  const double speedup = script.seconds / exportRun.seconds;
  std::printf("  same bytes as the export: %s; end to end %.1f times faster than the lxml script (target >= 3: %s)\n",
              same ? "yes" : "NO", speedup, Verdict(speedup >= 3));
  fs::remove(scripted);
  return script.ok && same;
}

// Whether each detached file under `folder` (one subfolder per note ID) holds its attachment.
bool DetachedFilesEqual(const fs::path& folder, unsigned documents, std::size_t bytes) {
  unsigned found = 0;
  for (unsigned n = 1; n <= documents; ++n) {
    char noteId[16];
    std::snprintf(noteId, sizeof noteId, "%08X", 0x200 + n * 4);
    const std::string content = ReadFile(folder / noteId / ("明細" + std::to_string(n) + ".bin"));
    if (content.size() != bytes) return false;
    for (std::size_t i = 0; i < bytes; ++i)
      if (static_cast<unsigned char>(content[i]) != bench::AttachmentByte(n, i)) return false;
    ++found;
  }
  return found == documents;
}

bool AttachmentRuns(const fs::path& directory, unsigned documents, std::size_t bytes) {
  const fs::path database = directory / "attachments.xml";
  bench::WriteAttachmentDatabase(database, documents, bytes);
  const double fileBytes = static_cast<double>(fs::file_size(database));
  std::printf("%u documents with a %.1f MB attachment each, %.1f MB of DXL\n", documents, bytes / 1e6, fileBytes / 1e6);
  const Run csv = Export(directory, database, "Export CSV File", directory / "attachments.csv", "/X");
  const Run xml = Export(directory, database, "Export XML File", directory / "attachments.xml.out", "/X /P");
  const bool same = xml.ok && DetachedFilesEqual(directory / "attachments.xml.files", documents, bytes);
  Report("CSV export (/X)", csv, fileBytes);
  Report("XML export (/X /P)", xml, fileBytes);
  std::printf("  detached files equal to the attachments: %s\n", same ? "yes" : "NO");
  std::printf("  CSV peak %.2f, XML /P peak %.2f times the file (target <= 0.1: %s, %s)\n", csv.peakBytes / fileBytes,
              xml.peakBytes / fileBytes, Verdict(csv.peakBytes <= 0.1 * fileBytes), Verdict(xml.peakBytes <= 0.1 * fileBytes));
  fs::remove_all(directory / "attachments.xml.files");
  fs::remove(directory / "attachments.csv");
  fs::remove(directory / "attachments.xml.out");
  fs::remove(database);
  return csv.ok && same;
}

bool SmallDocumentRuns(const fs::path& directory, unsigned documents, bool lxml) {
  const fs::path database = directory / "small.xml";
  bench::WriteSmallCustomerDatabase(database, documents);
  const double fileBytes = static_cast<double>(fs::file_size(database));
  std::printf("%u small documents, %.0f bytes of DXL each, %.1f MB\n", documents, fileBytes / documents, fileBytes / 1e6);
  const fs::path exported = directory / "small.csv";
  const Run csv = Export(directory, database, "Export CSV File", exported, "/X");
  Report("CSV export (/X)", csv, fileBytes);
  std::printf("  export peak %.2f times the file (target <= 1.5: %s)\n", csv.peakBytes / fileBytes,
              Verdict(csv.peakBytes <= 1.5 * fileBytes));
  const bool ok = csv.ok && (!lxml || CompareWithLxml(directory, database, exported, csv, fileBytes));
  fs::remove(exported);
  fs::remove(database);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string_view(argv[1]) == "--write") {
    bench::WriteCustomerDatabase(argv[2], argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 300'000);
    return 0;
  }
  std::vector<unsigned> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 10)));
  if (counts.empty()) counts.push_back(300'000);

  const fs::path directory = fs::temp_directory_path() / ("nvorpel_pipeline_bench_" + std::to_string(getpid()));
  MakeProgramDirectory(directory);
  const bool lxml = LxmlInstalled();
  bool allOk = true;
  double firstExport = 0, firstXml = 0;
  for (const unsigned documents : counts) {
    const fs::path database = directory / "customers.xml";
    bench::WriteCustomerDatabase(database, documents);
    const double fileBytes = static_cast<double>(fs::file_size(database));
    std::printf("%u documents, %.1f MB of DXL\n", documents, fileBytes / 1e6);

    const fs::path exported = directory / "export.csv";
    const Run exportRun = InChild([&] {
      return Exec({(directory / "notes-client").string(), "export", "--db", database.string(), "--view", bench::kCustomerView,
                   "--console", exported.string() + " /X"},
                  directory);
    });
    // The XML road over the same view: note IDs only, and every item.
    const auto xmlExport = [&](const char* switches) {
      return InChild([&] {
        return Exec({(directory / "notes-client").string(), "export", "--db", database.string(), "--view",
                     bench::kCustomerView, "--entry", "Export XML File", "--console",
                     (directory / "export.xml").string() + " " + switches},
                    directory);
      });
    };
    const Run xmlRun = xmlExport("/X /N");
    const Run xmlItemsRun = xmlExport("/X /I");
    const Run xmlWindowRun = Export(directory, database, "Export XML File", directory / "export.xml", "/X /N", false);
    fs::remove(directory / "export.xml");
    const Run readRun = InChild([&] {
      std::vector<std::string> warnings;
      return host::dxl::ReadFiles({database.string()}, warnings).notes.size() == documents + 1 ? 0 : 1;
    });
    const Run parseRun = InChild([&] {
      const std::string bytes = ReadFile(database);
      std::string buffer = bytes;
      pugi::xml_document document;
      const unsigned options = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata;
      return document.load_buffer_inplace(buffer.data(), buffer.size(), options, pugi::encoding_utf8) ? 0 : 1;
    });
    Report("export (notes-client /X)", exportRun, fileBytes);
    Report("XML export (/X /N)", xmlRun, fileBytes);
    Report("XML export (/X /I)", xmlItemsRun, fileBytes);
    Report("XML /X /N, progress window", xmlWindowRun, fileBytes);
    Report("DXL read into the model", readRun, fileBytes);
    Report("pugixml parse only", parseRun, fileBytes);
    allOk = allOk && exportRun.ok && xmlRun.ok && xmlItemsRun.ok && xmlWindowRun.ok && readRun.ok && parseRun.ok;
    const double xmlRatio = xmlRun.seconds / exportRun.seconds;
    std::printf("  XML export (/X /N) %.2f times the CSV export (target <= 3: %s)\n", xmlRatio, Verdict(xmlRatio <= 3));

    if (lxml) {
      allOk = CompareWithLxml(directory, database, exported, exportRun, fileBytes) && allOk;
    } else {
      std::printf("  lxml script: skipped, Debian's python3-lxml is not installed (bash bench/install-deps.sh)\n");
    }
    const double peakRatio = exportRun.peakBytes / fileBytes;
    std::printf("  export peak %.2f times the file (target <= 1.5: %s)\n", peakRatio, Verdict(peakRatio <= 1.5));
    const double rateRatio = parseRun.seconds / readRun.seconds;
    std::printf("  DXL reading at %.2f of the parse-only rate (target >= 0.5: %s)\n", rateRatio,
                Verdict(rateRatio >= 0.5));
    if (firstExport == 0) {
      firstExport = exportRun.seconds;
      firstXml = xmlRun.seconds;
    } else {
      std::printf("  export time %.2f (CSV) and %.2f (XML /X /N) times that of %u documents, for %.2f times the documents "
                  "(target <= 4 for 1,000,000 against 300,000)\n",
                  exportRun.seconds / firstExport, xmlRun.seconds / firstXml, counts.front(),
                  static_cast<double>(documents) / counts.front());
    }
    fs::remove(exported);
  }
  // The other two databases scale with the first count (2,000 attachments and 300,000 small
  // documents for 300,000), so that a smoke run stays small.
  const double scale = counts.front() / 300'000.0;
  allOk = AttachmentRuns(directory, std::max(1u, static_cast<unsigned>(2'000 * scale)), 1'000'000) && allOk;
  allOk = SmallDocumentRuns(directory, counts.front(), lxml) && allOk;
  fs::remove_all(directory);
  return allOk ? 0 : 1;
}
