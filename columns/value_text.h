// The marker texts that stand in a value's place when it cannot be rendered.
#pragma once

#include <string>
#include <string_view>

#include "host/lntypes.h"

// "ERROR : サポートしていないデータ形式です。" in platform text.
const std::string& UnsupportedTypeMarker();
// "ERROR : [%X]%s" with the status and the host's message text for it, in platform text.
std::string HostErrorMarker(LNSTATUS status);
// "ERROR : 不明なエラー(...)が発生しました。" in platform text.
const std::string& UnknownErrorMarker();

// Replaces `text` with what `render` builds into it, or, when it throws, with the marker for what
// it threw in place of everything it had built; `markerText`, when given, turns the marker (platform
// text) into the text's own form.
template <class Render>
void RenderOrMark(std::string& text, Render&& render, std::string (*markerText)(std::string_view) = nullptr) {
  text.clear();
  try {
    render(text);
  } catch (LNSTATUS status) {
    text = HostErrorMarker(status);
    if (markerText) text = markerText(text);
  } catch (...) {
    text = markerText ? markerText(UnknownErrorMarker()) : UnknownErrorMarker();
  }
}
