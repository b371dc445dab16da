// LNNotesSession: the session with the host. Databases are reached through an initialised one.
#pragma once

#include "host/lndatabase.h"
#include "host/lnformats.h"
#include "host/lntypes.h"

class LNAPI LNNotesSession {
 public:
  LNNotesSession() = default;
  // Starts the session. The arguments are the caller's (a version word, the program's arguments,
  // whether threads are set up, the notes.ini path); the host needs none of them.
  LNSTATUS Initialize(std::uint32_t version = 0, int argc = 0, char** argv = nullptr,
                      LNBOOL initThreads = FALSE, const char* iniPath = nullptr);
  LNSTATUS Term(LNINT reserved = 0);
  LNBOOL IsInitialized() const { return initialized_; }

  // The database of a core-library handle: host::kErrNoSession before Initialize,
  // host::kErrInvalidHandle for a handle that is not open.
  LNSTATUS GetDatabase(DBHANDLE handle, LNDatabase* database) const;
  // The session's international settings (a Japanese client's).
  LNInternational GetInternational() const;

 private:
  LNBOOL initialized_ = FALSE;
};
