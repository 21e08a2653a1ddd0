// Every caption of the dialog whole, measured with the Qt renderer's real fonts: in each
// language and both hosts, each label's caption wrapped at the label's width fits its
// height and touches no other control, and each button's caption fits the button.

#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/frm_add_in.h"
#include "addin/engine/host_kind.h"
#include "hosts/project/project_application.h"
#include "platform/components/component_library.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/backend.h"
#include "platform/ui_qt/qt_backend.h"
#include "platform/ui_qt/text_metrics.h"
#include "tests/hosts/project/test_files.h"
#include "tests/platform/ui_qt/qt_test_support.h"

namespace feriant::dialog {
namespace {

namespace fs = std::filesystem;

constexpr int kTwipsPerPixel = 15;
// A push button's frame on each side of its caption, in pixels: Qt draws a caption whole
// as long as it stays inside the frame.
constexpr int kButtonPaddingPixels = 2;

bool Overlap(const ui::Rect& a, const ui::Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

std::string WithoutAccessMark(std::string text) {
  if (const size_t amp = text.find('&'); amp != std::string::npos) text.erase(amp, 1);
  return text;
}

class CaptionFitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ui_qt::testing::Application(); }
  void SetUp() override {
    backend_ = std::make_shared<ui_qt::QtBackend>(kTwipsPerPixel);
    previous_backend_ = ui::SetBackend(backend_);
    saved_language_ = LangSetter().LanguageID;
    auto library = components::ComponentLibrary::Load(FERIANT_LUMATREL);
    ASSERT_TRUE(library.ok()) << library.error().description;
    library_ = std::move(*library);
    ASSERT_EQ(library_->RegisterServer(), components::kSOk);
    // Project's dialog with a plan open, so that it asks nothing at load.
    auto project = project::ProjectApplication::Create();
    ASSERT_TRUE(project->Open(files_.Copy("project2003.xml")));
    project_ = project;
  }
  void TearDown() override {
    if (dialog_) (void)dialog_->Unload();
    dialog_.reset();
    LangSetter().LanguageID = saved_language_;
    if (library_) library_->UnregisterServer();
    ui::SetBackend(previous_backend_);
    backend_.reset();
  }

  feriant::testing::ScratchDir dir_;
  fs::path registry_file_ = dir_.path() / "registry.json";
  feriant::testing::ScopedEnv env_{"FERIANT_REGISTRY", registry_file_.string()};
  project::testing::ScratchDir files_;
  std::shared_ptr<ui_qt::QtBackend> backend_;
  std::shared_ptr<ui::Backend> previous_backend_;
  std::shared_ptr<project::ProjectApplication> project_;
  std::int16_t saved_language_ = 0;
  std::unique_ptr<components::ComponentLibrary> library_;
  std::shared_ptr<frmAddIn> dialog_;
};

TEST_F(CaptionFitTest, EveryCaptionShowsWholeInEveryLanguageAndBothHosts) {
  const ui_qt::TextMetrics metrics(kTwipsPerPixel, kTwipsPerPixel);
  for (const std::int32_t host : {engine::kHostOutlook, engine::kHostProject}) {
    for (const std::int16_t language : {1031, 1033, 1036, 1040}) {
      const std::string where =
          "host " + std::to_string(host) + ", language " + std::to_string(language);
      LangSetter().LanguageID = language;
      dialog_ = std::make_shared<frmAddIn>();
      dialog_->SetHost(
          engine::HostContext{host, host == engine::kHostProject ? project_ : nullptr});
      ASSERT_TRUE(dialog_->Load()) << where;
      ASSERT_TRUE(dialog_->LumatrelStatus()) << where;
      int labels = 0;
      int buttons = 0;
      for (const auto& control : dialog_->Controls()) {
        if (!control->Visible()) continue;
        if (const auto* label = dynamic_cast<const ui::Label*>(control.get())) {
          if (label->Caption().empty()) continue;
          ++labels;
          const ui::FontDesc& font = label->Font()->Desc();
          const auto lines = metrics.WrapLines(font, label->Caption(), label->Width());
          for (const std::string& line : lines)
            EXPECT_LE(metrics.LineWidth(font, line), label->Width()) << where << ": " << line;
          EXPECT_LE(static_cast<int>(lines.size()) * metrics.LineHeight(font), label->Height())
              << where << ": " << label->Caption();
          for (const auto& other : dialog_->Controls()) {
            // Positions count within the same container (the bar holds two labels).
            if (other == control || !other->Visible() || other->Container() != label->Container())
              continue;
            EXPECT_FALSE(Overlap(label->Bounds(), other->Bounds()))
                << where << ": " << label->Name() << " covers " << other->Name();
          }
        } else if (const auto* button = dynamic_cast<const ui::CommandButton*>(control.get())) {
          ++buttons;
          const std::string text = WithoutAccessMark(button->Caption());
          EXPECT_LE(metrics.LineWidth(button->Font()->Desc(), text) +
                        2 * kButtonPaddingPixels * kTwipsPerPixel,
                    button->Width())
              << where << ": " << text;
        }
      }
      // Country, regions, calendars or language, years, "to", the run row; the link and
      // the notice in the bar belong to it, not to the form.
      EXPECT_GE(labels, 6) << where;
      EXPECT_EQ(buttons, 4) << where;
      // The progress label has one line between the progress bar and the button bar.
      const auto& progress = *dialog_->FindAs<ui::Label>("lblProgress");
      for (const std::string& text :
           {engine::FillPlaceholder(LangSetter().BothMessages_ProcessingHolidays(), "%1", 2049),
            LangSetter().OutlookMessages_CachingAppointments()}) {
        dialog_->SetProgressLabel(text);
        EXPECT_EQ(metrics.WrapLines(progress.Font()->Desc(), text, progress.Width()).size(), 1u)
            << where << ": " << text;
      }
      (void)dialog_->Unload();
      dialog_.reset();
    }
  }
}

}  // namespace
}  // namespace feriant::dialog
