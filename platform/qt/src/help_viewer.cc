#include "help_viewer.h"

#include <QCursor>
#include <QUrl>
#include <QWhatsThis>

#include "platform/qt/qt_ui.h"

namespace platform::qt {
namespace {

QString Html(const std::string& utf8) {
  return FromUtf8(utf8).toHtmlEscaped()
      .replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString TopicHtml(const HelpTopic& topic) {
  return QStringLiteral("<h3>%1</h3><p>%2</p>").arg(Html(topic.title), Html(topic.text));
}

}  // namespace

HelpViewer::~HelpViewer() { delete window_; }

bool HelpViewer::Run(std::string_view helpFile, HelpCommand command, unsigned long data) {
  if (command == HelpCommand::Quit) {
    QWhatsThis::hideText();
    delete window_;
    return true;
  }
  auto topics = ReadHelpFile(helpFile);
  if (!topics) return false;
  topics_ = std::move(*topics);
  if (command == HelpCommand::ContextPopup) {
    const HelpTopic* topic = FindHelpTopic(topics_, data);
    QWhatsThis::showText(QCursor::pos(), topic ? TopicHtml(*topic) : QStringLiteral("<p>この項目のヘルプはありません。</p>"));
    return true;
  }
  Show(command == HelpCommand::Context ? data : 0);
  return true;
}

// The topic of `context` (the contents for 0, or for a number without a topic), with the list of
// every topic under the contents and a way back to them under any other topic.
void HelpViewer::Show(unsigned long context) {
  if (!window_) {
    window_ = new QTextBrowser;
    window_->setAttribute(Qt::WA_DeleteOnClose);
    window_->setOpenLinks(false);
    window_->resize(520, 420);
    QObject::connect(window_, &QTextBrowser::anchorClicked,
                     [this](const QUrl& url) { Show(url.fragment().toULong(nullptr, 16)); });
  }
  const HelpTopic* topic = FindHelpTopic(topics_, context);
  if (!topic) topic = &topics_.front();
  QString html = TopicHtml(*topic);
  if (topic->context == 0) {
    html += QStringLiteral("<ul>");
    QStringList listed;  // a control and its label share a title: the first of them stands for both
    for (const HelpTopic& other : topics_) {
      const QString title = Html(other.title);
      if (other.context == 0 || listed.contains(title)) continue;
      listed << title;
      html += QStringLiteral("<li><a href=\"#%1\">%2</a></li>").arg(other.context, 0, 16).arg(title);
    }
    html += QStringLiteral("</ul>");
  } else {
    html += QStringLiteral("<p><a href=\"#0\">%1</a></p>").arg(Html(topics_.front().title));
  }
  window_->setWindowTitle(Html(topics_.front().title));
  window_->setHtml(html);
  window_->show();
  window_->raise();
}

}  // namespace platform::qt
