// CoreOpenDxlDatabase: a database read from DXL files, opened in the handle table.
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "dxl/reader.h"
#include "host/core.h"
#include "index/handles.h"
#include "status_error.h"

namespace {

void PrintLine(void*, int, const char* line) { std::fprintf(stderr, "%s\n", line); }

}  // namespace

extern "C" STATUS CoreReadDxlDatabase(const char* const* fileSystemPaths, std::uint32_t count, const char* server,
                                      CoreReportLine report, void* context, CoreDatabaseHandle* database) {
  if (!database || !report || (count > 0 && !fileSystemPaths)) return host::kErrInvalidArgument;
  std::vector<std::string> warnings;
  const auto reportWarnings = [&] {
    for (const std::string& line : warnings) report(context, 0, line.c_str());
  };
  try {
    const std::vector<std::string> paths(fileSystemPaths, fileSystemPaths + count);
    auto read = std::make_shared<host::model::Database>(host::dxl::ReadFiles(paths, warnings));
    reportWarnings();
    read->server = server ? server : "";
    *database = host::handles::AddDatabase(std::move(read));
  } catch (const host::StatusError& error) {
    reportWarnings();
    report(context, 1, error.detail.c_str());
    return error.status;
  } catch (const std::bad_alloc&) {
    return host::kErrBufferOverflow;
  }
  return *database == 0 ? host::kErrBufferOverflow : host::kNoError;
}

extern "C" STATUS CoreOpenDxlDatabase(const char* const* fileSystemPaths, std::uint32_t count, const char* server,
                                      CoreDatabaseHandle* database) {
  return CoreReadDxlDatabase(fileSystemPaths, count, server, PrintLine, nullptr, database);
}
