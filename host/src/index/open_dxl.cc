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

void PrintLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

extern "C" STATUS CoreOpenDxlDatabase(const char* const* fileSystemPaths, std::uint32_t count, const char* server,
                                      CoreDatabaseHandle* database) {
  if (!database || (count > 0 && !fileSystemPaths)) return host::kErrInvalidArgument;
  std::vector<std::string> warnings;
  try {
    const std::vector<std::string> paths(fileSystemPaths, fileSystemPaths + count);
    auto read = std::make_shared<host::model::Database>(host::dxl::ReadFiles(paths, warnings));
    PrintLines(warnings);
    read->server = server ? server : "";
    *database = host::handles::AddDatabase(std::move(read));
  } catch (const host::StatusError& error) {
    PrintLines(warnings);
    std::fprintf(stderr, "%s\n", error.detail.c_str());
    return error.status;
  } catch (const std::bad_alloc&) {
    return host::kErrBufferOverflow;
  }
  return *database == 0 ? host::kErrBufferOverflow : host::kNoError;
}
