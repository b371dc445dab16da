#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/core.h"
#include "index/handles.h"

namespace {

std::string WriteDxl(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + "/open_dxl_" + std::to_string(getpid()) + "_" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(CoreOpenDxlDatabase, JoinsFilesIntoOneDatabaseWithTheServerGiven) {
  const std::string database = WriteDxl("db.xml",
      "<database xmlns='http://www.lotus.com/dxl' title='受注' path='orders.nsf'>"
      "<document form='F'><noteinfo noteid='20'/></document></database>");
  const std::string view = WriteDxl("view.xml", "<view name='一覧'><noteinfo noteid='8'/></view>");
  const char* paths[] = {view.c_str(), database.c_str()};
  CoreDatabaseHandle handle = 0;
  ASSERT_EQ(CoreOpenDxlDatabase(paths, 2, "Sales/Acme", &handle), host::kNoError);
  const auto opened = host::handles::FindDatabase(handle);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->title, "受注");
  EXPECT_EQ(opened->server, "Sales/Acme");
  ASSERT_NE(opened->FindLiveNote(0x8), nullptr);
  EXPECT_NE(opened->FindLiveNote(0x20), nullptr);
  EXPECT_EQ(CoreCloseDatabase(handle), host::kNoError);
}

TEST(CoreOpenDxlDatabase, AFileThatIsNotDxlOpensNothingAndNamesTheFile) {
  const std::string good = WriteDxl("good.xml", "<database title='x'/>");
  const std::string bad = WriteDxl("bad.xml", "<database><view></database>");
  const char* paths[] = {good.c_str(), bad.c_str()};
  CoreDatabaseHandle handle = 0;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(CoreOpenDxlDatabase(paths, 2, nullptr, &handle), host::kErrDatabaseRead);
  const std::string message = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(handle, 0u);
  EXPECT_NE(message.find("bad.xml"), std::string::npos) << message;
}

TEST(CoreReadDxlDatabase, HandsTheWarningsAndTheFailureToTheCaller) {
  const std::string good = WriteDxl("warned.xml", "<database title='x'><note class='view'/></database>");
  const std::string bad = WriteDxl("broken.xml", "<database><view></database>");
  struct Line {
    bool failure;
    std::string text;
  };
  std::vector<Line> lines;
  const auto collect = [](void* context, int isFailure, const char* line) {
    static_cast<std::vector<Line>*>(context)->push_back({isFailure != 0, line});
  };
  const char* paths[] = {good.c_str(), bad.c_str()};
  CoreDatabaseHandle handle = 0;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(CoreReadDxlDatabase(paths, 2, nullptr, collect, &lines, &handle), host::kErrDatabaseRead);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "nothing goes to standard error";
  EXPECT_EQ(handle, 0u);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_FALSE(lines[0].failure) << "the skipped note's warning: " << lines[0].text;
  EXPECT_TRUE(lines[1].failure);
  EXPECT_NE(lines[1].text.find("broken.xml"), std::string::npos) << lines[1].text;
  EXPECT_EQ(CoreReadDxlDatabase(paths, 2, nullptr, nullptr, nullptr, &handle), host::kErrInvalidArgument);
}

TEST(CoreOpenDxlDatabase, RejectsMissingArguments) {
  CoreDatabaseHandle handle = 0;
  EXPECT_EQ(CoreOpenDxlDatabase(nullptr, 1, nullptr, &handle), host::kErrInvalidArgument);
  const char* paths[] = {"x"};
  EXPECT_EQ(CoreOpenDxlDatabase(paths, 1, nullptr, nullptr), host::kErrInvalidArgument);
}

}  // namespace
