#include "platform/qt/help_window.h"

#include <QKeyEvent>
#include <QUrl>

#include "platform/qt/qt_ui.h"

namespace platform::qt {
namespace {

QString Html(const std::string& utf8) { return FromUtf8(utf8).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")); }

}  // namespace

QString TopicHtml(const HelpTopic& topic) {
  return QStringLiteral("<h3>%1</h3><p>%2</p>").arg(Html(topic.title), Html(topic.text));
}

HelpWindow::HelpWindow(std::vector<HelpTopic> topics) : topics_(std::move(topics)) {
  setOpenLinks(false);
  resize(520, 420);
  setWindowTitle(FromUtf8(topics_.front().title));
  connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { ShowTopic(url.fragment().toULong(nullptr, 16)); });
  history_.push_back(0);
  Render(0);
}

void HelpWindow::ShowTopic(unsigned long context) {
  if (!FindHelpTopic(topics_, context)) context = 0;
  if (context != history_.back()) history_.push_back(context);
  Render(context);
}

void HelpWindow::Render(unsigned long context) {
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
  setHtml(html);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  if (event->key() == Qt::Key_Backspace) {
    if (history_.size() > 1) {
      history_.pop_back();
      Render(history_.back());
    }
    return;
  }
  QTextBrowser::keyPressEvent(event);
}

}  // namespace platform::qt
