#include "platform/ui/core/property_page.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using automation::Variant;
using testing::ProbeControl;
using testing::UiTest;

// A page in the manner of a control's own: loads the first selected control, writes every
// selected control on apply.
class ProbePage final : public PropertyPage {
 public:
  ProbePage() : PropertyPage("prpProbe", "General") {
    caption_ = &Add<TextBox>("txtCaption");
    flag_ = &Add<CheckBox>("chkFlag");
    caption_->Change().Connect([this] { SetChanged(true); });
    flag_->Click().Connect([this] { SetChanged(true); });
  }
  TextBox& caption() { return *caption_; }
  CheckBox& flag() { return *flag_; }
  bool fail_apply = false;

 protected:
  void OnSelectionChanged() override {
    if (SelectedControls().empty()) return;
    const automation::ObjectRef& first = SelectedControls().front();
    caption_->SetText(*first->Get("Caption")->ToString());
    (void)flag_->SetValue(*first->Get("Value")->ToI4() != 0 ? 1 : 0);
    SetChanged(false);
  }
  Status OnApplyChanges() override {
    if (fail_apply) return Error{380, "Invalid property value", {}};
    for (const automation::ObjectRef& control : SelectedControls()) {
      if (Status s = control->Put("Caption", caption_->Text()); !s) return s;
      if (Status s = control->Put("Value", std::int32_t{flag_->Value()}); !s) return s;
    }
    return Ok();
  }

 private:
  TextBox* caption_ = nullptr;
  CheckBox* flag_ = nullptr;
};

class PropertyPageTest : public UiTest {};

TEST_F(PropertyPageTest, SelectionEditAndApplyCycle) {
  auto form = std::make_shared<Form>("frmTest");
  form->SetUserMode(false);  // the control test container's design surface
  auto first = std::make_shared<ProbeControl>();
  auto second = std::make_shared<ProbeControl>();
  Extender* a = *form->AddUserControl(first, "probe1");
  Extender* b = *form->AddUserControl(second, "probe2");
  ASSERT_TRUE(a->Put("Caption", "First"));
  ASSERT_TRUE(a->Put("Value", std::int32_t{1}));

  auto page = std::make_shared<ProbePage>();
  std::vector<bool> changed_events;
  page->ChangedEvent().Connect([&](bool changed) { changed_events.push_back(changed); });
  page->Show();
  page->SetSelectedControls({a->weak_from_this().lock(), b->weak_from_this().lock()});
  EXPECT_EQ(page->caption().Text(), "First");
  EXPECT_EQ(page->flag().Value(), 1);
  EXPECT_FALSE(page->Changed());

  changed_events.clear();
  ASSERT_TRUE(input::EditText(page->caption(), "Edited"));
  EXPECT_TRUE(page->Changed());
  ASSERT_TRUE(input::Click(page->flag()));
  EXPECT_EQ(changed_events, (std::vector<bool>{true}));

  a->ClearChangeLog();
  ASSERT_TRUE(page->Apply());
  EXPECT_FALSE(page->Changed());
  EXPECT_EQ(first->label().Caption(), "Edited");
  EXPECT_EQ(second->label().Caption(), "Edited");
  EXPECT_EQ(first->value(), 0);
  EXPECT_EQ(a->ChangeLog(), (std::vector<std::string>{"Caption", ""}));
  EXPECT_EQ(*page->Get("SelectedControls", {Variant(std::int32_t{1})}),
            Variant(b->weak_from_this().lock()));

  // A failed apply keeps the page changed so the person's edit is not lost.
  page->fail_apply = true;
  ASSERT_TRUE(input::EditText(page->caption(), "Again"));
  EXPECT_FALSE(page->Apply());
  EXPECT_TRUE(page->Changed());
  EXPECT_EQ(first->label().Caption(), "Edited");
}

TEST_F(PropertyPageTest, InputNeedsTheShownPage) {
  ProbePage page;
  EXPECT_FALSE(input::EditText(page.caption(), "x").ok());
  page.Show();
  EXPECT_TRUE(input::EditText(page.caption(), "x").ok());
}

}  // namespace
}  // namespace feriant::ui
