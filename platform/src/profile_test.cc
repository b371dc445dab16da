#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/testing/child_process.h"
#include "test_files.h"

namespace platform {
namespace {

using testing_support::ReadFile;
using testing_support::TemporaryDirectory;
using testing_support::WriteFile;

constexpr const char* kDefault = "(default)";

std::string ReadString(const char* section, const char* key, const std::string& file) {
  char buffer[256];
  const std::size_t size = GetPrivateProfileString(section, key, kDefault, buffer, sizeof buffer, file.c_str());
  EXPECT_EQ(size, std::string(buffer).size());
  return buffer;
}

// Every way a line of the file is read: names, blanks, quotes, line ends, duplicates, comments.
TEST(ProfileRead, FindsValuesByThePlatformsRules) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  WriteFile(ini,
            "; nVorpel settings\r\n"
            "top=outside any section\r\n"
            "[Vorpel]\r\n"
            "OutputHeader=0\r\n"
            "  ColumnQuote  =  2  \r\n"
            "quoted=\"  padded \"\r\n"
            "single='x'\r\n"
            "mismatched=\"x'\r\n"
            "Dup=first\r\n"
            "dup=second\r\n"
            "empty=\r\n"
            ";commented=1\r\n"
            "no equals sign\r\n"
            "name with spaces = v = w\r\n"
            "[ vorpelxml ] trailing text\r\n"
            "XmlEncode=1\n"
            "LoneCr=lf\r"
            "Last=end");
  const struct {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Vorpel", "OutputHeader", "0"},
      {"VORPEL", "outputheader", "0"},
      {" Vorpel ", "  ColumnQuote\t", "2"},
      {"Vorpel", "quoted", "  padded "},
      {"Vorpel", "single", "x"},
      {"Vorpel", "mismatched", "\"x'"},
      {"Vorpel", "DUP", "first"},
      {"Vorpel", "empty", ""},
      {"Vorpel", "commented", kDefault},
      {"Vorpel", ";commented", kDefault},
      {"Vorpel", "no equals sign", kDefault},
      {"Vorpel", "name with spaces", "v = w"},
      {"VorpelXml", "XmlEncode", "1"},
      {"VorpelXml", "LoneCr", "lf"},
      {"VorpelXml", "last", "end"},
      {"Vorpel", "XmlEncode", kDefault},
      {"VorpelXml", "OutputHeader", kDefault},
      {"Vorpel", "top", kDefault},
      {"Missing", "OutputHeader", kDefault},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadString(c.section, c.key, ini), c.expected) << c.section << "/" << c.key;
}

TEST(ProfileRead, FirstOfTwoEqualSectionsWins) {
  TemporaryDirectory dir;
  WriteFile(dir / "a.ini", "[S]\r\nA=1\r\n[s]\r\nA=2\r\nB=3\r\n");
  EXPECT_EQ(ReadString("S", "A", dir / "a.ini"), "1");
  EXPECT_EQ(ReadString("S", "B", dir / "a.ini"), kDefault);
}

TEST(ProfileRead, DoubleByteNamesAreNotCaseFolded) {
  TemporaryDirectory dir;
  // "ア" is 0x83 0x41: its trail byte is an "A", which must not match the "a" of 0x83 0x61.
  WriteFile(dir / "a.ini", "[\x83\x41]\r\n\x83\x41x=1\r\n");
  EXPECT_EQ(ReadString("\x83\x41", "\x83\x41X", dir / "a.ini"), "1");
  EXPECT_EQ(ReadString("\x83\x61", "\x83\x41x", dir / "a.ini"), kDefault);
  EXPECT_EQ(ReadString("\x83\x41", "\x83\x61x", dir / "a.ini"), kDefault);
}

TEST(ProfileRead, StringIsTruncatedToTheBufferAndAlwaysTerminated) {
  TemporaryDirectory dir;
  const std::string ini = dir / "a.ini";
  WriteFile(ini, "[S]\r\nK=abcdef\r\n");
  char buffer[8] = "zzzzzzz";
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, 0, ini.c_str()), 0u);
  EXPECT_STREQ(buffer, "zzzzzzz");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, 1, ini.c_str()), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, 3, ini.c_str()), 2u);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, 7, ini.c_str()), 6u);
  EXPECT_STREQ(buffer, "abcdef");
  EXPECT_EQ(GetPrivateProfileString("S", "none", "defaultvalue", buffer, 5, ini.c_str()), 4u);
  EXPECT_STREQ(buffer, "defa");
  EXPECT_EQ(GetPrivateProfileString("S", "none", nullptr, buffer, 5, ini.c_str()), 0u);
  EXPECT_STREQ(buffer, "");
}

