#include "controls/PopupMenu/popup_menu.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using ::testing::ElementsAre;

class PopupMenuTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    ASSERT_TRUE(form_->Load());
    menu_ = std::make_shared<PopupMenu>();
    auto site = form_->AddUserControl(menu_, "pop");
    ASSERT_TRUE(site.ok());
    ASSERT_TRUE((*site)->Move(1000, 500, 1500, 330));
    sink_->On("PopupItemClick", popup_menu::event::kPopupItemClick, [this](std::span<Variant> a) {
      auto item = std::dynamic_pointer_cast<clsPopupMenuItem>(a[1].AsObject());
      log_.push_back(std::to_string(*a[0].ToI4()) + " " + (item ? item->key : "-"));
    });
    menu_->FindConnectionPoint(popup_menu::kEventInterfaceId)->Advise(sink_);
    for (const char* key : {"cut", "copy", "paste"})
      menu_->MenuItems()->Add(key, key);
  }
  clsPopupMenuItem& Item(int position) { return *menu_->MenuItems()->Items().At(position); }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<PopupMenu> menu_;
  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
  std::vector<std::string> log_;
};

TEST_F(PopupMenuTest, TheChosenEntryIsReportedWithItsPosition) {
  Item(1).visible = false;
  Item(2).checked = true;
  Item(3).caption = "&Paste";
  // The menu's entries: the hidden placeholder, then the collection's.
  backend().ScriptMenuChoice({3});
  auto chosen =
      menu_->Popup(2000, 800, popup_menu::zentpmCenterAlign, popup_menu::zentpmRightButton);
  ASSERT_TRUE(chosen.ok());
  EXPECT_EQ(*chosen, 3);
  EXPECT_THAT(log_, ElementsAre("3 paste"));
  ASSERT_EQ(backend().PopupMenus().size(), 1u);
  const ui::PopupMenuRequest& shown = backend().PopupMenus()[0];
  EXPECT_EQ(shown.flags, 6);
  // Container coordinates become the control's own.
  EXPECT_EQ(shown.x, 1000);
  EXPECT_EQ(shown.y, 300);
  ASSERT_EQ(shown.entries.size(), 4u);
  EXPECT_FALSE(shown.entries[0].visible);
  EXPECT_FALSE(shown.entries[1].visible);
  EXPECT_TRUE(shown.entries[2].checked);
  EXPECT_EQ(shown.entries[3].caption, "&Paste");

  // Built afresh: a removed entry is gone from the next menu; dismissing reports nothing.
  ASSERT_TRUE(menu_->MenuItems()->Items().Remove(Variant("copy")));
  auto dismissed = menu_->Popup(std::nullopt, std::nullopt, 0, 0);
  ASSERT_TRUE(dismissed.ok());
  EXPECT_EQ(*dismissed, 0);
  EXPECT_EQ(backend().PopupMenus().back().entries.size(), 3u);
  EXPECT_FALSE(backend().PopupMenus().back().x.has_value());
  EXPECT_THAT(log_, ElementsAre("3 paste"));
}

TEST_F(PopupMenuTest, NoVisibleEntryShowsNoMenu) {
  for (int i = 1; i <= 3; ++i)
    Item(i).visible = false;
  backend().ScriptMenuChoice({1});
  EXPECT_EQ(*menu_->Popup(0, 0, 0, 0), 0);
  EXPECT_TRUE(backend().PopupMenus().empty());
  EXPECT_THAT(log_, ElementsAre());
}

TEST_F(PopupMenuTest, PopupLateBoundTakesOptionalArguments) {
  backend().ScriptMenuChoice({2});
  ASSERT_TRUE(menu_->Call(popup_menu::dispid::kPopup, {Variant(std::int32_t{1500})}));
  EXPECT_THAT(log_, ElementsAre("2 copy"));
  EXPECT_EQ(backend().PopupMenus()[0].x, 500);
  EXPECT_FALSE(backend().PopupMenus()[0].y.has_value());
  EXPECT_EQ(backend().PopupMenus()[0].flags, 0);
}

TEST_F(PopupMenuTest, StoresEntriesWithTheirStatesAndKeepsItsHeight) {
  Item(2).enabled = false;
  Item(3).checked = true;
  ui::PropertyBag bag;
  ASSERT_TRUE(menu_->Save(bag).ok());
  ASSERT_EQ(bag.size(), 1u);
  auto nested = ui::PropertyBag::FromContents(*bag.Entries()[0].value.AsBytes());
  std::vector<std::string> stored;
  for (const auto& e : nested->Entries())
    stored.push_back(e.key);
  EXPECT_THAT(stored, ElementsAre("Count", "Key1", "Caption1", "Key2", "Caption2", "Enabled2",
                                  "Key3", "Caption3", "Checked3"));
  auto copy = std::make_shared<PopupMenu>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "pop2").ok());
  ASSERT_TRUE(copy->Load(bag).ok());
  const auto& items = copy->MenuItems()->Items();
  ASSERT_EQ(items.Count(), 3);
  EXPECT_FALSE(items.At(2)->enabled);
  EXPECT_TRUE(items.At(3)->checked);
  EXPECT_EQ(items.At(3)->caption, "paste");

  ASSERT_TRUE(menu_->SetHeight(2000));
  EXPECT_EQ(menu_->Height(), 330);
}

TEST_F(PopupMenuTest, ItsPictureAndNameShowOnADesignSurfaceOnly) {
  for (bool running : {false, true}) {
    SCOPED_TRACE(running ? "running" : "designed");
    auto form = std::make_shared<ui::Form>("frmOther");
    form->SetUserMode(running);
    ASSERT_TRUE(form->Load());
    auto menu = std::make_shared<PopupMenu>();
    ASSERT_TRUE(form->AddUserControl(menu, "pop").ok());
    ASSERT_TRUE(form->Show());
    menu->Paint();
    EXPECT_EQ(menu->FindAs<ui::Image>("pic")->Visible(), !running);
    EXPECT_EQ(menu->Drawing().Commands().empty(), running);
  }
}

}  // namespace
}  // namespace feriant::lumatrel
