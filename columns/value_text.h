// The marker texts that stand in a value's place when it cannot be rendered.
#pragma once

#include <string>

#include "host/lntypes.h"

// "ERROR : サポートしていないデータ形式です。" in platform text.
const std::string& UnsupportedTypeMarker();
// "ERROR : [%X]%s" with the status and the host's message text for it, in platform text.
std::string HostErrorMarker(LNSTATUS status);
// "ERROR : 不明なエラー(...)が発生しました。" in platform text.
const std::string& UnknownErrorMarker();

// The text `render` builds into the string it is given, or, when it throws, the marker for what
// it threw in place of everything it had built.
template <class Render>
std::string RenderedOrMarker(Render&& render) {
  try {
    std::string text;
    render(text);
    return text;
  } catch (LNSTATUS status) {
    return HostErrorMarker(status);
  } catch (...) {
    return UnknownErrorMarker();
  }
}
