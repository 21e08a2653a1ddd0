#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/PopupMenu/popup_menu.h"
#include "controls/PopupMenu/prp_popup_menu.h"
#include "controls/ProgressViewer/progress_viewer.h"
#include "controls/ProgressViewer/prp_progress_viewer.h"
#include "controls/RadioGroup/prp_radio_group.h"
#include "controls/RadioGroup/radio_group.h"
#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/option_button.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using ::testing::ElementsAre;

class ItemsPagesTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    ASSERT_TRUE(form_->Load());
  }
  // Places `control` and hands its extender to `page` as the selection.
  template <class Control>
  ui::Extender& Select(std::shared_ptr<Control> control, ui::PropertyPage& page) {
    auto site = form_->AddUserControl(control, "ctl" + std::to_string(++placed_));
    EXPECT_TRUE(site.ok());
    page.SetSelectedControls({std::static_pointer_cast<automation::Dispatch>(
        std::shared_ptr<ui::Extender>(form_, *site))});
    return **site;
  }
  static std::vector<std::string> Entries(ui::PropertyPage& page, const char* list) {
    std::vector<std::string> out;
    auto* l = page.FindAs<ui::ListBox>(list);
    for (int i = 0; i < l->ListCount(); ++i)
      out.push_back(*l->List(i));
    return out;
  }

  std::shared_ptr<ui::Form> form_;
  int placed_ = 0;
};

TEST_F(ItemsPagesTest, RadioGroupPageEditsTheCollectionDirectly) {
  auto group = std::make_shared<RadioGroup>();
  prpRadioGroup page;
  group->RadioButtons()->Add("Button 1", "One");
  Select(group, page);
  EXPECT_THAT(Entries(page, "lstButtons"), ElementsAre("Button 1"));
  EXPECT_EQ(page.FindAs<ui::TextBox>("txtCaption")->Text(), "One");

  // The smallest free number from 0, the new item current.
  ASSERT_TRUE(page.AddItem());
  ASSERT_TRUE(page.AddItem());
  EXPECT_THAT(Entries(page, "lstButtons"), ElementsAre("Button 1", "Button 0", "Button 2"));
  EXPECT_EQ(group->RadioButtons()->Items().At(3)->Caption(), "Button 2");

  page.FindAs<ui::TextBox>("txtKey")->SetText("last");
  page.FindAs<ui::TextBox>("txtCaption")->SetText("Last");
  ASSERT_TRUE(page.FindAs<ui::CheckBox>("chkEnabled")->SetValue(ui::check_value::kUnchecked));
  const auto& item = *group->RadioButtons()->Items().At(3);
  EXPECT_EQ(item.Key(), "last");
  EXPECT_EQ(item.Caption(), "Last");
  EXPECT_FALSE(item.Enabled());
  EXPECT_THAT(Entries(page, "lstButtons"), ElementsAre("Button 1", "Button 0", "last"));
  EXPECT_TRUE(page.Changed());

  // The person types an index.
  page.SelectedIndexField().FindAs<ui::TextBox>("txt")->SetText("2");
  EXPECT_EQ(group->SelectedIndex(), 2);

  ASSERT_TRUE(page.FindAs<ui::ListBox>("lstButtons")->SetListIndex(0));
  ASSERT_TRUE(page.RemoveCurrentItem());
  EXPECT_EQ(group->RadioButtons()->Items().Count(), 2);
  EXPECT_EQ(page.FindAs<ui::TextBox>("txtKey")->Text(), "Button 0");
  ASSERT_TRUE(page.Apply());
  EXPECT_FALSE(page.Changed());
}

TEST_F(ItemsPagesTest, StateFieldsOfTasksAndMenuEntries) {
  auto viewer = std::make_shared<ProgressViewer>();
  prpProgressViewer tasks_page;
  Select(viewer, tasks_page);
  ASSERT_TRUE(tasks_page.AddItem());
  const auto& task = *viewer->ProgressTasks()->Items().At(1);
  EXPECT_EQ(task.Key(), "task 0");
  EXPECT_EQ(task.Displayname(), "displayname");
  EXPECT_TRUE(tasks_page.FindAs<ui::OptionButton>("optNormal")->Value());
  tasks_page.FindAs<ui::OptionButton>("optFailed")->SetValue(true);
  EXPECT_TRUE(task.Failed());
  tasks_page.FindAs<ui::OptionButton>("optFinished")->SetValue(true);
  EXPECT_TRUE(task.Finished());
  EXPECT_FALSE(task.Failed());
  tasks_page.FindAs<ui::OptionButton>("optNormal")->SetValue(true);
  EXPECT_FALSE(task.Finished() || task.Failed());

  auto menu = std::make_shared<PopupMenu>();
  prpPopupMenu menu_page;
  menu->MenuItems()->Add("open", "&Open");
  menu->MenuItems()->Items().At(1)->checked = true;
  Select(menu, menu_page);
  EXPECT_EQ(menu_page.FindAs<ui::CheckBox>("chkChecked")->Value(), ui::check_value::kChecked);
  EXPECT_EQ(menu_page.FindAs<ui::TextBox>("txtDisplayname")->Text(), "&Open");
  ASSERT_TRUE(menu_page.FindAs<ui::CheckBox>("chkVisible")->SetValue(ui::check_value::kUnchecked));
  EXPECT_FALSE(menu->MenuItems()->Items().At(1)->visible);
  ASSERT_TRUE(menu_page.AddItem());
  EXPECT_EQ(menu->MenuItems()->Items().At(2)->key, "MenuItem 0");
  EXPECT_EQ(menu->MenuItems()->Items().At(2)->caption, "Caption");
}

}  // namespace
}  // namespace feriant::lumatrel
