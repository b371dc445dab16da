// Message boxes, progress with the message pump, help and opening an address, with a console
// implementation here and a windowed one in platform/qt.
//
// Texts and captions are platform text (code page 932). The console implementation, active
// until a windowed one is installed, writes to standard error in the locale's character set and
// reads Yes/No answers from standard input (end of input answers No).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/api.h"

namespace platform {

enum class Buttons { Ok, YesNo };
enum class Icon { Exclamation, Information, Error, Question };
enum class Answer { Ok = 1, Yes = 6, No = 7 };
// What a help call asks of the help viewer.
enum class HelpCommand : unsigned {
  Context = 1,       // show the topic of a context number
  Quit = 2,          // close what help opened
  Contents = 3,      // show the contents
  ContextPopup = 8,  // show the topic of a context number in a small pop-up window
};

// Progress shown while an export runs.
class PLATFORM_API ProgressView {
 public:
  virtual ~ProgressView() = default;
  virtual void SetCaption(std::string_view text) = 0;
  virtual void SetStatusText(std::string_view text) = 0;
  virtual void SetCounterText(std::string_view text) = 0;
  virtual void SetRange(int low, int high) = 0;
  virtual void SetPos(int pos) = 0;
  // Handles pending events; returns how many times Cancel was pressed since the last call.
  virtual int PumpMessages() = 0;
};

class PLATFORM_API Ui {
 public:
  virtual ~Ui() = default;
  virtual Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons, Icon icon) = 0;
  virtual std::unique_ptr<ProgressView> CreateProgress() = 0;
  // Asks help for `command` on the help file at `helpFile` (platform text; found without regard
  // to ASCII case of its name); `data` is the context number of Context and ContextPopup. False
  // when help cannot be started: the file is missing or is no help file.
  virtual bool WinHelp(std::string_view helpFile, HelpCommand command, unsigned long data) = 0;
  // Opens `address` (platform text, such as a web address) with the desktop's handler for it;
  // false when nothing could open it.
  virtual bool OpenAddress(std::string_view address) = 0;
  virtual bool HasDisplay() const = 0;
};

// The process-wide UI; the console implementation unless another one was installed.
PLATFORM_API Ui& CurrentUi();
// Installs `ui` (null restores the console); returns the previous one, which is a console
// implementation when none was installed. An installer restores the console before its code is
// unloaded.
PLATFORM_API std::unique_ptr<Ui> InstallUi(std::unique_ptr<Ui> ui);
// The console implementation: a box is written to standard error as "caption: text"; a Yes/No box
// adds " [y/n] " and takes the first line of standard input that starts with y or n (either
// case), asking again after any other line; end of input answers No. Progress is a text bar
// redrawn in place on standard error when that is a terminal, and nothing otherwise; Cancel is
// never pressed. Help goes to the help viewer where there is a display (AskHelpViewer); on a
// terminal alone the topic (the contents for Contents) is printed on standard output, and a
// pop-up shows nothing. An address is written to standard error for the user to open, and counts
// as not opened.
PLATFORM_API std::unique_ptr<Ui> MakeConsoleUi();

// Shorthand for CurrentUi().MessageBox.
PLATFORM_API Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons = Buttons::Ok,
                               Icon icon = Icon::Exclamation);

// Whether a display is available: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set.
PLATFORM_API bool DisplayAvailable();

}  // namespace platform
