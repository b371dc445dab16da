#include "errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "host/notes.h"
#include "platform/cp932.h"

namespace {

std::string MessageUtf8(LNSTATUS status, LNINT size = 512) {
  char buffer[512];
  std::memset(buffer, 'x', sizeof buffer);
  const LNINT length = LNGetErrorMessageText(status, buffer, size, 0);
  EXPECT_EQ(std::strlen(buffer), static_cast<std::size_t>(length));
  return platform::Cp932ToUtf8(buffer);
}

TEST(ErrorMessages, EveryHostStatusHasItsOwnJapaneseText) {
  const LNSTATUS statuses[] = {
      host::kErrFileOpen, host::kErrInvalidHandle, host::kErrNoteNotFound, host::kErrNotViewOrFolder,
      host::kErrBufferOverflow, host::kErrInvalidArgument, host::kErrNotOpen, host::kErrNoSession,
      host::kErrDatabaseRead, host::kErrAttachment, host::kErrFileWrite, host::kErrWrongItemType,
      host::kErrNoSuchItem, host::kErrListIndex, host::kErrFormNotFound, host::kErrNullObject,
      host::kErrWrongNoteType, host::kErrFileChanged, host::kErrFormulaSyntax, host::kErrFormulaUnknownFunction,
      host::kErrFormulaArgCount, host::kErrFormulaUnsupported, host::kErrFormulaDataType,
      host::kErrFormulaUserError, host::kErrFormulaArgument, host::kErrFormulaLoopLimit, host::kNotFound};
  const std::string general = MessageUtf8(0x7777);
  ASSERT_FALSE(general.empty());
  std::set<std::string> seen;
  for (LNSTATUS status : statuses) {
    const std::string text = MessageUtf8(status);
    EXPECT_NE(text, general) << std::hex << status;
    EXPECT_TRUE(seen.insert(text).second) << "shared text for " << std::hex << status;
  }
  EXPECT_EQ(MessageUtf8(host::kErrFileOpen), "ファイルを開くことができません。");
}

TEST(ErrorMessages, ASmallBufferGetsWholeCharactersOnly) {
  // "ファ" is four bytes in code page 932; five bytes of room (four and the terminator) hold both,
  // four hold only the first character.
  EXPECT_EQ(MessageUtf8(host::kErrFileOpen, 5), "ファ");
  EXPECT_EQ(MessageUtf8(host::kErrFileOpen, 4), "フ");
  EXPECT_EQ(MessageUtf8(host::kErrFileOpen, 1), "");
  EXPECT_EQ(LNGetErrorMessageText(host::kErrFileOpen, nullptr, 10, 0), 0);
}

class ThrowingMode : public ::testing::Test {
 protected:
  void TearDown() override { LNSetThrowAllErrorsGlobal(FALSE); }
};

TEST_F(ThrowingMode, OffFailingCallsReturnTheirStatusOnThrowsIt) {
  LNDatabase none;
  LNNote note;
  LNSetThrowAllErrorsGlobal(FALSE);
  EXPECT_EQ(none.GetNote(0x100, &note), host::kErrNullObject);
  EXPECT_TRUE(none.GetTitle().IsNull());
  EXPECT_EQ(note.Open(), host::kErrNullObject);

  LNSetThrowAllErrorsGlobal(TRUE);
  ASSERT_EQ(LNGetThrowAllErrorsGlobal(), TRUE);
  EXPECT_THROW(
      {
        try {
          none.GetNote(0x100, &note);
        } catch (LNSTATUS status) {
          EXPECT_EQ(status, host::kErrNullObject);
          throw;
        }
      },
      LNSTATUS);
  EXPECT_THROW(none.GetTitle(), LNSTATUS);
  EXPECT_THROW(note.Open(), LNSTATUS);
  EXPECT_EQ(LNString("abc").Insert(0, LNString("x")), 0u);  // success never throws
}

}  // namespace