TEST(ProfileRead, MissingOrUnreadableFilesAndNullNamesGiveTheDefault) {
  TemporaryDirectory dir;
  WriteFile(dir / "a.ini", "[S]\r\nK=v\r\n");
  ASSERT_EQ(ReadString("S", "K", dir / "a.ini"), "v");
  EXPECT_EQ(ReadString("S", "K", dir / "missing.ini"), kDefault);
  EXPECT_EQ(ReadString("S", "K", dir.path()), kDefault);  // a directory
  EXPECT_EQ(ReadString(nullptr, "K", dir / "a.ini"), kDefault);
  EXPECT_EQ(ReadString("S", nullptr, dir / "a.ini"), kDefault);
  char buffer[16];
  EXPECT_EQ(GetPrivateProfileString("S", "K", "d", buffer, sizeof buffer, nullptr), 1u);
  EXPECT_EQ(GetPrivateProfileInt("S", "K", 9, nullptr), 9u);
}

TEST(ProfileRead, IntegersAreDecimalWrappingModulo2To32OrTheDefault) {
  const struct {
    const char* value;
    unsigned expected;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"   42\t", 42},
      {"+7", 7},
      {"-1", 0xFFFFFFFFu},
      {"-2147483648", 0x80000000u},
      {"4294967296", 0},
      {"4294967301", 5},
      {"00012", 12},
      {"\"12\"", 12},
      {"", 77},
      {"abc", 77},
      {"0x10", 77},
      {"12abc", 77},
      {"1 2", 77},
      {"- 5", 77},
      {"+", 77},
      {"-", 77},
      {"1.5", 77},
  };
  TemporaryDirectory dir;
  const std::string ini = dir / "a.ini";
  for (const auto& c : cases) {
    WriteFile(ini, std::string("[S]\r\nK=") + c.value + "\r\n");
    EXPECT_EQ(GetPrivateProfileInt("S", "K", 77, ini.c_str()), c.expected) << '"' << c.value << '"';
  }
  EXPECT_EQ(GetPrivateProfileInt("S", "missing", -3, ini.c_str()), 0xFFFFFFFDu);
  EXPECT_EQ(GetPrivateProfileInt("S", "K", 5, (dir / "missing.ini").c_str()), 5u);
}

// A write checked byte for byte: nullopt stands for no file.
struct WriteCase {
  const char* what;
  std::optional<std::string> before;
  const char* section;
  const char* key;
  const char* value;
  std::optional<std::string> after;
};

const std::string kCommented =
    "; nVorpel settings\n"
    "\n"
    "[Notes]\n"
    "KeyA=1\n"
    "\n"
    "; the end of Notes\n"
    "[Vorpel]\n"
    "OutputHeader=1\n";

