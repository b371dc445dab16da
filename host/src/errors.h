// How the LN classes report a failure: by returning its status, or, in throwing mode, by throwing
// it as a plain LNSTATUS.
#pragma once

#include <utility>

#include "host/lntypes.h"
#include "status_error.h"

namespace host {

bool ThrowingMode();

// A failure of a call that returns its status: thrown in throwing mode, else returned.
LNSTATUS Fail(STATUS status);

// A failure of a call without a status to return (constructors, operators): always thrown.
[[noreturn]] void ThrowStatus(STATUS status);

// Runs `body`; a StatusError it throws becomes Fail(status).
template <class Body>
LNSTATUS Guard(Body&& body) {
  try {
    std::forward<Body>(body)();
    return kNoError;
  } catch (const StatusError& e) {
    return Fail(e.status);
  }
}

// Runs `body` for its value; a StatusError it throws is thrown as a status in throwing mode, else
// `fallback` is the value.
template <class T, class Body>
T GuardValue(T fallback, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const StatusError& e) {
    Fail(e.status);
    return fallback;
  }
}

[[noreturn]] inline void Raise(STATUS status, std::string detail = {}) {
  throw StatusError{status, std::move(detail)};
}

}  // namespace host
