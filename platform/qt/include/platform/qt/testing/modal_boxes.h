// Tests only: a QApplication on Qt's offscreen platform, and acting on the modal message box that
// code under test brings up, as a user at the keyboard would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace platform::qt::testing {

// The process's QApplication, made on first use on the offscreen platform. It lives until the
// process ends and is never destroyed: at exit Qt's own statics are gone before it would be.
inline QApplication& OffscreenApplication() {
  static int argc = 3;
  static char name[] = "test", option[] = "-platform", platformName[] = "offscreen";
  static char* argv[] = {name, option, platformName, nullptr};
  static QApplication* const application = new QApplication(argc, argv);
  return *application;
}

// Runs `act` on the next modal box, made the active window as a user's click would, once it is up
// (events run before it, such as a progress window's, are let by). Fails the test when no box
// comes up within five seconds, or when the box is still up a second after `act` (and then closes
// it, so that the test ends).
inline void WhenBoxIsUp(std::function<void(QMessageBox&)> act, int triesLeft = 500) {
  QTimer::singleShot(10, [act, triesLeft] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (triesLeft > 0) return WhenBoxIsUp(act, triesLeft - 1);
      FAIL() << "no message box came up";
    }
    QApplication::setActiveWindow(box);
    act(*box);
    QTimer::singleShot(1000, [box] {
      if (QApplication::activeModalWidget() == box) {
        ADD_FAILURE() << "the box is still up";
        box->done(0);
      }
    });
  });
}

}  // namespace platform::qt::testing