TEST(ProfileWrite, ChangesOnlyWhatItMustByteForByte) {
  const WriteCase cases[] = {
      {"new key after the last key, blank line and comment stay", kCommented, "notes", "KeyB", "2",
       "; nVorpel settings\n\n[Notes]\nKeyA=1\nKeyB=2\r\n\n; the end of Notes\n[Vorpel]\nOutputHeader=1\n"},
      {"existing key rewritten in place", kCommented, "NOTES", " keya ", "5",
       "; nVorpel settings\n\n[Notes]\nkeya=5\r\n\n; the end of Notes\n[Vorpel]\nOutputHeader=1\n"},
      {"new section at the end", kCommented, "VorpelXml", "XmlEncode", "1",
       kCommented + "[VorpelXml]\r\nXmlEncode=1\r\n"},
      {"key deleted", kCommented, "Vorpel", "outputheader", nullptr,
       "; nVorpel settings\n\n[Notes]\nKeyA=1\n\n; the end of Notes\n[Vorpel]\n"},
      {"section deleted with its comments, lines before it kept", kCommented, "Notes", nullptr, nullptr,
       "; nVorpel settings\n\n[Vorpel]\nOutputHeader=1\n"},
      {"last section deleted", kCommented, "Vorpel", nullptr, nullptr,
       "; nVorpel settings\n\n[Notes]\nKeyA=1\n\n; the end of Notes\n"},
      {"missing key deleted: nothing changes", kCommented, "Notes", "Other", nullptr, kCommented},
      {"missing section deleted: nothing changes", kCommented, "Other", nullptr, nullptr, kCommented},
      {"same value written: nothing changes", "[S]\r\nK=v\r\n", "S", "K", "v", "[S]\r\nK=v\r\n"},
      {"key in a section without keys goes right after its header", "[Empty]\n; c\n[Next]\n", "Empty", "K", "1",
       "[Empty]\nK=1\r\n; c\n[Next]\n"},
      {"no final line end before a new key", "[S]\nA=1", "S", "B", "2", "[S]\nA=1\r\nB=2\r\n"},
      {"no final line end before a new section", "[S]\nA=1", "T", "K", "v", "[S]\nA=1\r\n[T]\r\nK=v\r\n"},
      {"no final line end after a header", "[S]", "S", "K", "v", "[S]\r\nK=v\r\n"},
      {"the first of two equal keys is set", "[S]\nA=1\nA=2\n", "S", "a", "3", "[S]\na=3\r\nA=2\n"},
      {"every line of a key is deleted", "[S]\nA=1\nB=0\na = 2\n", "S", "A", nullptr, "[S]\nB=0\n"},
      {"the deleted key was the last line", "[S]\nB=0\nA=1", "S", "A", nullptr, "[S]\nB=0\n"},
      {"double-byte text kept as bytes", "[S]\n\x83\x5C=\x95\x5C\n", "S", "\x83\x5C", "\x83\x5C\x95\x5C",
       "[S]\n\x83\x5C=\x83\x5C\x95\x5C\r\n"},
      {"a new file", std::nullopt, "Vorpel", "OutputHeader", "1", "[Vorpel]\r\nOutputHeader=1\r\n"},
      {"an empty file", "", "Vorpel", "OutputHeader", "1", "[Vorpel]\r\nOutputHeader=1\r\n"},
      {"deleting from no file creates none", std::nullopt, "Vorpel", "OutputHeader", nullptr, std::nullopt},
      {"a key before any section belongs to none", "K=1\n", "S", "K", "2", "K=1\n[S]\r\nK=2\r\n"},
  };
  for (const auto& c : cases) {
    TemporaryDirectory dir;
    const std::string ini = dir / "notes.ini";
    if (c.before) WriteFile(ini, *c.before);
    EXPECT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, ini.c_str())) << c.what;
    EXPECT_EQ(ReadFile(ini), c.after) << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), c.after ? 1 : 0)
        << c.what << ": a temporary file was left";
  }
}

TEST(ProfileWrite, WrittenValuesReadBack) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  ASSERT_TRUE(WritePrivateProfileString("Vorpel", "ListSeparater", "-1", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("Vorpel", "Label", "\"  quoted \"", ini.c_str()));
  EXPECT_EQ(GetPrivateProfileInt("Vorpel", "ListSeparater", 0, ini.c_str()), 0xFFFFFFFFu);
  EXPECT_EQ(ReadString("Vorpel", "Label", ini), "  quoted ");
}

TEST(ProfileWrite, UnchangedFileIsNotRewritten) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  WriteFile(ini, "[S]\r\nK=v\r\n");
  struct stat before, after;
  ASSERT_EQ(stat(ini.c_str(), &before), 0);
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", ini.c_str()));
  ASSERT_TRUE(WritePrivateProfileString("S", "Other", nullptr, ini.c_str()));
  ASSERT_EQ(stat(ini.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "w", ini.c_str()));
  ASSERT_EQ(stat(ini.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);  // the precondition of the check above: a write renames
}

