// Runs a fuzz target once on each file of the directories (or files) named on the command line,
// as the fuzzer would. Fails when no input was found, so a missing corpus cannot pass.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Replay(const std::filesystem::path& file) {
  std::ifstream input(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(input), {}};
  // A copy of exactly the input's size, so a read past its end is caught under AddressSanitizer.
  std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(data.data(), data.size());
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    if (std::filesystem::is_directory(argv[i], error)) {
      for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
        if (!entry.is_regular_file()) continue;
        Replay(entry.path());
        ++replayed;
      }
    } else if (std::filesystem::is_regular_file(argv[i], error)) {
      Replay(argv[i]);
      ++replayed;
    }
  }
  std::printf("%d inputs replayed\n", replayed);
  return replayed > 0 ? 0 : 1;
}
