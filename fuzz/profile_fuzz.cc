// Fuzzes the profile functions on an INI file of any bytes: reading never fails, and a key written
// reads back as written, with every other key of the file unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/profile.h"

namespace {

std::string Read(const char* section, const char* key, const std::string& file) {
  char value[512];
  platform::GetPrivateProfileString(section, key, "\\x01", value, sizeof value, file.c_str());
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // In the temporary folder TMPDIR names: a memory file system there spares the disk the
  // store's synchronous writes, and runs the fuzzer many times faster.
  static const std::string file =
      (std::filesystem::temp_directory_path() / ("nvorpel_profile_fuzz_" + std::to_string(getpid()) + ".ini")).string();
  std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
  platform::GetPrivateProfileInt("Vorpel", "OutputHeader", 1, file.c_str());
  const std::string other = Read("Notes", "VIEWEXP5", file);
  if (platform::WritePrivateProfileString("Vorpel", "ListSeparater", "6", file.c_str())) {
    if (Read("Vorpel", "ListSeparater", file) != "6") std::abort();
    if (Read("Notes", "VIEWEXP5", file) != other) std::abort();
  }
  if (platform::WritePrivateProfileString("Vorpel", "ListSeparater", nullptr, file.c_str()) &&
      Read("Vorpel", "ListSeparater", file) != "\\x01")
    std::abort();
  return 0;
}