TEST(ProfileWrite, KeepsTheFilesPermissionsAndSymbolicLinks) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  WriteFile(ini, "[S]\r\n");
  ASSERT_EQ(chmod(ini.c_str(), 0640), 0);
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", ini.c_str()));
  struct stat info;
  ASSERT_EQ(stat(ini.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  const std::string link = dir / "link.ini";
  ASSERT_EQ(symlink(ini.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WritePrivateProfileString("S", "L", "w", link.c_str()));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFile(ini), "[S]\r\nK=v\r\nL=w\r\n");
}

TEST(ProfileWrite, NewFileGetsTheUmasksPermissions) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  const mode_t old = umask(022);
  const bool written = WritePrivateProfileString("S", "K", "v", ini.c_str());
  umask(old);
  ASSERT_TRUE(written);
  struct stat info;
  ASSERT_EQ(stat(ini.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(ProfileWrite, FailsWithoutTouchingAnythingWhenItCannotWrite) {
  TemporaryDirectory dir;
  WriteFile(dir / "plain", "not a directory");
  std::filesystem::create_directory(dir / "folder.ini");
  const std::string ini = dir / "notes.ini";
  WriteFile(ini, "[S]\r\nK=v\r\n");
  const struct {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"directory does not exist", dir / "missing/notes.ini", "S", "K", "w"},
      {"directory is a file", dir / "plain/notes.ini", "S", "K", "w"},
      {"file is a directory", dir / "folder.ini", "S", "K", "w"},
      {"line break in the value", ini, "S", "K", "w\r\nX=1"},
      {"line break in the key", ini, "S", "K\nX", "w"},
      {"equals sign in the key", ini, "S", "K=X", "w"},
      {"empty key", ini, "S", " ", "w"},
      {"bracket in the section", ini, "S]X", "K", "w"},
      {"null section", ini, nullptr, "K", "w"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, c.value, c.file.c_str())) << c.what;
  }
  EXPECT_FALSE(WritePrivateProfileString("S", "K", "w", nullptr));
  EXPECT_EQ(ReadFile(ini), "[S]\r\nK=v\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_EQ(ReadFile(dir / "plain"), "not a directory");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

// Runs `writes` as an ordinary user when this test runs as root, who writes through any
// permission; gives one bit per write that succeeded.
int SucceededWritesAsOrdinaryUser(const std::string& tree, int (*writes)(const std::string& tree)) {
  if (geteuid() != 0) return writes(tree);
  constexpr uid_t kNobody = 65534;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree)) {
    EXPECT_EQ(lchown(entry.path().c_str(), kNobody, kNobody), 0);
  }
  EXPECT_EQ(lchown(tree.c_str(), kNobody, kNobody), 0);
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0 || geteuid() == 0) _exit(0xFF);
    _exit(writes(tree));
  }
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  return WEXITSTATUS(status);
}

