// The help viewer's window: the contents and the topics of one help file, with the links between
// them. The mouse and the keyboard follow them: Tab moves between the links, Enter follows one,
// Backspace goes back to the topic shown before, Escape closes the window.
#pragma once

#include <platform/api.h>
#include <platform/help_file.h>

#include <QTextBrowser>
#include <vector>

namespace platform::qt {

class PLATFORM_API HelpWindow final : public QTextBrowser {
 public:
  explicit HelpWindow(std::vector<HelpTopic> topics);  // not empty

  // Shows the topic of `context`: the contents (with a link to every topic) for 0 or for a number
  // without a topic, any other topic with a link back to the contents.
  void ShowTopic(unsigned long context);
  unsigned long ShownContext() const { return history_.back(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Render(unsigned long context);

  std::vector<HelpTopic> topics_;
  std::vector<unsigned long> history_;  // the topics shown, the current one last
};

// The title and text of a topic as the help window and its pop-ups show them.
PLATFORM_API QString TopicHtml(const HelpTopic& topic);

}  // namespace platform::qt
