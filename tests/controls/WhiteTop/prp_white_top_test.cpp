#include "controls/WhiteTop/prp_white_top.h"

#include <functional>
#include <memory>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/WhiteTop/white_top.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::ObjectRef;
using ::testing::ElementsAre;

class prpWhiteTopTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmDesign");
    form_->SetUserMode(false);  // a design surface, where pages are used
    ASSERT_TRUE(form_->Load());
    for (const char* name : {"wto1", "wto2"}) {
      auto banner = std::make_shared<WhiteTop>();
      auto site = form_->AddUserControl(banner, name);
      ASSERT_TRUE(site.ok());
      banners_.push_back(banner);
      selection_.push_back((*site)->weak_from_this().lock());
    }
    banners_[0]->SetTitle("First");
    banners_[0]->SetMsg("First message");
    banners_[0]->SetAutoSize(false);
    page_->Show();
  }

  ui::TextBox& Text(const char* name) { return *page_->FindAs<ui::TextBox>(name); }
  ui::CheckBox& Check() { return *page_->FindAs<ui::CheckBox>("chkAutoSize"); }

  std::shared_ptr<ui::Form> form_;
  std::vector<std::shared_ptr<WhiteTop>> banners_;
  std::vector<ObjectRef> selection_;
  std::shared_ptr<prpWhiteTop> page_ = std::make_shared<prpWhiteTop>();
};

TEST_F(prpWhiteTopTest, OneGeneralTabWithItsLabelledFields) {
  EXPECT_EQ(page_->Caption(), "General");
  EXPECT_EQ(page_->TypeName(), "prpWhiteTop");
  EXPECT_EQ(page_->FindAs<ui::Label>("lblTitle")->Caption(), "&Title:");
  EXPECT_EQ(page_->FindAs<ui::Label>("lblMsg")->Caption(), "&Message:");
  EXPECT_EQ(Check().Caption(), "Automatic &sizing");
  EXPECT_NE(page_->FindAs<ui::TextBox>("txtTitle"), nullptr);
  EXPECT_NE(page_->FindAs<ui::TextBox>("txtMsg"), nullptr);
}

TEST_F(prpWhiteTopTest, LoadsTheFirstSelectedBannerEditsAndAppliesToAll) {
  page_->SetSelectedControls(selection_);
  EXPECT_EQ(Text("txtTitle").Text(), "First");
  EXPECT_EQ(Text("txtMsg").Text(), "First message");
  EXPECT_EQ(Check().Value(), ui::check_value::kUnchecked);
  EXPECT_FALSE(page_->Changed());

  // Each kind of edit marks the page changed; a new selection marks it unchanged.
  struct Edit {
    const char* what;
    std::function<Status()> act;
  };
  const Edit edits[] = {
      {"title", [&] { return ui::input::EditText(Text("txtTitle"), "New title"); }},
      {"message", [&] { return ui::input::EditText(Text("txtMsg"), "New message"); }},
      {"auto size", [&] { return ui::input::Click(Check()); }},
  };
  for (const Edit& edit : edits) {
    page_->SetSelectedControls(selection_);
    ASSERT_FALSE(page_->Changed()) << edit.what;
    ASSERT_TRUE(edit.act()) << edit.what;
    EXPECT_TRUE(page_->Changed()) << edit.what;
  }
  // The last selection change reloaded the fields from the first banner.
  EXPECT_EQ(Text("txtTitle").Text(), "First");
  EXPECT_EQ(Check().Value(), ui::check_value::kChecked);
  ASSERT_TRUE(ui::input::EditText(Text("txtTitle"), "Feriant"));
  ASSERT_TRUE(ui::input::EditText(Text("txtMsg"), "Pick a country."));

  for (const auto& banner : banners_)
    banner->Site()->ClearChangeLog();
  ASSERT_TRUE(page_->Apply());
  EXPECT_FALSE(page_->Changed());
  for (const auto& banner : banners_) {
    EXPECT_EQ(banner->Title(), "Feriant");
    EXPECT_EQ(banner->Msg(), "Pick a country.");
    EXPECT_TRUE(banner->AutoSize());
    EXPECT_THAT(banner->Site()->ChangeLog(), ElementsAre("Msg", "Title", "AutoSize"));
  }
}

TEST_F(prpWhiteTopTest, AnEmptySelectionLeavesThePageAlone) {
  page_->SetSelectedControls(selection_);
  ASSERT_TRUE(ui::input::EditText(Text("txtMsg"), "Edited"));
  page_->SetSelectedControls({});
  EXPECT_EQ(Text("txtMsg").Text(), "Edited");
  EXPECT_TRUE(page_->Apply());
  EXPECT_EQ(banners_[0]->Msg(), "First message");
}

}  // namespace
}  // namespace feriant::lumatrel
