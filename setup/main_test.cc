// Runs the built setup program in a scratch Notes program directory and compares the whole
// notes.ini, the exit code and the output of each run.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

  // Starts the program from the launch directory with no display, PATH naming only the PATH
  // directory and a UTF-8 locale; standard input is empty.
  ProgramRun Run(const std::vector<std::string>& arguments) const {
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
    std::string outPath = (scratch_.path() / "stdout").string();
    std::string errPath = (scratch_.path() / "stderr").string();
    std::string cwd = launchDir().string();

    pid_t child = fork();
    if (child == 0) {
      int in = open("/dev/null", O_RDONLY);
      int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (in < 0 || out < 0 || err < 0 || chdir(cwd.c_str()) != 0) _exit(126);
      dup2(in, 0);
      dup2(out, 1);
      dup2(err, 2);
      execve(argv[0], argv.data(), envp.data());
      _exit(127);
    }
    ProgramRun run;
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
      ADD_FAILURE() << "cannot run " << programPath;
      return run;
    }
    EXPECT_TRUE(WIFEXITED(status)) << "the program did not exit normally, status " << status;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    return run;
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
