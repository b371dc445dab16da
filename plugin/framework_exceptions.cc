#include "plugin/framework_exceptions.h"

#include <platform/cp932.h>
#include <platform/files.h>

#include "messages/app_messages.h"

void CException::ReportError() const { ShowAppMessage(GetErrorMessage()); }

CString CMemoryException::GetErrorMessage() const { return platform::Utf8ToCp932("メモリが不足しています。"); }

CString CFileException::GetErrorMessage() const {
  CString message =
      platform::Utf8ToCp932("ファイル(") + platform::ToDisplayPath(fileName_) + platform::Utf8ToCp932(")に書き込めませんでした。");
  if (cause_ == diskFull) message += platform::Utf8ToCp932("\nディスクに空きがありません。");
  return message;
}
