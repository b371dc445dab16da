#include "client/host_objects.h"

#include <cstdio>

#include <host/lnerror.h>
#include <platform/cp932.h>

#include "client/client_error.h"

namespace client {

std::string StatusText(STATUS status) {
  char text[512];
  LNGetErrorMessageText(status, text, sizeof text, 0);
  char number[16];
  std::snprintf(number, sizeof number, "%x", status);
  return std::string(number) + " : " + platform::Cp932ToLocale(text);
}

Database::Database(const std::vector<std::string>& dxlFiles, const std::string& server) {
  std::vector<const char*> paths;
  for (const std::string& file : dxlFiles) paths.push_back(file.c_str());
  // Warnings go to standard error as they come; the failure's detail names the file and the line.
  std::string detail;
  const auto report = [](void* context, int isFailure, const char* line) {
    if (isFailure) *static_cast<std::string*>(context) = platform::Cp932ToLocale(platform::Utf8ToCp932(line));
    else std::fprintf(stderr, "%s\n", platform::Cp932ToLocale(platform::Utf8ToCp932(line)).c_str());
  };
  const STATUS status = CoreReadDxlDatabase(paths.data(), static_cast<std::uint32_t>(paths.size()), server.c_str(),
                                            report, &detail, &handle_);
  if (status != 0)
    throw ClientError{"cannot read the database: " + (detail.empty() ? StatusText(status) : detail)};
}

Database::~Database() { CoreCloseDatabase(handle_); }

Collection::~Collection() {
  if (handle_ != 0) CoreCloseCollection(handle_);
}

IdTable::IdTable(const std::vector<std::uint32_t>& noteIds) {
  const STATUS status = CoreCreateIdTable(noteIds.data(), static_cast<std::uint32_t>(noteIds.size()), &handle_);
  if (status != 0) throw ClientError{"cannot make the table of selected documents: " + StatusText(status)};
}

IdTable::~IdTable() { CoreFreeIdTable(handle_); }

}  // namespace client
