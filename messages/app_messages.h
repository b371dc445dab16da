// The plug-in's own message boxes: every one is titled with the library's base name.
#pragma once

#include <string_view>

inline constexpr char kAppTitle[] = "nVorpel";

// Shows `platformText` with an OK button and the exclamation icon; returns when it is closed.
void ShowAppMessage(std::string_view platformText);

// Asks `platformText` with the buttons Yes and No and the exclamation icon; true for Yes.
bool AskAppQuestion(std::string_view platformText);
