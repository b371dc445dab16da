#include "platform/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/cp932.h"
#include "test_files.h"

namespace platform {
namespace {

using testing_support::TemporaryDirectory;
using testing_support::WriteFile;

#define SO "\x83\x5C"    // ソ
#define HYO "\x95\x5C"   // 表
#define JI "\x8E\xA6"    // 示

TEST(FilesPath, DoubleByteNamesSurviveTheSeparatorConversion) {
  const struct {
    std::string platform, fileSystem;
  } cases[] = {
      {"C:\\" HYO JI "\\" SO "\\a.txt", "C:/表示/ソ/a.txt"},
      {"\\" SO, "/ソ"},
      {HYO "\\\\" SO, "表//ソ"},
      {"plain\\name.ini", "plain/name.ini"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToFileSystemPath(c.platform), c.fileSystem);
    EXPECT_EQ(ToPlatformPath(c.fileSystem), c.platform) << c.fileSystem;
    EXPECT_EQ(Cp932ToUtf8(ToDisplayPath(c.platform)), c.fileSystem) << "shown as this system writes it";
  }
  EXPECT_EQ(ToFileSystemPath("dir/" SO), "dir/ソ");  // "/" is a separator on both sides
  EXPECT_EQ(ToPlatformPath("/한"), "\\?");
}

TEST(FilesPath, ExistsForFilesAndDirectoriesWithDoubleByteNames) {
  TemporaryDirectory dir;
  std::filesystem::create_directory(dir / "表示");
  WriteFile(dir / "表示/ソ.txt", "x");
  const std::string base = ToPlatformPath(dir.path());
  EXPECT_TRUE(PathExists(base));
  EXPECT_TRUE(PathExists(base + "\\" HYO JI));
  EXPECT_TRUE(PathExists(base + "\\" HYO JI "\\" SO ".txt"));
  EXPECT_FALSE(PathExists(base + "\\" HYO JI "\\" SO ".csv"));
  EXPECT_FALSE(PathExists(base + "\\" HYO));
  EXPECT_FALSE(PathExists(""));
}

TEST(FilesMakeDirectories, CreatesEveryMissingDirectoryButNotTheFile) {
  TemporaryDirectory dir;
  const std::string base = ToPlatformPath(dir.path());
  ASSERT_TRUE(MakeSureDirectoryPathExists(base + "\\a\\" HYO JI "\\\\" SO "\\file.xml"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "a/表示/ソ"));
  EXPECT_FALSE(std::filesystem::exists(dir / "a/表示/ソ/file.xml"));
  EXPECT_TRUE(MakeSureDirectoryPathExists(base + "\\a\\" HYO JI "\\other.xml"));  // all there already
  ASSERT_TRUE(MakeSureDirectoryPathExists(base + "\\b\\c\\"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "b/c"));
}

TEST(FilesMakeDirectories, FailsWhereADirectoryCannotBe) {
  TemporaryDirectory dir;
  WriteFile(dir / "plain", "x");
  const std::string base = ToPlatformPath(dir.path());
  EXPECT_FALSE(MakeSureDirectoryPathExists(base + "\\plain\\sub\\file.xml"));
  EXPECT_FALSE(std::filesystem::exists(dir / "plain/sub"));
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "plain"));
}

TEST(FilesMakeDirectories, ANameWithoutDirectoryNeedsNone) {
  TemporaryDirectory dir;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  EXPECT_TRUE(MakeSureDirectoryPathExists("file.xml"));
  EXPECT_TRUE(MakeSureDirectoryPathExists("rel\\file.xml"));
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "rel"));
  EXPECT_FALSE(std::filesystem::exists(dir / "file.xml"));
}

TEST(FilesProgramDirectory, IsTheDirectoryOfTheRunningExecutable) {
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_EQ(directory.front(), '/');
  EXPECT_NE(directory.back(), '/');
  EXPECT_TRUE(std::filesystem::equivalent(directory + "/platform_test", "/proc/self/exe"));
}

}  // namespace
}  // namespace platform
