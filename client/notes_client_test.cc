// End-to-end: notes-client runs as a program from a Notes program directory of its own (the client
// copied, the libraries beside it, a notes.ini written by hand), exports the DXL fixtures of
// client/testdata and the output files are compared byte for byte.
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/testing/child_process.h>

namespace {

namespace fs = std::filesystem;

const fs::path kNotesDir = NVORPEL_NOTES_DIR;
const fs::path kTestData = fs::path(NVORPEL_SOURCE_DIR) / "client" / "testdata";
const std::string kShop = (kTestData / "shop.xml").string();
const std::string kRegionView = (kTestData / "region-view.xml").string();

constexpr char kNotesIni[] =
    "[Notes]\r\n"
    "VIEWEXP5=Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,\r\n"
    "VIEWEXP6=Export XML File,0,_Vorpel,xml,.XML,,1,\r\n"
    "VIEWEXP7=Broken Export,1,_Missing,,.CSV,\r\n";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct Result {
  int status = -1;
  std::string out, err;
};

// A Notes program directory of this test process: the client and the setup program copied in (so
// that they find the notes.ini beside them), the libraries, the help viewer and the help file linked
// to the built ones.
fs::path MakeProgramDirectory(const fs::path& directory, bool withNotesIni) {
  fs::create_directories(directory);
  fs::copy_file(kNotesDir / "notes-client", directory / "notes-client", fs::copy_options::overwrite_existing);
  fs::copy_file(kNotesDir / "nVorpel", directory / "nVorpel", fs::copy_options::overwrite_existing);
  for (const char* file : {"libnVorpel.so", "libnotes-host.so", "libnvplatform.so", "libnvplatform-qt.so", "helpviewer",
                           "nVorpel.hlp"})
    if (!fs::exists(directory / file)) fs::create_symlink(kNotesDir / file, directory / file);
  if (withNotesIni) WriteFile(directory / "notes.ini", kNotesIni);
  return directory;
}

// Starts the client in `workDirectory` with standard input empty, in a UTF-8 locale, without a
// display unless `displayless` is false (then on the X display `xDisplay`, or on Qt's offscreen
// platform when none is named); its output goes to client.out and client.err there.
// As the ordinary user platform::testing::kOrdinaryUser when `asOrdinaryUser` and this test runs as
// root; its output files are opened before.
pid_t StartClient(const fs::path& program, const fs::path& workDirectory, const std::vector<std::string>& arguments,
                  bool displayless, const std::string& xDisplay = "", bool asOrdinaryUser = false,
                  const char* executable = "notes-client") {
  const fs::path outPath = workDirectory / "client.out", errPath = workDirectory / "client.err";
  std::vector<std::string> environment = {"LANG=C.UTF-8", "PATH=/nonexistent"};
  for (const char* sanitizer : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})  // an instrumented build's
    if (const char* options = std::getenv(sanitizer)) environment.push_back(std::string(sanitizer) + "=" + options);
  if (!displayless) {
    environment.push_back(xDisplay.empty() ? "QT_QPA_PLATFORM=offscreen" : "DISPLAY=" + xDisplay);
    const fs::path runtime = workDirectory / "runtime";  // Qt wants a private runtime directory
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    environment.push_back("XDG_RUNTIME_DIR=" + runtime.string());
  }
  std::vector<std::string> argv = {(program / executable).string()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());

  const pid_t child = fork();
  if (child == 0) {
    std::vector<char*> args, env;
    for (std::string& a : argv) args.push_back(a.data());
    for (std::string& e : environment) env.push_back(e.data());
    args.push_back(nullptr);
    env.push_back(nullptr);
    if (chdir(workDirectory.c_str()) != 0) _exit(126);
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (asOrdinaryUser && geteuid() == 0) {
      constexpr uid_t kNobody = platform::testing::kOrdinaryUser;
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(125);
    }
    execve(args[0], args.data(), env.data());
    _exit(127);
  }
  return child;
}

