#include "platform/help_viewer.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/help_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// FNV-1a: a short, stable name for a path.
std::uint64_t Hash(std::string_view text) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3u;
  return hash;
}

// Starts `arguments` as a process of its own session, which outlives this one; its standard
// streams are /dev/null. False when the program cannot be run.
bool StartDetached(const std::vector<std::string>& arguments) {
  if (access(arguments[0].c_str(), X_OK) != 0) return false;
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    if (fork() != 0) _exit(0);  // the grandchild is nobody's child: no zombie is left behind
    const int null = open("/dev/null", O_RDWR);
    for (int stream = 0; stream < 3; ++stream) dup2(null, stream);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return true;
}

std::optional<unsigned long> Number(std::string_view text) {
  unsigned long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return number;
}

}  // namespace

std::string HelpViewerProgram() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&HelpViewerProgram), &info) == 0 || !info.dli_fname) return "helpviewer";
  return (fs::path(info.dli_fname).parent_path() / "helpviewer").string();
}

std::string HelpViewerAddress(const std::string& helpFile) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code error;
  const fs::path directory = runtime && *runtime && fs::is_directory(runtime, error) ? fs::path(runtime) : "/tmp";
  // A viewer shows on the display it was started for: another display has viewers of its own.
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const std::string key = helpFile + '\n' + (display ? display : "") + '\n' + (wayland ? wayland : "");
  char name[64];
  std::snprintf(name, sizeof name, "nvorpel-help-%u-%016llx", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(Hash(key)));
  // A socket's path has room for 107 bytes: a runtime directory deeper than that gives way.
  const std::string address = (directory / name).string();
  return address.size() < sizeof(sockaddr_un{}.sun_path) ? address : (fs::path("/tmp") / name).string();
}

bool SendHelpRequest(const std::string& address, const std::string& line) {
  sockaddr_un to{};
  if (address.size() >= sizeof to.sun_path) return false;
  to.sun_family = AF_UNIX;
  std::memcpy(to.sun_path, address.c_str(), address.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return false;
  bool sent = connect(socket, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
  for (std::size_t done = 0; sent && done < line.size();) {
    const ssize_t written = send(socket, line.data() + done, line.size() - done, MSG_NOSIGNAL);
    sent = written > 0;
    if (sent) done += static_cast<std::size_t>(written);
  }
  close(socket);
  return sent;
}

std::string HelpRequestLine(HelpCommand command, unsigned long data) {
  return std::to_string(static_cast<unsigned>(command)) + " " + std::to_string(data) + "\n";
}

std::optional<std::pair<HelpCommand, unsigned long>> ParseHelpRequestLine(std::string_view line) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const auto command = Number(line.substr(0, blank));
  const auto data = Number(line.substr(blank + 1));
  if (!command || !data) return std::nullopt;
  switch (static_cast<HelpCommand>(*command)) {
    case HelpCommand::Context:
    case HelpCommand::Quit:
    case HelpCommand::Contents:
      return std::pair{static_cast<HelpCommand>(*command), *data};
    default:
      return std::nullopt;
  }
}

bool AskHelpViewer(std::string_view platformPath, HelpCommand command, unsigned long data) {
  const std::optional<std::string> file = FindHelpFile(platformPath);
  std::error_code error;
  const std::string path = file ? fs::weakly_canonical(*file, error).string() : "";
  const std::string line = HelpRequestLine(command, data);
  if (command == HelpCommand::Quit) {
    if (file) SendHelpRequest(HelpViewerAddress(path), line);
    return true;
  }
  if (!file || !ReadHelpFile(platformPath)) return false;
  if (SendHelpRequest(HelpViewerAddress(path), line)) return true;
  return StartDetached({HelpViewerProgram(), path, std::to_string(static_cast<unsigned>(command)),
                        std::to_string(data)});
}

}  // namespace platform
