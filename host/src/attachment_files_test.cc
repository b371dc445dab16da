// Attachments left in the DXL file, read back and detached through the class library.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dxl/reader.h"
#include "dxl/stored_attachment.h"
#include "host/core.h"
#include "host/notes.h"
#include "status_error.h"

namespace host {
namespace {

namespace fs = std::filesystem;

std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed * 7 + (i >> 9)) & 0xFF);
  return bytes;
}

// DXL's base64: lines of 76 characters ending in CR LF.
std::string Base64Lines(const std::string& bytes) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out, line;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const unsigned a = static_cast<unsigned char>(bytes[i]);
    const unsigned b = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    const unsigned c = i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
    const unsigned triple = a << 16 | b << 8 | c;
    line += kAlphabet[triple >> 18 & 63];
    line += kAlphabet[triple >> 12 & 63];
    line += i + 1 < bytes.size() ? kAlphabet[triple >> 6 & 63] : '=';
    line += i + 2 < bytes.size() ? kAlphabet[triple & 63] : '=';
    if (line.size() == 76) out += line + "\r\n", line.clear();
  }
  return out + line;
}

std::string FileItem(const std::string& name, const std::string& bytes) {
  return "<item name='$FILE'><object><file hosttype='msdos' name='" + name + "'><filedata>\r\n" + Base64Lines(bytes) +
         "</filedata></file></object></item>";
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StoredAttachmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::path(::testing::TempDir()) / ("stored_attachment_" + std::to_string(getpid()));
    fs::create_directories(directory_);
    database_ = (directory_ / "db.xml").string();
    // 200,000 bytes: its base64 runs over several of the reader's chunks; the small one is held.
    std::ofstream(database_, std::ios::binary)
        << "<?xml version='1.0' encoding='utf-8'?>\n<database xmlns='http://www.lotus.com/dxl'>\n"
           "<document><noteinfo noteid='10'/>" + FileItem("large.bin", large_) + FileItem("small.txt", "abc") +
               "</document>\n</database>\n";
  }
  void TearDown() override { fs::remove_all(directory_); }

  const model::Attachment& Attachment(const model::Database& database, std::size_t index) {
    return database.notes.at(0x10).Attachments().at(index);
  }

  // Detaches the first attachment of note 0x10 of the database file through the class library, as
  // the plug-in does.
  static LNSTATUS Detach(CoreDatabaseHandle handle, const fs::path& target) {
    LNNotesSession session;
    session.Initialize();
    LNDatabase database;
    LNNote note;
    LNAttachmentArray attachments;
    if (LNSTATUS status = session.GetDatabase(handle, &database)) return status;
    if (LNSTATUS status = database.GetNote(0x10, &note)) return status;
    note.Open();
    if (LNSTATUS status = note.GetAttachments(&attachments)) return status;
    return attachments[0].Detach(target.c_str());
  }
  static CoreDatabaseHandle OpenDatabase(const std::string& path) {
    const char* paths[] = {path.c_str()};
    CoreDatabaseHandle handle = 0;
    EXPECT_EQ(CoreOpenDxlDatabase(paths, 1, "", &handle), 0u);
    return handle;
  }

  fs::path directory_;
  std::string database_;
  const std::string large_ = Bytes(200'000, 1);
};

TEST_F(StoredAttachmentTest, LargeAttachmentsStayInTheFileAndReadBackWhole) {
  std::vector<std::string> warnings;
  const model::Database database = dxl::ReadFiles({database_}, warnings);
  const model::Attachment& large = Attachment(database, 0);
  const model::Attachment& small = Attachment(database, 1);
  ASSERT_NE(large.storedIn, nullptr) << "left in the file";
  EXPECT_TRUE(large.data.empty());
  EXPECT_EQ(large.Size(), large_.size());
  EXPECT_EQ(dxl::AttachmentBytes(large), large_);
  EXPECT_EQ(small.storedIn, nullptr) << "a small one is held";
  EXPECT_EQ(dxl::AttachmentBytes(small), "abc");

  const CoreDatabaseHandle handle = OpenDatabase(database_);
  EXPECT_EQ(Detach(handle, directory_ / "out.bin"), 0u);
  EXPECT_EQ(ReadWhole(directory_ / "out.bin"), large_);
  CoreCloseDatabase(handle);
}

// A file whose characters were converted on reading keeps its attachments in memory.
TEST_F(StoredAttachmentTest, ConvertedFilesHoldTheirAttachments) {
  const std::string utf8 = ReadWhole(database_);
  std::u16string text(utf8.begin(), utf8.end());  // the file is ASCII
  const std::string path = (directory_ / "utf16.xml").string();
  std::ofstream out(path, std::ios::binary);
  out << "\xFF\xFE";
  out.write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
  out.close();
  std::vector<std::string> warnings;
  const model::Database database = dxl::ReadFiles({path}, warnings);
  EXPECT_EQ(Attachment(database, 0).storedIn, nullptr);
  EXPECT_EQ(dxl::AttachmentBytes(Attachment(database, 0)), large_);
}

// Once the file is not the one read (another size, or another time of modification), detaching
// fails with kErrFileChanged, the notice names the file, and nothing is written.
TEST_F(StoredAttachmentTest, AChangedFileIsRefusedWithItsName) {
  const struct {
    const char* name;
    void (*change)(const std::string& path);
  } changes[] = {
      {"appended to", [](const std::string& path) { std::ofstream(path, std::ios::app) << " "; }},
      {"touched", [](const std::string& path) {
         struct stat status {};
         ASSERT_EQ(stat(path.c_str(), &status), 0);
         const timespec times[2] = {status.st_atim, {status.st_mtim.tv_sec + 5, status.st_mtim.tv_nsec}};
         ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
       }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.name);
    SetUp();
    std::vector<std::string> warnings;
    const model::Database database = dxl::ReadFiles({database_}, warnings);
    ASSERT_NE(Attachment(database, 0).storedIn, nullptr);
    const CoreDatabaseHandle handle = OpenDatabase(database_);
    c.change(database_);

    try {
      dxl::AttachmentBytes(Attachment(database, 0));
      ADD_FAILURE() << "read";
    } catch (const StatusError& error) {
      EXPECT_EQ(error.status, kErrFileChanged);
      EXPECT_EQ(error.detail, database_);
    }
    std::vector<std::string> notices;
    CoreSetNoticeHandler([](void* context, int, const char* line) { static_cast<std::vector<std::string>*>(context)->push_back(line); },
                         &notices);
    const fs::path target = directory_ / "out.bin";
    EXPECT_EQ(Detach(handle, target), kErrFileChanged);
    CoreCloseDatabase(handle);
    CoreSetNoticeHandler(nullptr, nullptr);
    EXPECT_FALSE(fs::exists(target)) << "nothing written from stale bytes";
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "「" + database_ + "」は読み込んだ後に変更されています。添付ファイル「large.bin」は切り離せません。");
    EXPECT_EQ(dxl::AttachmentBytes(Attachment(database, 1)), "abc") << "what is held stays readable";
  }
}

}  // namespace
}  // namespace host
