// Runs the built setup program in a scratch Notes program directory and compares the whole
// notes.ini, the exit code and the output of each run.
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <platform/cp932.h>
#include <platform/files.h>
#include <platform/testing/child_process.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "scratch_directory.h"

extern char** environ;

namespace setup {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Where notes.ini lies for a run.
enum class IniPlace {
  ProgramDirectory,  // beside the program, as in a Notes program directory
  PathDirectory,     // in a directory of PATH only
  LaunchDirectory,   // in the directory the program is started from only
  Nowhere,
};

// A Notes program directory holding a copy of the setup program and its platform libraries, plus a
// PATH directory and a launch directory beside it.
class NotesProgramDirectory {
 public:
  explicit NotesProgramDirectory(std::string programDirName = "notes") : programDirName_(std::move(programDirName)) {
    for (const fs::path& dir : {programDir(), pathDir(), launchDir()}) fs::create_directory(dir);
    fs::copy_file(NVORPEL_SETUP_PROGRAM, program());
    for (std::string_view rest = NVORPEL_PLATFORM_LIBRARIES; !rest.empty();) {
      const fs::path library = rest.substr(0, rest.find(':'));
      fs::create_symlink(library, programDir() / library.filename());
      rest.remove_prefix(std::min(rest.size(), library.native().size() + 1));
    }
  }

  fs::path root() const { return scratch_.path(); }
  fs::path programDir() const { return scratch_.path() / programDirName_; }
  fs::path pathDir() const { return scratch_.path() / "on-path"; }
  fs::path launchDir() const { return scratch_.path() / "elsewhere"; }
  fs::path program() const { return programDir() / "nVorpel"; }

  fs::path IniIn(IniPlace place) const {
    switch (place) {
      case IniPlace::ProgramDirectory: return programDir() / "notes.ini";
      case IniPlace::PathDirectory: return pathDir() / "notes.ini";
      case IniPlace::LaunchDirectory: return launchDir() / "notes.ini";
      case IniPlace::Nowhere: break;
    }
    return {};
  }

  // Runs the program from the launch directory with no display, PATH naming only the PATH
  // directory and a UTF-8 locale; standard input is empty. As an ordinary user when
  // `asOrdinaryUser` and this test runs as root; the run's exit code is then 120 when that user
  // may not write the program directory, 121 when it may write notes.ini.
  ProgramRun Run(const std::vector<std::string>& arguments, bool asOrdinaryUser = false) const {
    const pid_t child = fork();
    if (child == 0) Exec(arguments, asOrdinaryUser);
    ProgramRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
      ADD_FAILURE() << "cannot run " << program();
      return run;
    }
    EXPECT_TRUE(WIFEXITED(status)) << "the program did not exit normally, status " << status;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = ReadBytes(scratch_.path() / "stdout");
    run.err = ReadBytes(scratch_.path() / "stderr");
    return run;
  }

