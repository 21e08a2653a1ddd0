#pragma once
// Shared pieces of the Qt renderer's tests: one QApplication on the offscreen platform
// for the whole process, a fixture that installs a fresh QtBackend at 15 twips per pixel
// for every test, and PanelControl, a small user control with a label and a button.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>

#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui_qt/qt_backend.h"

namespace feriant::ui_qt::testing {

// The process's QApplication, created on first use on the offscreen platform whatever
// the environment says, so that geometry and fonts do not depend on a display. It lives
// until the process ends.
inline QApplication& Application() {
  static QApplication* application = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "feriant-ui-qt-test";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *application;
}

// Runs what the event loop has queued: deferred input, deletions, paints.
inline void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

class QtTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { Application(); }
  void SetUp() override {
    backend_ = std::make_shared<QtBackend>(15);
    previous_ = ui::SetBackend(backend_);
  }
  void TearDown() override {
    Settle();
    ui::SetBackend(previous_);
    backend_.reset();
    Settle();
  }
  QtBackend& backend() { return *backend_; }

  // A loaded form of `width` x `height` twips.
  static std::shared_ptr<ui::Form> MakeForm(int width = 4680, int height = 3195) {
    auto form = std::make_shared<ui::Form>("frmTest");
    EXPECT_TRUE(form->Load());
    EXPECT_TRUE(form->SetClientSize(width, height));
    return form;
  }

  // What the widget looks like now, at its own size.
  static QImage Snapshot(QWidget& widget) { return widget.grab().toImage(); }

 private:
  std::shared_ptr<QtBackend> backend_;
  std::shared_ptr<ui::Backend> previous_;
};

// A user control 3000 x 600 twips with a label (lblText at 120, 60, 1500 x 240) and a
// button (cmdGo at 1800, 120, 1125 x 345) that counts its clicks; it docks where `align`
// says when placed.
class PanelControl final : public ui::UserControlImpl<PanelControl> {
 public:
  explicit PanelControl(int align = 0) : UserControlImpl("PanelControl"), align_(align) {
    SetInitialSize(3000, 600);
    label_ = &Add<ui::Label>("lblText");
    (void)label_->Move(120, 60, 1500, 240);
    label_->SetCaption("Panel");
    button_ = &Add<ui::CommandButton>("cmdGo");
    (void)button_->Move(1800, 120, 1125, 345);
    button_->SetCaption("&Go");
    button_->Click().Connect([this] { ++clicks; });
  }
  static const automation::Members<PanelControl>& Interface() {
    static const automation::Members<PanelControl> members;
    return members;
  }

  ui::Label& label() { return *label_; }
  ui::CommandButton& button() { return *button_; }
  int clicks = 0;

 protected:
  void OnInitProperties() override {
    if (align_ != 0) (void)Site()->SetAlign(align_);
  }

 private:
  int align_;
  ui::Label* label_ = nullptr;
  ui::CommandButton* button_ = nullptr;
};

}  // namespace feriant::ui_qt::testing
