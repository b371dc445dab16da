#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/files.h"
#include "test_files.h"

namespace platform {
namespace {

using testing_support::TemporaryDirectory;
using testing_support::WriteFile;

// A file name of this run, placed in the program directory, the current directory and PATH's
// directories as each case needs; PATH and the current directory are restored afterwards.
class SearchPathTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("PATH");
    if (path) savedPath_ = path;
    savedCwd_ = std::filesystem::current_path();
    std::filesystem::create_directory(dir_ / "cwd");
    std::filesystem::current_path(dir_ / "cwd");
  }
  void TearDown() override {
    std::filesystem::current_path(savedCwd_);
    std::filesystem::remove(inProgramDirectory_);
    if (savedPath_) setenv("PATH", savedPath_->c_str(), 1);
    else unsetenv("PATH");
  }

  std::string Search(std::size_t size = 4096) {
    std::string buffer(size, 'z');
    const std::size_t length = SearchPath(name_.c_str(), buffer.data(), buffer.size());
    if (length == 0) {
      EXPECT_TRUE(size == 0 || buffer[0] == '\0');
      return {};
    }
    EXPECT_EQ(buffer[length], '\0');
    return buffer.substr(0, length);
  }

  const std::string name_ = "nvplatform-search-" + std::to_string(getpid()) + ".ini";
  const std::string inProgramDirectory_ = ProgramDirectory() + "/" + name_;
  TemporaryDirectory dir_;
  std::optional<std::string> savedPath_;
  std::filesystem::path savedCwd_;
};

TEST_F(SearchPathTest, ProgramDirectoryThenCurrentDirectoryThenPath) {
  for (const char* sub : {"p1", "p2", "p3"}) std::filesystem::create_directory(dir_ / sub);
  setenv("PATH", ("::" + dir_ / "p1" + ":" + dir_ / "p2:p3rel:" + dir_ / "p3").c_str(), 1);
  std::filesystem::create_directory(dir_ / "cwd/p3rel");
  ASSERT_EQ(Search(), "");

  WriteFile(dir_ / "p3" + "/" + name_, "");
  EXPECT_EQ(Search(), dir_ / "p3/" + name_);
  WriteFile(dir_ / "cwd/p3rel/" + name_, "");
  EXPECT_EQ(Search(), dir_ / "cwd/p3rel/" + name_);  // a relative PATH entry, made absolute
  WriteFile(dir_ / "p2/" + name_, "");
  EXPECT_EQ(Search(), dir_ / "p2/" + name_);
  std::filesystem::create_directory(dir_ / "p1/" + name_);  // a directory is no hit
  EXPECT_EQ(Search(), dir_ / "p2/" + name_);
  WriteFile(dir_ / "cwd/" + name_, "");
  EXPECT_EQ(Search(), dir_ / "cwd/" + name_);
  WriteFile(inProgramDirectory_, "");
  EXPECT_EQ(Search(), inProgramDirectory_);
}

TEST_F(SearchPathTest, NothingWhenThePathDoesNotFitTheBuffer) {
  WriteFile(dir_ / "cwd/" + name_, "");
  const std::string expected = dir_ / "cwd/" + name_;
  EXPECT_EQ(Search(expected.size() + 1), expected);
  EXPECT_EQ(Search(expected.size()), "");
  EXPECT_EQ(Search(1), "");
  EXPECT_EQ(Search(0), "");
  EXPECT_EQ(SearchPath(name_.c_str(), nullptr, 100), 0u);
}

TEST_F(SearchPathTest, ANameWithADirectoryOrNoNameFindsNothing) {
  WriteFile(dir_ / "cwd/" + name_, "");
  std::filesystem::create_directory(dir_ / "cwd/sub");
  WriteFile(dir_ / "cwd/sub/" + name_, "");
  ASSERT_NE(Search(), "");
  char buffer[512];
  EXPECT_EQ(SearchPath(("sub/" + name_).c_str(), buffer, sizeof buffer), 0u);
  EXPECT_EQ(SearchPath(("sub\\" + name_).c_str(), buffer, sizeof buffer), 0u);
  EXPECT_EQ(SearchPath("", buffer, sizeof buffer), 0u);
  EXPECT_EQ(SearchPath(nullptr, buffer, sizeof buffer), 0u);
}

TEST_F(SearchPathTest, DoubleByteDirectoriesComeBackAsPlatformText) {
  std::filesystem::create_directory(dir_ / "表示ソ");
  std::filesystem::create_directory(dir_ / "한");  // code page 932 cannot spell it
  WriteFile(dir_ / "한/" + name_, "");
  WriteFile(dir_ / "表示ソ/" + name_, "");
  setenv("PATH", (dir_ / "한:" + dir_ / "表示ソ").c_str(), 1);
  const std::string found = Search();
  ASSERT_NE(found.find("\x95\x5C\x8E\xA6\x83\x5C/"), std::string::npos) << found;
  EXPECT_EQ(ToFileSystemPath(found), dir_ / "表示ソ/" + name_);
  EXPECT_TRUE(PathExists(found));
}

}  // namespace
}  // namespace platform