// The client's result once it has ended; one still running after a minute is killed (status -1).
Result WaitForClient(pid_t child, const fs::path& workDirectory) {
  Result result;
  int status = 0;
  pid_t ended = 0;
  for (int i = 0; child > 0 && i < 60'000 && (ended = waitpid(child, &status, WNOHANG)) == 0; ++i) usleep(1000);
  if (child > 0 && ended == 0) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  } else if (ended == child && WIFEXITED(status)) {
    result.status = WEXITSTATUS(status);
  }
  result.out = ReadFile(workDirectory / "client.out");
  result.err = ReadFile(workDirectory / "client.err");
  return result;
}

Result RunClient(const fs::path& program, const fs::path& workDirectory, const std::vector<std::string>& arguments,
                 bool displayless = true) {
  return WaitForClient(StartClient(program, workDirectory, arguments, displayless), workDirectory);
}

class NotesClientTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = fs::path(::testing::TempDir()) / ("notes-client-e2e-" + std::to_string(getpid()));
    fs::remove_all(root_);
    program_ = MakeProgramDirectory(root_ / "Notes", true);
  }
  static void TearDownTestSuite() { fs::remove_all(root_); }

  void SetUp() override {
    work_ = root_ / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(work_);
    // The output goes below directories whose names hold a trail byte 0x5C in code page 932.
    output_ = work_ / "出力ソ" / "表";
    fs::create_directories(output_);
  }

  Result Run(const std::vector<std::string>& arguments, bool displayless = true) const {
    return RunClient(program_, work_, arguments, displayless);
  }

  static inline fs::path root_, program_;
  fs::path work_, output_;
};

