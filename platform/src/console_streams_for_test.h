// Test support: standard input from a given text and standard error captured, for the life of
// the object; or standard error on a pseudo-terminal.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace platform::testing_support {

class SavedDescriptor {
 public:
  explicit SavedDescriptor(int fd) : fd_(fd), saved_(dup(fd)) {}
  ~SavedDescriptor() {
    dup2(saved_, fd_);
    close(saved_);
  }
  SavedDescriptor(const SavedDescriptor&) = delete;
  SavedDescriptor& operator=(const SavedDescriptor&) = delete;

 private:
  int fd_, saved_;
};

class ConsoleStreams {
 public:
  explicit ConsoleStreams(const std::string& input) : input_(std::tmpfile()), error_(std::tmpfile()) {
    std::fputs(input.c_str(), input_);
    std::fflush(input_);
    lseek(fileno(input_), 0, SEEK_SET);
    dup2(fileno(input_), STDIN_FILENO);
    dup2(fileno(error_), STDERR_FILENO);
  }
  ~ConsoleStreams() {
    std::fclose(input_);
    std::fclose(error_);
  }
  ConsoleStreams(const ConsoleStreams&) = delete;
  ConsoleStreams& operator=(const ConsoleStreams&) = delete;

  // Everything written to standard error so far.
  std::string Error() const { return ReadAll(fileno(error_)); }
  // The input not read yet.
  std::string UnreadInput() const {
    const off_t at = lseek(STDIN_FILENO, 0, SEEK_CUR);
    const std::string all = ReadAll(fileno(input_));
    return all.substr(static_cast<std::size_t>(at));
  }

 private:
  static std::string ReadAll(int fd) {
    std::string bytes;
    char chunk[4096];
    for (off_t at = 0;;) {
      const ssize_t got = pread(fd, chunk, sizeof chunk, at);
      if (got <= 0) return bytes;
      bytes.append(chunk, static_cast<std::size_t>(got));
      at += got;
    }
  }

  SavedDescriptor savedInput_{STDIN_FILENO};
  SavedDescriptor savedError_{STDERR_FILENO};
  std::FILE* input_;
  std::FILE* error_;
};

// Standard error on the slave side of a pseudo-terminal; Output() reads what reached the master.
class TerminalError {
 public:
  TerminalError() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
    if (slave_ >= 0) dup2(slave_, STDERR_FILENO);
  }
  ~TerminalError() {
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
  }
  TerminalError(const TerminalError&) = delete;
  TerminalError& operator=(const TerminalError&) = delete;

  bool ready() const { return slave_ >= 0; }
  std::string Output() const {
    std::string bytes;
    char chunk[4096];
    pollfd ready{master_, POLLIN, 0};
    while (poll(&ready, 1, 100) == 1 && (ready.revents & POLLIN)) {
      const ssize_t got = read(master_, chunk, sizeof chunk);
      if (got <= 0) break;
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return bytes;
  }

 private:
  SavedDescriptor savedError_{STDERR_FILENO};
  int master_;
  int slave_ = -1;
};

}  // namespace platform::testing_support
