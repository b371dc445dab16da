// Tests only: parts of a test run in a child process, as an ordinary user (a test run by root,
// as CI runs them, writes through every permission bit) or killed with SIGKILL at random moments.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace platform::testing {

// The user "nobody", whom a test that runs as root becomes to meet the permission bits.
inline constexpr uid_t kOrdinaryUser = 65534;

// Runs `body` in a child process: as kOrdinaryUser (group and supplementary groups included) when
// this process is root, else as this process's own user. The child's exit code is what `body`
// returns (0 to 255); -1 when it did not exit normally, 0xFF when it could not drop root.
inline int RunAsOrdinaryUser(const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kOrdinaryUser) != 0 || setuid(kOrdinaryUser) != 0 ||
                           geteuid() == 0))
      _exit(0xFF);
    const int code = body();
    std::fflush(nullptr);
    _exit(code);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// Makes `path` a directory or file that kOrdinaryUser may enter and read with `mode`: given to
// that user when this process is root, so that a test can take its write permission away with
// `mode` alone.
inline void GiveToOrdinaryUser(const std::string& path, mode_t mode) {
  if (geteuid() == 0) {
    EXPECT_EQ(lchown(path.c_str(), kOrdinaryUser, kOrdinaryUser), 0) << path;
  }
  EXPECT_EQ(chmod(path.c_str(), mode), 0) << path;
}

// How long `work` takes, in microseconds: the scale of the delays of KillAtRandomMoments, which
// then fall before, inside and after the work whatever the machine's speed.
inline unsigned MicrosecondsTaken(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return static_cast<unsigned>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
}

// `rounds` times: starts a child process that runs `body` (which may replace itself with a program,
// and need not return), kills it with SIGKILL after a random delay of up to
// `maxDelayMicroseconds`, waits for it and calls `check` with the round's number. Returns how many
// children were killed; the others had ended by themselves first. The seed of the delays is part
// of every failure message.
inline int KillAtRandomMoments(int rounds, unsigned maxDelayMicroseconds, const std::function<void()>& body,
                               const std::function<void(int round)>& check) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("random delays from seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<unsigned> delay(0, maxDelayMicroseconds);
  int killed = 0;
  for (int round = 0; round < rounds; ++round) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      body();
      _exit(0);
    }
    EXPECT_GT(child, 0);
    if (child < 0) return killed;
    usleep(delay(random));
    kill(child, SIGKILL);
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++killed;
    check(round);
    if (::testing::Test::HasFatalFailure()) break;
  }
  return killed;
}

}  // namespace platform::testing
