#include "console_io.h"

#include <unistd.h>

#include <cerrno>

#include "platform/cp932.h"

namespace platform {

void WriteToStandardError(std::string_view cp932) {
  const std::string text = Cp932ToLocale(cp932);
  std::string_view rest = text;
  while (!rest.empty()) {
    const ssize_t written = ::write(STDERR_FILENO, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // nowhere to show it; the caller goes on regardless
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
}

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::optional<std::string> ReadStandardInputLine() {
  std::string line;
  for (;;) {
    char c;
    const ssize_t got = ::read(STDIN_FILENO, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return line.empty() ? std::nullopt : std::optional(line);
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return line;
    }
    line += c;
  }
}

}  // namespace platform