TEST(ProfileWrite, ReadOnlyFileOrDirectoryIsLeftAlone) {
  TemporaryDirectory dir;
  std::filesystem::create_directory(dir / "rofile");
  std::filesystem::create_directory(dir / "rodir");
  WriteFile(dir / "rofile/notes.ini", "[S]\r\nK=v\r\n");
  WriteFile(dir / "rodir/notes.ini", "[S]\r\nK=v\r\n");
  ASSERT_EQ(chmod((dir / "rofile/notes.ini").c_str(), 0444), 0);
  ASSERT_EQ(chmod((dir / "rodir").c_str(), 0555), 0);
  const int succeeded = SucceededWritesAsOrdinaryUser(dir.path(), [](const std::string& tree) {
    const bool canWriteElsewhere = access(tree.c_str(), W_OK) == 0;
    return int{canWriteElsewhere} << 3 |
           int{WritePrivateProfileString("S", "K", "w", (tree + "/rofile/notes.ini").c_str())} << 2 |
           int{WritePrivateProfileString("S", "K", "w", (tree + "/rodir/notes.ini").c_str())} << 1 |
           int{WritePrivateProfileString("S", "K", "w", (tree + "/rodir/new.ini").c_str())};
  });
  ASSERT_EQ(succeeded & 0x08, 0x08) << "the writer could not even write its own directory";
  EXPECT_EQ(succeeded, 0x08) << "a write went through a read-only file or directory";
  ASSERT_EQ(chmod((dir / "rodir").c_str(), 0755), 0);
  EXPECT_EQ(ReadFile(dir / "rofile/notes.ini"), "[S]\r\nK=v\r\n");
  EXPECT_EQ(ReadFile(dir / "rodir/notes.ini"), "[S]\r\nK=v\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "rofile"), {}), 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "rodir"), {}), 1);
}

TEST(ProfileWrite, ChangesAreMadeInOrderInOneReplacementOrNotAtAll) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  WriteFile(ini, "[Notes]\r\nVIEWEXP5=old\r\n[Vorpel]\r\nOutputHeader=0\r\nMine=1\r\n[Gone]\r\nA=1\r\n");
  const ProfileChange changes[] = {{"Notes", "VIEWEXP5", nullptr}, {"Notes", "VIEWEXP6", "csv"},
                                   {"Vorpel", "OutputHeader", "1"}, {"Gone", nullptr, nullptr},
                                   {"Vorpel", "OutputHeader", "2"}, {"VorpelXml", "XmlEncode", "1"}};
  ASSERT_TRUE(WritePrivateProfileChanges(changes, ini.c_str()));
  const std::string after =
      "[Notes]\r\nVIEWEXP6=csv\r\n[Vorpel]\r\nOutputHeader=2\r\nMine=1\r\n[VorpelXml]\r\nXmlEncode=1\r\n";
  EXPECT_EQ(ReadFile(ini), after);

  const ProfileChange oneInvalid[] = {{"Notes", "VIEWEXP7", "xml"}, {"Vorpel", "K=X", "w"}};
  EXPECT_FALSE(WritePrivateProfileChanges(oneInvalid, ini.c_str()));
  EXPECT_TRUE(WritePrivateProfileChanges({}, ini.c_str()));
  EXPECT_FALSE(WritePrivateProfileChanges(changes, nullptr));
  EXPECT_EQ(ReadFile(ini), after);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Each round kills, at a random moment, a child that writes the same keys again and again with two
// sets of values by turns; the file then holds one whole set. A killed writer may leave its
// temporary file beside, never a part of its changes in the file.
TEST(ProfileWrite, AWriterKilledAtAnyMomentLeavesTheOldFileOrTheNewOne) {
  TemporaryDirectory dir;
  const std::string ini = dir / "notes.ini";
  const std::string padding(256, '.');
  std::vector<std::string> keys, values[2];
  for (int key = 0; key < 10; ++key) keys.push_back("Key" + std::to_string(key));
  for (int set = 0; set < 2; ++set) values[set].assign(10, static_cast<char>('a' + set) + padding);
  std::vector<ProfileChange> sets[2];
  for (int set = 0; set < 2; ++set)
    for (int key = 0; key < 10; ++key) sets[set].push_back({"Vorpel", keys[key].c_str(), values[set][key].c_str()});

  WriteFile(ini, "[Notes]\r\nDirectory=/notes/data\r\n");
  std::string whole[2];
  unsigned longest = 0;
  for (int set : {1, 0}) {
    longest = std::max(longest, platform::testing::MicrosecondsTaken(
                                    [&] { ASSERT_TRUE(WritePrivateProfileChanges(sets[set], ini.c_str())); }));
    whole[set] = *ReadFile(ini);
  }
  int seen[2] = {0, 0}, leftovers = 0;
  platform::testing::KillAtRandomMoments(
      30, 20 * longest,
      [&] {
        for (int set = 1;; set = 1 - set) WritePrivateProfileChanges(sets[set], ini.c_str());
      },
      [&](int round) {
        const std::string now = ReadFile(ini).value_or("(no file)");
        const int set = now == whole[0] ? 0 : now == whole[1] ? 1 : -1;
        ASSERT_NE(set, -1) << "round " << round << ": a mix of the two sets, " << now.size() << " bytes";
        ++seen[set];
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
          if (entry.path().filename() == "notes.ini") continue;
          ++leftovers;
          std::filesystem::remove(entry.path());
        }
      });
  EXPECT_GT(leftovers, 0) << "no kill fell inside a write";
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
}

TEST(ProfileWrite, FileIsNamedByAPlatformPathWithDoubleByteNames) {
  TemporaryDirectory dir;
  std::filesystem::create_directory(dir / "表示ソ");
  const std::string platformFile = ToPlatformPath(dir / "表示ソ/設定.ini");
  ASSERT_NE(platformFile.find("\x95\x5C\x8E\xA6\x83\x5C\\"), std::string::npos);  // 表示ソ then "\"
  ASSERT_TRUE(WritePrivateProfileString("S", "K", "v", platformFile.c_str()));
  EXPECT_EQ(ReadFile(dir / "表示ソ/設定.ini"), "[S]\r\nK=v\r\n");
  char buffer[8];
  EXPECT_EQ(GetPrivateProfileString("S", "K", "", buffer, sizeof buffer, platformFile.c_str()), 1u);
  EXPECT_EQ(GetPrivateProfileInt("S", "K", 3, platformFile.c_str()), 3u);
}

}  // namespace
}  // namespace platform
