#include "platform/help_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class HelpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("help-" + std::to_string(getpid())) / "ヘルプ表";
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_.parent_path()); }
  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
    return ToPlatformPath((dir_ / name).string());
  }
  fs::path dir_;
};

TEST_F(HelpFileTest, TopicsWithTheirNumbersTitlesAndTexts) {
  const std::string path = Write("nVorpel.hlp",
                                 "comment before the first topic\n"
                                 "@ 0 目次\r\n"
                                 "\r\n"
                                 "一行目\r\n"
                                 "二行目\r\n"
                                 "\r\n"
                                 "@ 0x83F1520F すべての文書(&A)\n"
                                 "本文\n"
                                 "@ 123\n"
                                 "@ not-a-number stays text\n");
  const auto topics = ReadHelpFile(path);
  ASSERT_TRUE(topics);
  ASSERT_EQ(topics->size(), 3u);
  EXPECT_EQ((*topics)[0].context, 0u);
  EXPECT_EQ((*topics)[0].title, "目次");
  EXPECT_EQ((*topics)[0].text, "一行目\n二行目");
  EXPECT_EQ((*topics)[1].context, 0x83F1520Fu);
  EXPECT_EQ((*topics)[1].title, "すべての文書(&A)");
  EXPECT_EQ((*topics)[1].text, "本文");
  EXPECT_EQ((*topics)[2].title, "");
  EXPECT_EQ((*topics)[2].text, "@ not-a-number stays text");
  EXPECT_EQ(FindHelpTopic(*topics, 123), &(*topics)[2]);
  EXPECT_EQ(FindHelpTopic(*topics, 124), nullptr);
}

TEST_F(HelpFileTest, NameIsFoundWithoutRegardToAsciiCase) {
  Write("nVorpel.hlp", "@ 0 目次\n");
  EXPECT_TRUE(ReadHelpFile(ToPlatformPath((dir_ / "nVorpel.HLP").string())));
  EXPECT_FALSE(ReadHelpFile(ToPlatformPath((dir_ / "other.hlp").string())));
  EXPECT_FALSE(ReadHelpFile(Write("empty.hlp", "no topic here\n")));
}

}  // namespace
}  // namespace platform
