#include "errors.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/lnerror.h"
#include "platform/cp932.h"

namespace host {
namespace {

bool throwing = false;

// The message texts, as a Japanese client shows them (UTF-8 here).
const char* MessageText(STATUS status) {
  switch (status) {
    case kNoError: return "エラーはありません。";
    case kErrFileOpen: return "ファイルを開くことができません。";
    case kErrInvalidHandle: return "無効なハンドルです。";
    case kErrNoteNotFound: return "文書が見つかりません。削除された可能性があります。";
    case kErrNotViewOrFolder: return "指定された文書はビューまたはフォルダではありません。";
    case kErrBufferOverflow: return "値がバッファに収まりません。";
    case kErrInvalidArgument: return "引数が正しくありません。";
    case kErrNotOpen: return "オブジェクトが開かれていません。";
    case kErrNoSession: return "ノーツセッションが初期化されていません。";
    case kErrDatabaseRead: return "データベースファイルを読み込めません。";
    case kErrAttachment: return "添付ファイルを切り離すことができません。";
    case kErrFileChanged: return "データベースのファイルが読み込んだ後に変更されています。";
    case kErrFileWrite: return "ファイルに書き込むことができません。";
    case kErrWrongItemType: return "アイテムのデータ形式が正しくありません。";
    case kErrNoSuchItem: return "アイテムが見つかりません。";
    case kErrListIndex: return "リストの索引が範囲外です。";
    case kErrFormNotFound: return "フォームが見つかりません。";
    case kErrNullObject: return "オブジェクトが空です。";
    case kErrWrongNoteType: return "文書の種類が正しくありません。";
    case kErrFormulaSyntax: return "式の構文が正しくありません。";
    case kErrFormulaUnknownFunction: return "式に不明な @関数があります。";
    case kErrFormulaArgCount: return "@関数の引数の数が正しくありません。";
    case kErrFormulaUnsupported: return "この @関数はここでは使用できません。";
    case kErrFormulaDataType: return "式の演算子または @関数のデータ形式が正しくありません。";
    case kErrFormulaUserError: return "式の値がエラーです。";
    case kErrFormulaArgument: return "@関数の引数が範囲外です。";
    case kErrFormulaLoopLimit: return "式のループが上限を超えました。";
    case kNotFound: return "指定された文字列が見つかりません。";
    default: return "不明なエラーが発生しました。";
  }
}

}  // namespace

bool ThrowingMode() { return throwing; }

LNSTATUS Fail(STATUS status) {
  if (throwing) throw static_cast<LNSTATUS>(status);
  return status;
}

void ThrowStatus(STATUS status) { throw static_cast<LNSTATUS>(status); }

}  // namespace host

void LNSetThrowAllErrorsGlobal(LNBOOL on) { host::throwing = on != FALSE; }
LNBOOL LNGetThrowAllErrorsGlobal() { return host::throwing ? TRUE : FALSE; }

LNINT LNGetErrorMessageText(LNSTATUS status, char* buffer, LNINT size, LNINT /*reserved*/) {
  if (buffer == nullptr || size <= 0) return 0;
  const std::string text = platform::Utf8ToCp932(host::MessageText(status));
  // Cut on a character boundary: never keep a lead byte without its trail byte.
  std::size_t length = 0;
  const std::size_t room = static_cast<std::size_t>(size) - 1;
  while (length < text.size()) {
    const std::size_t width = platform::IsLeadByte(static_cast<unsigned char>(text[length])) ? 2 : 1;
    if (length + width > room || length + width > text.size()) break;
    length += width;
  }
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<LNINT>(length);
}
