#include "plugin/export_failures.h"

#include <platform/cp932.h>

#include <new>

#include "host/status.h"
#include "messages/app_messages.h"
#include "messages/report_notes_error.h"
#include "plugin/framework_exceptions.h"

void ReportExportFailure(std::exception_ptr failure) noexcept {
  try {
    try {
      std::rethrow_exception(failure);
    } catch (STATUS status) {
      ReportNotesError(status, platform::Utf8ToCp932("エクスポート中にノーツのエラーが発生しました。"));
    } catch (CException* exception) {
      struct Release {
        CException* exception;
        ~Release() {
          if (exception) exception->Delete();
        }
      } release{exception};
      if (exception) exception->ReportError();
    } catch (const CString& text) {
      ShowAppMessage(text);
    } catch (const std::bad_alloc&) {  // the framework's allocation would have thrown its memory exception
      CMemoryException().ReportError();
    } catch (...) {
      ShowAppMessage(platform::Utf8ToCp932("不明なエラー(...)が発生しました。"));
    }
  } catch (...) {
    // Showing the failure failed as well; the client must still get its result.
  }
}
