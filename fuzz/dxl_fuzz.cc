// Fuzzes the DXL reader on a file of any bytes: it reads a database or throws a status naming the
// file, and never crashes, however deep, long or broken the XML.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "dxl/reader.h"
#include "status_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string file = "/tmp/nvorpel_dxl_fuzz_" + std::to_string(getpid()) + ".xml";
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
  std::vector<std::string> warnings;
  try {
    host::dxl::ReadFiles({file}, warnings);
  } catch (const host::StatusError&) {
  }
  return 0;
}
