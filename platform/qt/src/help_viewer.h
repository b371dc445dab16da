// The help viewer of the windowed UI: a window for the contents and the topics of one help file,
// and a pop-up for a single topic.
#pragma once

#include <platform/help_file.h>
#include <platform/ui.h>

#include <QPointer>
#include <QTextBrowser>
#include <string_view>
#include <vector>

namespace platform::qt {

class HelpViewer {
 public:
  HelpViewer() = default;
  HelpViewer(const HelpViewer&) = delete;
  HelpViewer& operator=(const HelpViewer&) = delete;
  ~HelpViewer();

  // As Ui::WinHelp.
  bool Run(std::string_view helpFile, HelpCommand command, unsigned long data);

  // The viewer window while it is open, else null.
  QTextBrowser* Window() const { return window_; }

 private:
  void Show(unsigned long context);

  std::vector<HelpTopic> topics_;
  QPointer<QTextBrowser> window_;
};

}  // namespace platform::qt