TEST_F(NotesClientTest, ExportsWholeFilesByteForByte) {
  const struct {
    const char* name;
    std::vector<std::string> options;  // before the typed name
    std::string typed;                 // the file name ("" for the case's own) and the switches
    std::string before;                // the file's content before the export ("" for no file)
    std::string expected;              // UTF-8, compared in code page 932
    bool displayless = true;
  } kCases[] = {
      {"items", {"--view", "Items"}, " /X", "",
       "A-1,ソース表,\"12,345.00\",赤;青,2026/04/01\r\n"
       "B-2,\"He said \"\"hi\"\", twice\",2.25,緑,2026/04/02\r\n"
       "C-3,\"two\nlines\",-3.00,,\r\n"},
      {"header-and-tabs", {"--view", "商品一覧"}, " /X /H /S1", "",
       "コード\t名前\t価格\tタグ\t登録日\r\n"
       "A-1\tソース表\t12,345.00\t赤;青\t2026/04/01\r\n"
       "B-2\t\"He said \"\"hi\"\", twice\"\t2.25\t緑\t2026/04/02\r\n"
       "C-3\t\"two\nlines\"\t-3.00\t\t\r\n"},
      {"selected", {"--view", "ITEMS", "--select", "28,20,2C"}, " /X /D1", "",
       "A-1,ソース表,\"12,345.00\",赤;青,2026/04/01\r\n"
       "C-3,\"two\nlines\",-3.00,,\r\n"},
      {"nothing-selected", {"--view", "Items"}, " /X /H /D1", "", "コード,名前,価格,タグ,登録日\r\n"},
      {"appended", {"--view", "Items", "--append"}, " /X /H", "既存の行\r\n",
       "既存の行\r\n"
       "コード,名前,価格,タグ,登録日\r\n"
       "A-1,ソース表,\"12,345.00\",赤;青,2026/04/01\r\n"
       "B-2,\"He said \"\"hi\"\", twice\",2.25,緑,2026/04/02\r\n"
       "C-3,\"two\nlines\",-3.00,,\r\n"},
      {"replaced", {"--view", "Items"}, " /X /D1", "old content\r\n", ""},
      {"categories-from-joined-files", {"--db", kRegionView, "--view-id", "C"}, " /X /H", "",
       "地域,コード\r\n東,\r\n,A-1\r\n,C-3\r\n西,\r\n,B-2\r\n"},
      {"with-a-display", {"--view", "ByRegion", "--db", kRegionView}, " /X", "",
       "東,\r\n,A-1\r\n,C-3\r\n西,\r\n,B-2\r\n", false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path file = output_ / (std::string(c.name) + ".csv");
    if (!c.before.empty()) WriteFile(file, platform::Utf8ToCp932(c.before));
    ASSERT_EQ(fs::exists(file), !c.before.empty());
    std::vector<std::string> arguments = {"export", "--db", kShop};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    if (c.displayless) arguments.push_back("--console");
    arguments.push_back(file.string() + c.typed);

    const Result result = Run(arguments, c.displayless);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(ReadFile(file), platform::Utf8ToCp932(c.expected));
  }
}

TEST_F(NotesClientTest, TypedNameWithoutExtensionGetsCsv) {
  const Result result = Run({"export", "--db", kShop, "--view", "Items", "--console", "出力ソ/表/一覧 /X"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string expected = ReadFile(output_ / "一覧.csv");
  EXPECT_EQ(expected.substr(0, 4), "A-1,");
}

// The plug-in tells the user and writes nothing; to the client the export has ended normally.
TEST_F(NotesClientTest, PluginMessagesEndTheExportWithNoFile) {
  const struct {
    const char* name;
    std::vector<std::string> view;
    std::string switches;
    std::string message;  // UTF-8, a part of standard error
  } kCases[] = {
      {"no-sheet-without-display", {"--view", "Items"}, "", "/X"},
      {"not-a-view", {"--view-id", "20"}, " /X", "desktop.dsk内の個人フォルダから書き出すことは出来ません。"},
      {"no-such-note", {"--view-id", "FFF0"}, " /X", "desktop.dsk内の個人フォルダから書き出すことは出来ません。"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path file = output_ / (std::string(c.name) + ".csv");
    std::vector<std::string> arguments = {"export", "--db", kShop, "--console"};
    arguments.insert(arguments.end(), c.view.begin(), c.view.end());
    arguments.push_back(file.string() + c.switches);
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(file));
  }
}

TEST_F(NotesClientTest, AFullDiskIsReportedAndEndsTheRun) {
  // The typed name needs an extension of its own: "/dev/full" would become "/dev/full.csv".
  const fs::path full = output_ / "full.csv";
  fs::create_symlink("/dev/full", full);
  const Result result = Run({"export", "--db", kShop, "--view", "Items", "--console", full.string() + " /X /H"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("ディスクに空きがありません"), std::string::npos) << result.err;
}

// The files below `root` with their sizes, the client's own output files left out.
std::map<fs::path, std::uintmax_t> FilesBelow(const fs::path& root) {
  std::map<fs::path, std::uintmax_t> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = entry.path().filename().string();
    if (name == "client.out" || name == "client.err") continue;
    files[entry.path()] = entry.is_regular_file() ? entry.file_size() : 0;
  }
  return files;
}

// A folder or file the user may not write: the export is shown as failed and writes nothing,
// neither there nor anywhere else.
TEST_F(NotesClientTest, AnUnwritableFolderOrFileEndsTheExportWithAMessageAndWritesNothing) {
  const fs::path folder = output_ / "読取専用";
  fs::create_directories(folder);
  WriteFile(folder / "old.csv", "old\r\n");
  const fs::path readOnlyFile = output_ / "old.csv";
  WriteFile(readOnlyFile, "old\r\n");
  for (const fs::path& path : {work_, work_ / "出力ソ", output_}) platform::testing::GiveToOrdinaryUser(path, 0755);
  platform::testing::GiveToOrdinaryUser(folder, 0555);
  platform::testing::GiveToOrdinaryUser(folder / "old.csv", 0444);
  platform::testing::GiveToOrdinaryUser(readOnlyFile, 0444);
  // The precondition of every case: the ordinary user may read but not write them.
  for (const fs::path& path : {folder, folder / "old.csv", readOnlyFile}) {
    const std::string name = path.string();
    EXPECT_EQ(platform::testing::RunAsOrdinaryUser([&] {
                return int{access(name.c_str(), R_OK) == 0} | int{access(name.c_str(), W_OK) != 0} << 1;
              }),
              3)
        << name << " is not read-only for the ordinary user";
  }
  const struct {
    const char* name;
    std::vector<std::string> options;
    std::string typed;
  } kCases[] = {
      {"csv into the folder", {}, (folder / "new.csv").string() + " /X /H"},
      {"csv appended in the folder", {"--append"}, (folder / "new.csv").string() + " /X"},
      {"csv over a read-only file in the folder", {}, (folder / "old.csv").string() + " /X"},
      {"csv over a read-only file", {"--append"}, readOnlyFile.string() + " /X"},
      {"xml with attachments into the folder", {"--entry", "Export XML File"},
       (folder / "new.xml").string() + " /X /P /I"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto before = FilesBelow(root_);
    std::vector<std::string> arguments = {"export", "--db", kShop, "--view", "Items", "--console"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.push_back(c.typed);
    const Result result = WaitForClient(StartClient(program_, work_, arguments, true, "", true), work_);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "nVorpel: 102 : ファイルを開くことができません。\nエクスポート中にノーツのエラーが発生しました。\n");
    EXPECT_EQ(FilesBelow(root_), before) << "a file was written or changed";
  }
  EXPECT_EQ(ReadFile(readOnlyFile), "old\r\n");
}

// The size of a page of the system's file cache: the only place where a write cut by a kill ends.
const std::size_t kPageSize = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));

// A large export killed at random moments while it writes: the file holds the first records of the
// whole export, each whole. Each record (a CSV line, an XML doc element) is written with one
// write, and the system finishes a write it has begun unless the kill lands inside it and the
// write spans two pages: it then stops at the page boundary, the one cut allowed here.
TEST_F(NotesClientTest, AnExportKilledAtAnyMomentLeavesWholeRecordsOnly) {
  constexpr int kDocuments = 4000;
  const fs::path database = work_ / "large.xml";
  {
    std::ofstream dxl(database, std::ios::binary);
    dxl << "<database><view name='All'><column itemname='A'><columnheader title='A'/></column>"
           "<column itemname='B'><columnheader title='B'/></column></view>\n";
    for (int n = 0; n < kDocuments; ++n)
      dxl << "<document><item name='A'><text>行" << n << "</text></item><item name='B'><text>" << std::string(80, 'b')
          << n << "</text></item></document>\n";
    dxl << "</database>\n";
  }
  const struct {
    const char* name;
    std::vector<std::string> entry;
    std::string recordEnd;  // what every record ends in
  } kCases[] = {
      {"csv", {}, "\r\n"},
      {"xml", {"--entry", "Export XML File"}, "</doc>\r\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const fs::path file = output_ / (std::string("killed.") + c.name);
    std::vector<std::string> arguments = {"export", "--db", database.string(), "--view", "All", "--console"};
    arguments.insert(arguments.end(), c.entry.begin(), c.entry.end());
    arguments.push_back(file.string() + " /X");
    // Starts the export and returns once it writes its records.
    auto start = [&] {
      const pid_t child = StartClient(program_, work_, arguments, true);
      for (int wait = 0; wait < 6000 && (!fs::exists(file) || fs::file_size(file) == 0); ++wait) usleep(1000);
      return child;
    };

    // Whole exports, and how long the quicker of two writes: the scale of the moments to kill at
    // (a first run may be slowed by cold caches).
    pid_t child = 0;
    unsigned writing = 0;
    std::string complete;
    for (int run = 0; run < 2; ++run) {
      child = start();
      const unsigned taken = platform::testing::MicrosecondsTaken([&] { WaitForClient(child, work_); });
      writing = run == 0 ? taken : std::min(writing, taken);
      complete = ReadFile(file);
      ASSERT_GE(std::count(complete.begin(), complete.end(), '\n'), kDocuments);
      fs::remove(file);
    }

    int cut = 0;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("random delays from seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<unsigned> delay(0, writing / 2);  // within the writing, should a run be quicker
    for (int round = 0; round < 5; ++round) {
      child = start();
      usleep(delay(random));
      kill(child, SIGKILL);
      WaitForClient(child, work_);
      const std::string written = ReadFile(file);
      EXPECT_TRUE(complete.starts_with(written)) << "round " << round << ": not the start of the export";
      const bool whole = written == complete || written.ends_with(c.recordEnd);
      EXPECT_TRUE(whole || written.size() % kPageSize == 0)
          << "round " << round << ": " << written.size() << " bytes, the last record cut off: "
          << written.substr(written.size() - std::min<std::size_t>(written.size(), 40));
      if (written.size() < complete.size()) ++cut;
      fs::remove(file);
    }
    EXPECT_GT(cut, 0) << "no kill fell inside the export's writing";
  }
}

TEST_F(NotesClientTest, CtrlCCancelsAfterACompleteRecord) {
  constexpr int kDocuments = 200000;
  const fs::path database = work_ / "large.xml";
  {
    std::ofstream dxl(database, std::ios::binary);
    dxl << "<database><view name='All'><column itemname='A'><columnheader title='A'/></column></view>\n";
    for (int n = 0; n < kDocuments; ++n) dxl << "<document><item name='A'><text>行" << n << "</text></item></document>\n";
    dxl << "</database>\n";
  }
  const fs::path file = output_ / "cancelled.csv";
  const pid_t child = StartClient(program_, work_, {"export", "--db", database.string(), "--view", "All", "--console",
                                                    file.string() + " /X"}, true);
  // The first record on disk means the run is in its loop.
  for (int wait = 0; wait < 6000 && (!fs::exists(file) || fs::file_size(file) == 0); ++wait) usleep(10000);
  ASSERT_TRUE(fs::exists(file) && fs::file_size(file) > 0);
  kill(child, SIGINT);
  const Result result = WaitForClient(child, work_);

  EXPECT_EQ(result.status, 0) << result.err;
  const std::string written = ReadFile(file);
  const std::size_t records = static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n'));
  EXPECT_GT(records, 0u);
  EXPECT_LT(records, static_cast<std::size_t>(kDocuments));
  EXPECT_TRUE(written.ends_with("\r\n"));
}

TEST_F(NotesClientTest, ClientErrorsExitWithTwoAndWriteNothing) {
  const fs::path file = output_ / "never.csv";
  const std::string typed = file.string() + " /X";
  const struct {
    std::vector<std::string> arguments;
    std::string message;  // a part of standard error
  } kCases[] = {
      {{}, "no command given"},
      {{"export", "--view", "Items", typed}, "export needs --db FILE.dxl"},
      {{"export", "--db", kShop, "--view-id", "xyz", typed}, "not a note ID"},
      {{"export", "--db", (work_ / "missing.xml").string(), "--view", "Items", typed}, "missing.xml"},
      {{"export", "--db", kRegionView, "--db", (kTestData / "..").string(), "--view", "Items", typed},
       "cannot read the database"},
      {{"export", "--db", kShop, "--view", "Nowhere", typed}, "no view or folder named \"Nowhere\""},
      {{"export", "--db", kShop, "--view", "Items", "--entry", "Export PDF File", typed},
       "no export entry \"Export PDF File\""},
      {{"export", "--db", kShop, "--view", "Items", "--entry", "Broken Export", typed}, "libnMissing.so"},
      {{"views", "--db", (work_ / "missing.xml").string()}, "missing.xml"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::PrintToString(c.arguments));
    const Result result = Run(c.arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(file));
  }
}

TEST_F(NotesClientTest, WithoutNotesIniThereIsNothingToExportWith) {
  const fs::path program = MakeProgramDirectory(work_ / "NoIni", false);
  const struct {
    std::vector<std::string> arguments;
  } kCases[] = {{{"entries"}}, {{"export", "--db", kShop, "--view", "Items", "out.csv /X"}}};
  for (const auto& c : kCases) {
    const Result result = RunClient(program, work_, c.arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("notes.ini not found"), std::string::npos) << result.err;
  }
}

// "表" and "ソ" end in the byte 0x5C in code page 932, which must not be taken for a separator.
TEST_F(NotesClientTest, ProgramDirectoryUnderDoubleByteFolders) {
  const fs::path program = MakeProgramDirectory(work_ / "表示" / "ソフト", true);
  const Result entries = RunClient(program, work_, {"entries"});
  EXPECT_EQ(entries.status, 0) << entries.err;
  EXPECT_EQ(entries.out.substr(0, entries.out.find('\n')),
            "VIEWEXP5  \"Export CSV File\"  library _Vorpel (libnVorpel.so)  option \"\"");

  const fs::path file = output_ / "dbcs.csv";
  const Result exported =
      RunClient(program, work_, {"export", "--db", kShop, "--view", "Items", "--console", file.string() + " /X"});
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  EXPECT_EQ(ReadFile(file).substr(0, 4), "A-1,");
}

// An X server of this test's own, for a person's keys typed with xdotool.
class XServer {
 public:
  XServer() : display_(":" + std::to_string(50 + getpid() % 400)) {
    pid_ = fork();
    if (pid_ == 0) {
      dup2(open("/dev/null", O_WRONLY), 2);
      // -noreset: without it the server resets when its last client leaves, and a client that
      // connects at that moment fails to start.
      execlp("Xvfb", "Xvfb", display_.c_str(), "-noreset", "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr);
      _exit(127);
    }
    const fs::path socket = "/tmp/.X11-unix/X" + display_.substr(1);
    for (int i = 0; i < 100 && !fs::exists(socket); ++i) usleep(50'000);
    ready_ = fs::exists(socket);
  }
  ~XServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Ready() const { return ready_; }
  const std::string& Display() const { return display_; }
  // Runs xdotool with `arguments` on this display; true when it succeeds.
  bool Xdotool(const std::string& arguments) const {
    return std::system(("DISPLAY=" + display_ + " timeout 20 xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
  }

 private:
  std::string display_;
  pid_t pid_ = -1;
  bool ready_ = false;
};

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A person exports without /X: the CSV sheet comes up in a real window, "すべての文書(&A)" is
// chosen with Alt+A and Enter finishes; the file equals the export of the switches /X /H.
TEST_F(NotesClientTest, KeysTypedIntoTheRealSheetExportAsTheMatchingSwitches) {
  if (!Installed("Xvfb") || !Installed("xdotool"))
    GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/install-deps.sh)";
  const XServer x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start on " << x.Display();
  const fs::path viaSheet = output_ / "sheet.csv", viaSwitches = output_ / "switches.csv";
  const pid_t child =
      StartClient(program_, work_, {"export", "--db", kShop, "--view", "Items", viaSheet.string()}, false, x.Display());
  const bool typed = x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 alt+a Return");
  if (!typed) kill(child, SIGKILL);
  const Result result = WaitForClient(child, work_);
  ASSERT_TRUE(typed) << "the sheet did not come up";
  EXPECT_EQ(result.status, 0) << result.err;

  const Result reference = Run({"export", "--db", kShop, "--view", "Items", "--console", viaSwitches.string() + " /X /H"});
  EXPECT_EQ(reference.status, 0) << reference.err;
  ASSERT_TRUE(fs::exists(viaSheet));
  EXPECT_EQ(ReadFile(viaSheet), ReadFile(viaSwitches));
  EXPECT_TRUE(ReadFile(viaSheet).starts_with(platform::Utf8ToCp932("コード,名前"))) << "the title line";
}

// The column dialog in a real window: Alt+X opens it from the sheet, Down and Space untick the
// first column, Enter is its OK and then the sheet's Finish.
TEST_F(NotesClientTest, AColumnUntickedInTheRealColumnDialogIsNotExported) {
  if (!Installed("Xvfb") || !Installed("xdotool"))
    GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/install-deps.sh)";
  const XServer x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start on " << x.Display();
  const fs::path file = output_ / "chosen.csv";
  const pid_t child =
      StartClient(program_, work_, {"export", "--db", kShop, "--view", "Items", file.string()}, false, x.Display());
  const bool typed = x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 alt+a alt+x") &&
                     x.Xdotool("search --sync --onlyvisible --name '書き出し対象の列を選択' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 Down space Return") &&
                     x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 Return");
  if (!typed) kill(child, SIGKILL);
  const Result result = WaitForClient(child, work_);
  ASSERT_TRUE(typed) << "a window did not come up";
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFile(file), platform::Utf8ToCp932("名前,価格,タグ,登録日\r\n"
                                                  "ソース表,\"12,345.00\",赤;青,2026/04/01\r\n"
                                                  "\"He said \"\"hi\"\", twice\",2.25,緑,2026/04/02\r\n"
                                                  "\"two\nlines\",-3.00,,\r\n"));
}

// A person in the client's window: marks the second and third documents with the keyboard, exports
// them through File › Export and the sheet's defaults, then appends the same export to the file.
// The file holds what the switches give for the same note IDs.
TEST_F(NotesClientTest, DocumentsMarkedInTheWindowAreTheOnesExported) {
  if (!Installed("Xvfb") || !Installed("xdotool"))
    GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/install-deps.sh)";
  const XServer x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start on " << x.Display();
  // A notes.ini of its own: the sheet's defaults are not what an earlier test finished it with.
  const fs::path program = MakeProgramDirectory(work_ / "Notes", true);
  const pid_t child = StartClient(program, work_, {"open", "--db", kShop}, false, x.Display());
  const auto exportThroughTheMenu = [&](const std::string& answerToTheQuestion) {
    return x.Xdotool("search --sync --onlyvisible --name ' - notes-client$' windowfocus --sync") &&
           x.Xdotool("key --delay 100 alt+f e") &&
           x.Xdotool("search --sync --onlyvisible --name '^エクスポート$' windowfocus --sync") &&
           x.Xdotool("type --delay 50 marked") && x.Xdotool("key --delay 100 Return" + answerToTheQuestion) &&
           x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync") &&
           x.Xdotool("key --delay 100 Return");
  };
  const bool typed = x.Xdotool("search --sync --onlyvisible --name ' - notes-client$' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 Down space Down space") && exportThroughTheMenu("") &&
                     exportThroughTheMenu(" alt+a") &&
                     x.Xdotool("search --sync --onlyvisible --name ' - notes-client$' windowfocus --sync") &&
                     x.Xdotool("key --delay 100 alt+f x");
  if (!typed) kill(child, SIGKILL);
  const Result result = WaitForClient(child, work_);
  ASSERT_TRUE(typed) << "a window did not come up";
  EXPECT_EQ(result.status, 0) << result.err;

  const fs::path reference = output_ / "reference.csv";
  for (const bool append : {false, true}) {
    std::vector<std::string> arguments = {"export", "--db", kShop, "--view", "Items", "--select", "24,28", "--console"};
    if (append) arguments.push_back("--append");
    arguments.push_back(reference.string() + " /X /D1 /H");
    const Result exported = RunClient(program, work_, arguments);
    EXPECT_EQ(exported.status, 0) << exported.err;
  }
  ASSERT_TRUE(fs::exists(work_ / "marked.csv")) << "the dialog's folder is the client's current directory";
  EXPECT_EQ(ReadFile(work_ / "marked.csv"), ReadFile(reference));
  EXPECT_NE(ReadFile(reference).find("B-2,"), std::string::npos);
  EXPECT_EQ(ReadFile(reference).find("A-1,"), std::string::npos);
}

// Whether no window named `name` shows on `x` within five seconds.
bool WindowGoes(const XServer& x, const std::string& name) {
  for (int i = 0; i < 50; ++i) {
    if (!x.Xdotool("search --onlyvisible --name '" + name + "'")) return true;
    usleep(100'000);
  }
  return false;
}

// The sheet's ヘルプ opens the help viewer, a program of its own: the modal sheet does not block it,
// it follows a link with the keyboard and closes with Escape, and the sheet then finishes.
TEST_F(NotesClientTest, TheSheetsHelpIsAViewerThatTakesKeysBesideTheModalSheet) {
  if (!Installed("Xvfb") || !Installed("xdotool"))
    GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/install-deps.sh)";
  const XServer x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start on " << x.Display();
  const fs::path file = output_ / "after-help.csv";
  const pid_t child =
      StartClient(program_, work_, {"export", "--db", kShop, "--view", "Items", file.string()}, false, x.Display());
  const bool typed =
      x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync "
                "mousemove --window %1 115 319 click 1") &&  // ヘルプ
      x.Xdotool("search --sync --onlyvisible --name '^nVorpel ヘルプ$' windowfocus --sync") &&
      x.Xdotool("key --delay 150 Tab Return BackSpace Escape") && WindowGoes(x, "^nVorpel ヘルプ$") &&
      x.Xdotool("search --sync --onlyvisible --name 'CSVファイルで書き出し' windowfocus --sync") &&
      x.Xdotool("key --delay 100 alt+a Return");  // from ヘルプ, which the click focused, to the default button
  if (!typed) kill(child, SIGKILL);
  const Result result = WaitForClient(child, work_);
  ASSERT_TRUE(typed) << "the viewer did not come up, or did not close with Escape";
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fs::exists(file)) << "the sheet finished after the help";
}

// The setup program shows its help after its message and ends; the help stays open.
TEST_F(NotesClientTest, TheSetupProgramsHelpStaysOpenAfterItEnds) {
  if (!Installed("Xvfb") || !Installed("xdotool"))
    GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/install-deps.sh)";
  const XServer x;
  ASSERT_TRUE(x.Ready()) << "Xvfb did not start on " << x.Display();
  const fs::path program = MakeProgramDirectory(work_ / "Notes", false);
  WriteFile(program / "notes.ini", "[Notes]\r\n");
  const pid_t child = StartClient(program, program, {}, false, x.Display(), false, "nVorpel");
  const bool answered = x.Xdotool("search --sync --onlyvisible --name '^Corvane$' windowfocus --sync") &&
                        x.Xdotool("key Return");
  if (!answered) kill(child, SIGKILL);
  const Result result = WaitForClient(child, program);
  ASSERT_TRUE(answered) << "the message did not come up";
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(x.Xdotool("search --sync --onlyvisible --name '^nVorpel ヘルプ$' windowfocus --sync") &&
              x.Xdotool("key Escape"))
      << "the help is open after the setup program has ended";
  EXPECT_TRUE(WindowGoes(x, "^nVorpel ヘルプ$"));
}

// Without a display the setup program prints the topic after its message.
TEST_F(NotesClientTest, TheSetupProgramPrintsItsHelpWithoutADisplay) {
  const fs::path program = MakeProgramDirectory(work_ / "Notes", false);
  WriteFile(program / "notes.ini", "[Notes]\r\n");
  const Result result = WaitForClient(StartClient(program, program, {"/I"}, true, "", false, "nVorpel"), program);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(result.out.starts_with("Corvaneをnotes.iniに登録しました。\nnVorpel ヘルプ\nnVorpel は、")) << result.out;
}

TEST_F(NotesClientTest, OpenWithoutADisplayNamesTheHeadlessCommands) {
  const Result result = Run({"open", "--db", kShop});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("export, views and entries"), std::string::npos) << result.err;
}