  // In a child process: becomes the program as Run describes.
  [[noreturn]] void Exec(const std::vector<std::string>& arguments, bool asOrdinaryUser) const {
    std::string programPath = program().string();
    std::vector<std::string> argStrings{programPath};
    argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envStrings{"PATH=" + pathDir().string(), "LC_ALL=C.UTF-8"};
    for (char** entry = environ; *entry; ++entry) {
      std::string_view variable = *entry;
      bool dropped = false;
      for (std::string_view name : {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "PATH=", "LC_", "LANG"})
        dropped = dropped || variable.starts_with(name);
      if (!dropped) envStrings.emplace_back(variable);
    }
    std::vector<char*> argv, envp;
    for (std::string& s : argStrings) argv.push_back(s.data());
    for (std::string& s : envStrings) envp.push_back(s.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const std::string outPath = (scratch_.path() / "stdout").string();
    const std::string errPath = (scratch_.path() / "stderr").string();

    int in = open("/dev/null", O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || chdir(launchDir().c_str()) != 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (asOrdinaryUser && geteuid() == 0) {
      constexpr uid_t kNobody = platform::testing::kOrdinaryUser;
      if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(125);
    }
    if (asOrdinaryUser) {
      if (access(programDir().c_str(), W_OK) != 0) _exit(120);
      if (access(IniIn(IniPlace::ProgramDirectory).c_str(), W_OK) == 0) _exit(121);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }

 private:
  ScratchDirectory scratch_;
  std::string programDirName_;
};

constexpr const char* kCsv = "Export CSV File,1,_Vorpel,,.CSV,.TXT,,1,";
constexpr const char* kXml = "Export XML File,0,_Vorpel,xml,.XML,,1,";
constexpr const char* kOther = "Export Lotus 1-2-3,1,_XLATE,,.WK1,.WKS,,1,";

const std::string kRegistered = "Corvaneをnotes.iniに登録しました。";
const std::string kRemoved =
    "notes.iniからCorvaneの登録を削除しました。\nnVorpel(exe,dll,hlp)ファイルは別途削除してください。";
const std::string kNotFound =
    "notes.iniファイルが見つかりません。\n正しいNotesディレクトリでセットアップしてください。";
// What a run that cannot write `ini` says.
std::string NotWritten(const fs::path& ini) {
  return "notes.iniに書き込めませんでした。notes.iniは変更されていません。\n" +
         ini.string() +  // as this system writes paths
         "\nファイルが読み取り専用でないか、書き込む権限があるか確認してください。";
}
const std::string kNoFreeSlot =
    "notes.iniにエクスポートの空き枠(VIEWEXP5からVIEWEXP31)がありません。\n"
    "不要なエクスポートの登録を削除してから、もう一度セットアップしてください。";

std::string Slot(int n, const std::string& value, const char* lineEnd = "\r\n") {
  return "VIEWEXP" + std::to_string(n) + "=" + value + lineEnd;
}

// Section "Notes" with every slot from 5 to 31 taken by another program, except `ours` in `ourSlot`.
std::string FullNotesSection(int ourSlot = 0, const char* ours = "") {
  std::string section = "[Notes]\r\n";
  for (int n = 5; n <= 31; ++n) section += Slot(n, n == ourSlot ? ours : "Other " + std::to_string(n) + ",1,_X,,.X,,1,");
  return section;
}

// The plug-in's settings as the option sheets store them, with one key of the user's own in each section.
const std::string kSettings =
    "[Vorpel]\r\nOutputDocument=1\r\nOutputColumn=0\r\nOutputHeader=1\r\nColumnFormat=0\r\nListSeparater=0\r\n"
    "CSVFormatMode=0\r\nColumnSeparater=0\r\nColumnQuote=0\r\nAltSeparater=0\r\nAltCrlf=0\r\nMyOwnKey=7\r\n"
    "[VorpelXml]\r\nOutputDocument=1\r\nOutputColumn=0\r\nItemAll=0\r\nFieldAll=0\r\nAttachFile=1\r\n"
    "OutputNoteid=0\r\nOutputType=0\r\nColumnFormat=0\r\nListSeparater=0\r\nXmlEncode=1\r\n";
// What removal leaves of them: the headers, "MyOwnKey" and "AttachFile", which the plug-in writes
// but the removal list does not name.
const std::string kSettingsAfterRemoval = "[Vorpel]\r\nMyOwnKey=7\r\n[VorpelXml]\r\nAttachFile=1\r\n";

struct ProgramCase {
  const char* name;
  std::vector<std::string> arguments;
  IniPlace place;
  std::string before;
  std::string after;
  int exitCode;
  std::string out;
};

void RunCases(const std::vector<ProgramCase>& cases) {
  for (const ProgramCase& c : cases) {
    SCOPED_TRACE(c.name);
    NotesProgramDirectory notes;
    fs::path ini = notes.IniIn(c.place);
    if (c.place != IniPlace::Nowhere) WriteBytes(ini, c.before);

    ProgramRun run = notes.Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    if (c.place != IniPlace::Nowhere) {
      EXPECT_EQ(ReadBytes(ini), c.after);
    }
    if (c.place != IniPlace::ProgramDirectory) {
      EXPECT_FALSE(fs::exists(notes.programDir() / "notes.ini")) << "notes.ini created beside the program";
    }
  }
}

TEST(SetupProgram, RegistersIntoOwnOrFirstEmptySlots) {
  const std::string head = "; Lotus Notes settings\r\n[Notes]\r\nDirectory=C:\\notes\\data\r\n";
  const std::string tail = "KeyFileName=user.id\r\n\r\n[Other]\r\nVIEWEXP6=not in section Notes\r\n";
  std::string longValue(260, 'x');
  RunCases({
      {"other entry, then two empty slots",
       {"/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, kOther) + Slot(6, "") + Slot(7, "") + tail,
       head + Slot(5, kOther) + Slot(6, kCsv) + Slot(7, kXml) + tail,
       0, kRegistered},
      {"earlier entries in capitals are replaced in place",
       {"/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, kOther) + Slot(6, "") + Slot(8, "OLD XML,0,_VORPEL,XML,.XML,,1,") +
           Slot(9, "OLD CSV,1,_VORPEL,,.CSV,,1,") + tail,
       head + Slot(5, kOther) + Slot(6, "") + Slot(8, kXml) + Slot(9, kCsv) + tail,
       0, kRegistered},
      {"registering again changes nothing",
       {"/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, kCsv) + Slot(6, kXml) + tail,
       head + Slot(5, kCsv) + Slot(6, kXml) + tail,
       0, kRegistered},
      {"token beyond byte 255 of a 300-byte value does not match",
       {"/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, longValue + "_Vorpel,,.CSV,,1,0123456789012345") + Slot(6, "") + Slot(7, "") + tail,
       head + Slot(5, longValue + "_Vorpel,,.CSV,,1,0123456789012345") + Slot(6, kCsv) + Slot(7, kXml) + tail,
       0, kRegistered},
      {"token at the second byte of a double-byte character does not match",
       {"/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, "\x83_Vorpel,,") + Slot(6, "") + Slot(7, "") + tail,
       head + Slot(5, "\x83_Vorpel,,") + Slot(6, kCsv) + Slot(7, kXml) + tail,
       0, kRegistered},
      // The lines the program writes end in CRLF; the other lines keep their line ends.
      {"LF line ends",
       {"/I"}, IniPlace::ProgramDirectory,
       "[Notes]\n" + Slot(5, kOther, "\n") + Slot(6, "", "\n") + Slot(7, "", "\n") + "[Other]\nA=1\n",
       "[Notes]\n" + Slot(5, kOther, "\n") + Slot(6, kCsv) + Slot(7, kXml) + "[Other]\nA=1\n",
       0, kRegistered},
      {"CR line ends",
       {"/I"}, IniPlace::ProgramDirectory,
       "[Notes]\r" + Slot(5, kOther, "\r") + Slot(6, "", "\r") + Slot(7, "", "\r") + "[Other]\rA=1\r",
       "[Notes]\r" + Slot(5, kOther, "\r") + Slot(6, kCsv) + Slot(7, kXml) + "[Other]\rA=1\r",
       0, kRegistered},
      {"missing keys go after the last key of section Notes",
       {"/I"}, IniPlace::ProgramDirectory,
       "[Notes]\r\nDirectory=C:\\notes\\data\r\n\r\n[Other]\r\nA=1\r\n",
       "[Notes]\r\nDirectory=C:\\notes\\data\r\n" + Slot(5, kCsv) + Slot(6, kXml) + "\r\n[Other]\r\nA=1\r\n",
       0, kRegistered},
      {"section Notes missing",
       {"/I"}, IniPlace::ProgramDirectory,
       "[Other]\r\nA=1",
       "[Other]\r\nA=1\r\n[Notes]\r\n" + Slot(5, kCsv) + Slot(6, kXml),
       0, kRegistered},
      {"empty file",
       {"/I"}, IniPlace::ProgramDirectory, "", "[Notes]\r\n" + Slot(5, kCsv) + Slot(6, kXml), 0, kRegistered},
      {"notes.ini found on PATH",
       {"/I"}, IniPlace::PathDirectory,
       "[Notes]\r\n" + Slot(5, "") + Slot(6, ""),
       "[Notes]\r\n" + Slot(5, kCsv) + Slot(6, kXml),
       0, kRegistered},
      {"message-box mode without a display writes nothing to standard output",
       {"/x", "i"}, IniPlace::ProgramDirectory,
       "[Notes]\r\n" + Slot(5, "") + Slot(6, ""),
       "[Notes]\r\n" + Slot(5, kCsv) + Slot(6, kXml),
       0, ""},
  });
}

TEST(SetupProgram, RegistrationWithoutFreeSlotWritesNothing) {
  RunCases({
      {"no entry and no empty slot",
       {"/I"}, IniPlace::ProgramDirectory, FullNotesSection() + kSettings, FullNotesSection() + kSettings,
       2, kNoFreeSlot},
      {"CSV entry present but no slot for the XML entry",
       {"/I"}, IniPlace::ProgramDirectory, FullNotesSection(17, "OLD,1,_vorpel,,.CSV,,1,"),
       FullNotesSection(17, "OLD,1,_vorpel,,.CSV,,1,"), 2, kNoFreeSlot},
  });
}

TEST(SetupProgram, RemovesOwnEntriesAndSettingsOnly) {
  const std::string head = "[Notes]\r\nDirectory=C:\\notes\\data\r\n";
  RunCases({
      {"entries and settings present",
       {"/U", "/I"}, IniPlace::ProgramDirectory,
       head + Slot(5, kOther) + Slot(6, kCsv) + Slot(7, "") + Slot(9, "x,0,_VORPEL,XML,.XML,,1,") + kSettings,
       head + Slot(5, kOther) + Slot(7, "") + kSettingsAfterRemoval,
       0, kRemoved},
      {"lower-case switches, /u before /i, no entries present",
       {"/u", "/i"}, IniPlace::ProgramDirectory,
       head + Slot(5, kOther) + kSettings,
       head + Slot(5, kOther) + kSettingsAfterRemoval,
       0, kRemoved},
      {"repeated switches, only the first of two CSV entries goes",
       {"/i", "/U", "/I", "/u"}, IniPlace::ProgramDirectory,
       head + Slot(5, kCsv) + Slot(6, kCsv),
       head + Slot(6, kCsv),
       0, kRemoved},
      {"LF line ends",
       {"/U", "/I"}, IniPlace::ProgramDirectory,
       "[Notes]\n" + Slot(5, kCsv, "\n") + Slot(6, kXml, "\n") + "[Vorpel]\nAltCrlf=1\nMine=1\n",
       "[Notes]\n[Vorpel]\nMine=1\n",
       0, kRemoved},
      {"CR line ends",
       {"/U", "/I"}, IniPlace::ProgramDirectory,
       "[Notes]\r" + Slot(5, kCsv, "\r") + Slot(6, kXml, "\r") + "[VorpelXml]\rXmlEncode=1\rMine=1\r",
       "[Notes]\r[VorpelXml]\rMine=1\r",
       0, kRemoved},
  });
}

TEST(SetupProgram, WithoutNotesIniExitsWithOneAndWritesNothing) {
  RunCases({
      {"console mode", {"/I"}, IniPlace::Nowhere, "", "", 1, kNotFound},
      {"console removal", {"/U", "/I"}, IniPlace::Nowhere, "", "", 1, kNotFound},
      {"message-box mode", {}, IniPlace::Nowhere, "", "", 1, ""},
      // The program searches from its own directory, not from the one it was started in.
      {"notes.ini only in the launch directory", {"/I"}, IniPlace::LaunchDirectory, "[Notes]\r\n", "[Notes]\r\n",
       1, kNotFound},
  });
}

TEST(SetupProgram, FindsNotesIniBesideProgramByFullPathOfAtMost259Bytes) {
  const std::string registered = "[Notes]\r\n" + Slot(5, kCsv) + Slot(6, kXml);
  const struct {
    const char* name;
    std::string directoryName;
    int exitCode;
    std::string out;
    std::string after;
  } cases[] = {
      // "ソ" and "表" end in the byte 0x5C in code page 932, which must not be taken for a separator.
      {"Japanese directory name", "ノーツ表ソ", 0, kRegistered, registered},
      {"path too long for 260 bytes", std::string(240, 'n'), 1, kNotFound, "[Notes]\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NotesProgramDirectory notes(c.directoryName);
    fs::path ini = notes.IniIn(IniPlace::ProgramDirectory);
    WriteBytes(ini, "[Notes]\r\n");
    ProgramRun run = notes.Run({"/I"});
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(ReadBytes(ini), c.after);
    if (c.exitCode != 0) continue;
    WriteBytes(ini, c.after + kSettings);
    run = notes.Run({"/U", "/I"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kRemoved);
    EXPECT_EQ(ReadBytes(ini), "[Notes]\r\n" + kSettingsAfterRemoval);
  }
}

// A notes.ini that the user may not write, in a directory the user may write: every run is an
// error with exit code 3 that leaves the file as it was.
TEST(SetupProgram, ReadOnlyNotesIniIsLeftAsItWasWithAnErrorAndExitCodeThree) {
  const std::string head = "[Notes]\r\nDirectory=C:\\notes\\data\r\n";
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string before;
    bool console;
  } cases[] = {
      {"register", {"/I"}, head + Slot(5, kOther) + Slot(6, ""), true},
      {"register over old entries", {"/I"}, head + Slot(5, "OLD,1,_VORPEL,,.CSV,,1,") + Slot(6, ""), true},
      {"remove", {"/U", "/I"}, head + Slot(5, kCsv) + Slot(6, kXml) + kSettings, true},
      {"remove the settings only", {"/U", "/I"}, head + kSettings, true},
      {"message-box mode", {"/U"}, head + Slot(5, kCsv) + kSettings, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NotesProgramDirectory notes;
    const fs::path ini = notes.IniIn(IniPlace::ProgramDirectory);
    WriteBytes(ini, c.before);
    platform::testing::GiveToOrdinaryUser(notes.root().string(), 0755);
    platform::testing::GiveToOrdinaryUser(notes.programDir().string(), 0755);
    platform::testing::GiveToOrdinaryUser(ini.string(), 0444);

    const ProgramRun run = notes.Run(c.arguments, true);
    ASSERT_NE(run.exitCode, 120) << "the ordinary user may not write the program directory";
    ASSERT_NE(run.exitCode, 121) << "notes.ini is writable for the ordinary user";
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(c.console ? run.out : run.err, c.console ? NotWritten(ini) : "Corvane: " + NotWritten(ini) + "\n");
    EXPECT_EQ(ReadBytes(ini), c.before);
    EXPECT_EQ(std::distance(fs::directory_iterator(notes.programDir()), {}), 4) << "a temporary file was left";
  }
}

// Each round kills a registration or a removal, by turns, at a random moment of its run; notes.ini
// then is one that a whole run leaves, never a part of one run's changes.
TEST(SetupProgram, ARunKilledAtAnyMomentLeavesNotesIniAsOneWholeRunLeavesIt) {
  NotesProgramDirectory notes;
  const fs::path ini = notes.IniIn(IniPlace::ProgramDirectory);
  WriteBytes(ini, "[Notes]\r\n" + Slot(5, kOther) + kSettings);
  const std::vector<std::string> runs[2] = {{"/I"}, {"/U", "/I"}};
  // The files whole runs leave, one after another from the first: registered with the settings,
  // removed, registered without the settings (and removed again).
  std::vector<std::string> whole{ReadBytes(ini)};
  unsigned longest = 0;
  for (int n = 0; n < 3; ++n) {
    longest = std::max(longest, platform::testing::MicrosecondsTaken(
                                    [&] { ASSERT_EQ(notes.Run(runs[n % 2]).exitCode, 0); }));
    whole.push_back(ReadBytes(ini));
  }
  ASSERT_EQ(std::set<std::string>(whole.begin(), whole.end()).size(), 4u);

  int round = 3, unchanged = 0, changed = 0;
  std::string before = whole.back();
  // Delays up to twice the longest run: about half the rounds fall inside a run, and since a run
  // writes only at its end, most of those fall before its write.
  const int killed = platform::testing::KillAtRandomMoments(
      24, 2 * longest, [&] { notes.Exec(runs[round % 2], false); },
      [&](int) {
        const std::string after = ReadBytes(ini);
        ASSERT_NE(std::find(whole.begin(), whole.end(), after), whole.end())
            << "round " << round << ": a file no whole run leaves";
        ++(after == before ? unchanged : changed);
        for (const auto& entry : fs::directory_iterator(notes.programDir()))
          if (entry.path().filename().string().starts_with("notes.ini.~")) fs::remove(entry.path());
        before = after;
        ++round;
      });
  EXPECT_GT(killed, 0) << "every run ended before it was killed";
  EXPECT_GT(unchanged, 0) << "no run was killed before it wrote";
  EXPECT_GT(changed, 0) << "no run wrote before it was killed";
}

TEST(SetupProgram, MessageBoxModeWithoutDisplayReportsOnStandardError) {
  const struct {
    std::vector<std::string> arguments;
    IniPlace place;
    int exitCode;
    std::string message;
  } cases[] = {
      {{}, IniPlace::ProgramDirectory, 0, kRegistered},
      {{"/U"}, IniPlace::ProgramDirectory, 0, kRemoved},
      {{}, IniPlace::Nowhere, 1, kNotFound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    NotesProgramDirectory notes;
    if (c.place != IniPlace::Nowhere) WriteBytes(notes.IniIn(c.place), "[Notes]\r\n");
    ProgramRun run = notes.Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace setup
