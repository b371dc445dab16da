#include "host/lnsession.h"

#include "access.h"
#include "errors.h"
#include "index/handles.h"

LNSTATUS LNNotesSession::Initialize(std::uint32_t /*version*/, int /*argc*/, char** /*argv*/,
                                    LNBOOL /*initThreads*/, const char* /*iniPath*/) {
  initialized_ = TRUE;
  return host::kNoError;
}

LNSTATUS LNNotesSession::Term(LNINT /*reserved*/) {
  initialized_ = FALSE;
  return host::kNoError;
}

LNSTATUS LNNotesSession::GetDatabase(DBHANDLE handle, LNDatabase* database) const {
  return host::Guard([&] {
    if (!initialized_) host::Raise(host::kErrNoSession);
    if (!database) host::Raise(host::kErrInvalidArgument);
    auto found = host::handles::FindDatabase(handle);
    if (!found) host::Raise(host::kErrInvalidHandle);
    host::Access::Set(*database, std::move(found), handle);
  });
}

LNInternational LNNotesSession::GetInternational() const {
  return host::GuardValue(LNInternational(), [&] {
    if (!initialized_) host::Raise(host::kErrNoSession);
    return LNInternational();
  });
}
