#include "qt_message_box.h"

#include <gtest/gtest.h>
#include <platform/cp932.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <memory>

namespace setup {
namespace {

class SetupMessageBox : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 3;
    static char name[] = "setup_test", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() { app_.reset(); }
  static std::unique_ptr<QApplication> app_;
};
std::unique_ptr<QApplication> SetupMessageBox::app_;

TEST_F(SetupMessageBox, HasCaptionTextIconAndOneOkButton) {
  const struct {
    platform::Icon icon;
    QMessageBox::Icon shown;
  } cases[] = {
      {platform::Icon::Information, QMessageBox::Information},
      {platform::Icon::Error, QMessageBox::Critical},
  };
  const std::string text = "Corvaneをnotes.iniに登録しました。\n二行目";
  for (const auto& c : cases) {
    std::unique_ptr<QMessageBox> box = MakeSetupMessageBox(platform::Utf8ToCp932(text), c.icon);
    EXPECT_EQ(box->parent(), nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Corvane"));
    EXPECT_EQ(box->text(), QString::fromUtf8(text.c_str()));
    EXPECT_EQ(box->icon(), c.shown);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->buttons().front()->text(), QStringLiteral("OK"));
  }
}

}  // namespace
}  // namespace setup
