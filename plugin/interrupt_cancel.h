// Ctrl+C as the Cancel button of a running export.
#pragma once

#include <csignal>

// While an object exists, SIGINT no longer ends the process: each one is counted instead, and
// TakeInterrupts reports them. Destruction restores the handling that was in place before.
class InterruptCancel {
 public:
  InterruptCancel();
  InterruptCancel(const InterruptCancel&) = delete;
  InterruptCancel& operator=(const InterruptCancel&) = delete;
  ~InterruptCancel();

  // Whether SIGINT arrived since the last call.
  bool TakeInterrupts();

 private:
  struct sigaction previous_ {};
  bool installed_ = false;
};
