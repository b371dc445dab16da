#include "xml/attachment_paths.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

namespace {

struct PathCase {
  const char* given;  // UTF-8
  const char* expected;
};

TEST(AttachmentFolder, ReplacesOnlyTheLastExtensionOfTheFileName) {
  const PathCase cases[] = {
      {"K:\\out\\view.xml", "K:\\out\\view.files"},
      {"K:\\out\\a.b.xml", "K:\\out\\a.b.files"},
      {"K:\\out\\view", "K:\\out\\view.files"},
      {"K:\\out.d\\view", "K:\\out.d\\view.files"},  // a period of a directory is no extension
      {"view.xml", "view.files"},
      {"K:\\受注.d\\表", "K:\\受注.d\\表.files"},  // "表" ends in 0x5C, which is no separator
      {"K:\\x.y表z", "K:\\x.files"},
      {"\\tmp\\out.xml", "\\tmp\\out.files"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(AttachmentFolder(platform::Utf8ToCp932(c.given)), platform::Utf8ToCp932(c.expected));
  }
}

TEST(AttachmentOutputName, KeepsEveryNameInsideItsFolder) {
  const PathCase cases[] = {
      {"report.txt", "report.txt"},
      {"..\\..\\evil.txt", ".._.._evil.txt"},
      {"../../etc/passwd", ".._.._etc_passwd"},
      {"C:\\Windows\\win.ini", "C__Windows_win.ini"},
      {"..", "__"},
      {".", "_"},
      {"", "_"},
      {".profile", ".profile"},
      {"表ソ.txt", "表ソ.txt"},  // second bytes 0x5C stay
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(AttachmentOutputName(platform::Utf8ToCp932(c.given)), platform::Utf8ToCp932(c.expected));
  }
}

TEST(AttachmentTargetPath, PutsTheFileInItsNotesSubfolder) {
  EXPECT_EQ(AttachmentTargetPath("K:\\out\\view.files", 0x8FA, "a.txt"), "K:\\out\\view.files\\000008FA\\a.txt");
  EXPECT_EQ(AttachmentTargetPath("f", 0x80000001, "b"), "f\\80000001\\b");
}

}  // namespace
