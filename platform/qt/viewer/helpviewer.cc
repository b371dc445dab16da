// helpviewer HELPFILE COMMAND DATA: the help viewer program (platform/help_viewer.h). Shows the
// help file's topic for the request on its command line, then takes the later requests for the
// same file on its socket until its window closes or a Quit comes. When another viewer of the
// file already runs, it hands the request to that one and ends.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>

#include <QApplication>
#include <QSocketNotifier>

#include <platform/files.h>
#include <platform/help_file.h>
#include <platform/help_viewer.h>

#include "platform/qt/help_window.h"

namespace {

using platform::HelpCommand;

// The listening socket at `address`, or -1. A socket file that nobody listens at any more (its
// viewer was killed) is taken over.
int Listen(const std::string& address) {
  sockaddr_un at{};
  if (address.size() >= sizeof at.sun_path) return -1;
  at.sun_family = AF_UNIX;
  std::memcpy(at.sun_path, address.c_str(), address.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket < 0) return -1;
  if (bind(socket, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
    unlink(address.c_str());
    if (bind(socket, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0) {
      close(socket);
      return -1;
    }
  }
  listen(socket, 8);
  return socket;
}

// The request lines of one connection, read until its writer closes it.
std::string ReadConnection(int listening) {
  const int connection = accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
  std::string text;
  if (connection < 0) return text;
  char buffer[256];
  for (ssize_t read; (read = recv(connection, buffer, sizeof buffer, 0)) > 0;) text.append(buffer, static_cast<std::size_t>(read));
  close(connection);
  return text;
}

void Apply(platform::qt::HelpWindow& window, HelpCommand command, unsigned long data) {
  if (command == HelpCommand::Quit) {
    window.close();
    return;
  }
  window.ShowTopic(command == HelpCommand::Context ? data : 0);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string helpFile = argv[1];
  const std::string line = std::string(argv[2]) + " " + argv[3];
  const auto request = platform::ParseHelpRequestLine(line);
  if (!request || request->first == HelpCommand::Quit) return 2;
  const std::string address = platform::HelpViewerAddress(helpFile);
  if (platform::SendHelpRequest(address, line + "\n")) return 0;  // a viewer of the file runs already
  const auto topics = platform::ReadHelpFile(platform::ToPlatformPath(helpFile));
  if (!topics) return 1;

  QApplication application(argc, argv);
  const int listening = Listen(address);
  if (listening < 0) return 1;
  platform::qt::HelpWindow window(*topics);
  QSocketNotifier requests(listening, QSocketNotifier::Read);
  QObject::connect(&requests, &QSocketNotifier::activated, [&] {
    const std::string text = ReadConnection(listening);
    for (std::size_t start = 0; start < text.size();) {
      const std::size_t end = std::min(text.find('\n', start), text.size());
      if (const auto next = platform::ParseHelpRequestLine(std::string_view(text).substr(start, end - start)))
        Apply(window, next->first, next->second);
      start = end + 1;
    }
  });
  Apply(window, request->first, request->second);
  const int status = QApplication::exec();
  close(listening);
  unlink(address.c_str());
  return status;
}
