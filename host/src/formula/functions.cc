#include "functions.h"

#include <map>

#include "text_util.h"

namespace host::formula {
namespace {

using Registry = std::map<std::string, const FunctionInfo*>;  // by upper-case name

Registry BuildRegistry() {
  Registry registry;
  for (auto group : {LogicFunctions(), TextFunctions(), ListFunctions(), NumberFunctions(), DateTimeFunctions(),
                     DocumentFunctions(), ViewFunctions()})
    for (const FunctionInfo& f : group) registry.emplace(AsciiUpper(f.name), &f);
  return registry;
}

// Platform @functions that need the client's user interface, other databases or the user's
// environment.
constexpr std::string_view kUnsupported[] = {
    "COMMAND", "POSTEDCOMMAND", "DBLOOKUP", "DBCOLUMN", "DBCOMMAND", "DBMANAGER", "PROMPT", "PICKLIST",
    "DIALOGBOX", "MAILSEND", "DDEINITIATE", "DDEEXECUTE", "DDEPOKE", "DDETERMINATE", "ENVIRONMENT",
    "SETENVIRONMENT", "SETFIELD", "GETFIELD", "USERROLES", "ISNEWDOC", "PLATFORM", "VERSION",
    "GETPROFILEFIELD", "SETPROFILEFIELD", "SETDOCFIELD", "GETDOCFIELD", "URLOPEN", "STATUSBAR",
    "SETTARGETFRAME", "MAILDBNAME", "ISDOCBEINGEDITED", "ISDOCBEINGSAVED", "DBEXISTS",
};

}  // namespace

const FunctionInfo* FindFunction(std::string_view name) {
  static const Registry registry = BuildRegistry();
  auto it = registry.find(AsciiUpper(name));
  return it == registry.end() ? nullptr : it->second;
}

bool IsUnsupportedFunction(std::string_view name) {
  const std::string upper = AsciiUpper(name);
  for (std::string_view u : kUnsupported)
    if (upper == u) return true;
  return upper.rfind("DDE", 0) == 0;
}

}  // namespace host::formula
