// Showing what ended an export.
#pragma once

#include <exception>

// Shows `failure` by its kind: a Notes status with "エクスポート中にノーツのエラーが発生しました。";
// a CException* reports itself and is deleted; a CString as it stands; anything else as
// "不明なエラー(...)が発生しました。". Never throws.
void ReportExportFailure(std::exception_ptr failure) noexcept;