TEST_F(NotesClientTest, HelpPrintsTheUsageAndSucceeds) {
  for (const char* help : {"--help", "-h"}) {
    const Result result = Run({help});
    EXPECT_EQ(result.status, 0) << help;
    EXPECT_TRUE(result.out.starts_with("usage: notes-client open [--db FILE.dxl]...")) << result.out;
    EXPECT_NE(result.out.find("notes-client --help"), std::string::npos);
    EXPECT_EQ(result.err, "");
  }
  EXPECT_EQ(Run({"--helpme"}).status, 2);
}

TEST_F(NotesClientTest, ListsTheViewsOfJoinedFiles) {
  const Result result = Run({"views", "--db", kShop, "--db", kRegionView});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "00000008  view    商品一覧 (Items)\n"
            "          columns: コード | 名前 | 価格 | タグ | メモ | 登録日\n"
            "0000000C  view    By Region (ByRegion)\n"
            "          columns: 地域 | コード\n");
}

TEST_F(NotesClientTest, ListsTheExportEntries) {
  const Result result = Run({"entries"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "VIEWEXP5  \"Export CSV File\"  library _Vorpel (libnVorpel.so)  option \"\"\n"
            "VIEWEXP6  \"Export XML File\"  library _Vorpel (libnVorpel.so)  option \"xml\"\n"
            "VIEWEXP7  \"Broken Export\"  library _Missing (libnMissing.so)  option \"\"\n");
}

}  // namespace
