#include "plugin/output_file.h"

#include <gtest/gtest.h>
#include <platform/files.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "host/status.h"
#include "plugin/framework_exceptions.h"

namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "nvorpel-output-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string PlatformPath(const char* name) const { return platform::ToPlatformPath((dir_ / name).string()); }
  std::string Read(const char* name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir_;
};

TEST_F(OutputFileTest, WritesBytesAsGivenTruncatingOrAppending) {
  {
    OutputFile file(PlatformPath("out.csv"), false);
    file.Write("a\r\nb\n");
    file.Flush();
    file.Write("c\r\n");
    file.Close();
  }
  EXPECT_EQ(Read("out.csv"), "a\r\nb\nc\r\n");
  {
    OutputFile file(PlatformPath("out.csv"), true);
    file.Write("d\r\n");
  }  // destroyed without Close: what was not flushed is not written
  EXPECT_EQ(Read("out.csv"), "a\r\nb\nc\r\n");
  {
    OutputFile file(PlatformPath("out.csv"), true);
    file.Write("d\r\n");
    file.Close();
  }
  EXPECT_EQ(Read("out.csv"), "a\r\nb\nc\r\nd\r\n");
  OutputFile(PlatformPath("out.csv"), false).Close();
  EXPECT_EQ(Read("out.csv"), "");
  OutputFile(PlatformPath("new.csv"), true).Close();
  EXPECT_TRUE(fs::exists(dir_ / "new.csv"));
}

TEST_F(OutputFileTest, AFileThatCannotBeOpenedThrows0x102AndCreatesNothing) {
  for (const std::string& path : {PlatformPath("missing\\out.csv"), PlatformPath("")}) {
    SCOPED_TRACE(path);
    try {
      OutputFile file(path, false);
      ADD_FAILURE() << "opened";
    } catch (STATUS status) {
      EXPECT_EQ(status, 0x102u);
    }
  }
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(OutputFileTest, AFullDiskIsAFileExceptionNamingTheFile) {
  OutputFile file("\\dev\\full", false);
  file.Write("record\r\n");
  try {
    file.Flush();
    ADD_FAILURE() << "no failure";
  } catch (CException* thrown) {
    std::unique_ptr<CException, void (*)(CException*)> exception(thrown, [](CException* e) { e->Delete(); });
    auto* fileException = dynamic_cast<CFileException*>(thrown);
    ASSERT_NE(fileException, nullptr);
    EXPECT_EQ(fileException->GetCause(), CFileException::diskFull);
    EXPECT_NE(exception->GetErrorMessage().find("(/dev/full)"), std::string::npos) << "the path as this system writes it";
  }
}

TEST_F(OutputFileTest, AFailedFlushCutsTheFileBackToTheLastCompleteFlush) {
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  {
    OutputFile file(PlatformPath("out.csv"), false);
    file.Write("first\r\n");
    file.Flush();
    struct rlimit small = saved;
    small.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    file.Write(std::string(100, 'x'));
    bool thrown = false;
    try {
      file.Flush();
    } catch (CException* exception) {
      thrown = true;
      exception->Delete();
    }
    EXPECT_TRUE(thrown);
    setrlimit(RLIMIT_FSIZE, &saved);
    file.Write("next\r\n");
    file.Close();
  }
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_EQ(Read("out.csv"), "first\r\nnext\r\n");
}

}  // namespace
