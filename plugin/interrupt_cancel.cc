#include "plugin/interrupt_cancel.h"

namespace {

volatile std::sig_atomic_t interrupts = 0;

void CountInterrupt(int) { interrupts = 1; }

}  // namespace

InterruptCancel::InterruptCancel() {
  struct sigaction action {};
  action.sa_handler = CountInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  interrupts = 0;
  installed_ = sigaction(SIGINT, &action, &previous_) == 0;
}

InterruptCancel::~InterruptCancel() {
  if (installed_) sigaction(SIGINT, &previous_, nullptr);
}

bool InterruptCancel::TakeInterrupts() {
  const bool arrived = interrupts != 0;
  interrupts = 0;
  return arrived;
}
