// Tests only: a QApplication on Qt's offscreen platform, and acting on the modal message box that
// code under test brings up, as a user at the keyboard would.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <typeinfo>

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

// Runs `act` on the next modal window of type T, made the active window as a user's click would,
// once it is up (events run before it, such as a progress window's, are let by). Fails the test
// when none comes up within five seconds, or when it is still up a second after `act` (and then
// closes it, so that the test ends). `act` may itself open further modal windows.
template <class T>
void WhenModalIsUp(std::function<void(T&)> act, int triesLeft = 500) {
  QTimer::singleShot(10, [act, triesLeft] {
    auto* window = dynamic_cast<T*>(QApplication::activeModalWidget());
    if (window == nullptr) {
      if (triesLeft > 0) return WhenModalIsUp<T>(act, triesLeft - 1);
      FAIL() << "no " << typeid(T).name() << " came up";
    }
    QApplication::setActiveWindow(window);
    act(*window);
    QPointer<T> acted(window);
    QTimer::singleShot(1000, [acted] {
      if (acted && acted->isVisible() && QApplication::activeModalWidget() == acted) {
        ADD_FAILURE() << "the " << typeid(T).name() << " is still up";
        acted->close();
      }
    });
  });
}

inline void WhenBoxIsUp(std::function<void(QMessageBox&)> act) { WhenModalIsUp<QMessageBox>(std::move(act)); }

}  // namespace platform::qt::testing
