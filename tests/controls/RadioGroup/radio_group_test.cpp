#include "controls/RadioGroup/radio_group.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using ::testing::ElementsAre;

class RadioGroupTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    ASSERT_TRUE(form_->Load());
    group_ = std::make_shared<RadioGroup>();
    ASSERT_TRUE(form_->AddUserControl(group_, "rgp").ok());
    sink_->On("SelectionChanged", radio_group::event::kSelectionChanged,
              [this](std::span<Variant> a) {
                auto item = std::dynamic_pointer_cast<clsRadioButton>(a[1].AsObject());
                log_.push_back(std::to_string(*a[0].ToI4()) + " " + (item ? item->Key() : "-"));
              });
    group_->FindConnectionPoint(radio_group::kEventInterfaceId)->Advise(sink_);
  }
  colRadioButtons& Buttons() { return *group_->RadioButtons(); }
  ui::OptionButton& Opt(int k) { return *group_->FindAs<ui::OptionButton>("opt", k); }
  // The 1-based position of the chosen option, 0 for none.
  int Chosen() {
    for (int k = 0; k < group_->OptionCount(); ++k)
      if (Opt(k).Value()) return k + 1;
    return 0;
  }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<RadioGroup> group_;
  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
  std::vector<std::string> log_;
};

TEST_F(RadioGroupTest, OneOptionPerItemSpreadDownTheControl) {
  EXPECT_EQ(group_->Caption(), "rgp");
  EXPECT_FALSE(Opt(0).Visible());  // no items yet
  Buttons().Add("a", "Alpha");
  Buttons().Add("b", "Beta", false);
  Buttons().Add("c", "Gamma");
  ASSERT_EQ(group_->OptionCount(), 3);
  const int half = Opt(0).Height() / 2;
  const int tops[] = {1000, 1850, 2700};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(Opt(k).Top(), tops[k] - half) << k;
    EXPECT_EQ(Opt(k).Left(), 180);
    EXPECT_EQ(Opt(k).Width(), 4800 - 360);
    EXPECT_TRUE(Opt(k).Visible());
  }
  EXPECT_EQ(Opt(1).Caption(), "Beta");
  EXPECT_FALSE(Opt(1).Enabled());
  Buttons().Items().At(1)->SetCaption("First");
  EXPECT_EQ(Opt(0).Caption(), "First");

  ASSERT_TRUE(Buttons().Items().Remove(Variant(std::int32_t{2})));
  Buttons().ItemsRemoved();
  EXPECT_EQ(group_->OptionCount(), 2);
  EXPECT_EQ(Opt(1).Caption(), "Gamma");
  ASSERT_TRUE(Buttons().Items().Remove(Variant("a")));
  ASSERT_TRUE(Buttons().Items().Remove(Variant("c")));
  Buttons().ItemsRemoved();
  EXPECT_EQ(group_->OptionCount(), 1);
  EXPECT_FALSE(Opt(0).Visible());
}

TEST_F(RadioGroupTest, ThePersonsChoiceIsReportedButNotOnesByCode) {
  for (const char* key : {"a", "b", "c"})
    Buttons().Add(key, key);
  ASSERT_TRUE(Opt(1).InputClick());
  EXPECT_THAT(log_, ElementsAre("2 b"));
  EXPECT_EQ(group_->SelectedIndex(), 2);
  EXPECT_EQ(group_->ActiveButton()->Key(), "b");

  group_->SetSelectedIndex(3);
  EXPECT_EQ(Chosen(), 3);
  group_->SetSelectedIndex(-1);
  EXPECT_EQ(Chosen(), 0);
  EXPECT_EQ(group_->ActiveButton(), nullptr);
  group_->SetSelectedIndex(2);
  group_->SetSelectedIndex(7);  // no such option: the options stay as they were
  EXPECT_EQ(Chosen(), 2);
  EXPECT_THAT(log_, ElementsAre("2 b"));

  // Removing the chosen item keeps the stored index, now naming the next item.
  group_->SetSelectedIndex(2);
  ASSERT_TRUE(Buttons().Items().Remove(Variant(std::int32_t{2})));
  Buttons().ItemsRemoved();
  EXPECT_EQ(group_->SelectedIndex(), 2);
  EXPECT_EQ(Chosen(), 2);
  EXPECT_THAT(log_, ElementsAre("2 b"));
}

TEST_F(RadioGroupTest, CollectionFindsByPositionOrFirstKeyLateBound) {
  Buttons().Add("same", "one");
  Buttons().Add("same", "two");
  colRadioButtons& c = Buttons();
  namespace ids = keyed_collection::dispid;
  auto caption = [](const Result<Variant>& item) {
    return *item->AsObject()->Get(cls_radio_button::dispid::kCaption)->ToString();
  };
  EXPECT_EQ(caption(c.Get(ids::kItem, {Variant("same")})), "one");
  EXPECT_EQ(caption(c.Get(ids::kItem, {Variant(std::int16_t{2})})), "two");
  EXPECT_EQ(c.Get(ids::kItem, {Variant("none")})->AsObject(), nullptr);
  EXPECT_FALSE(c.Get(ids::kItem, {Variant(std::int32_t{3})}).ok());
  EXPECT_FALSE(c.Call(ids::kRemove, {Variant(std::int32_t{0})}).ok());
  ASSERT_TRUE(c.Call(ids::kRemove, {Variant("none")}));
  EXPECT_EQ(*c.Get(ids::kCount), Variant(std::int32_t{2}));
  auto all = c.Get(ids::kNewEnum);
  ASSERT_TRUE(all.ok());
  EXPECT_EQ(all->AsArray()->size(), 2u);
  // Add with Enabled left out, then an item's own members.
  auto added = c.Call(ids::kAdd, {Variant("k"), Variant("three")});
  ASSERT_TRUE(added.ok());
  automation::ObjectRef item = added->AsObject();
  EXPECT_EQ(*item->Get(cls_radio_button::dispid::kEnabled), Variant(true));
  EXPECT_EQ(item->Get(cls_radio_button::dispid::kCollection)->AsObject(), group_->RadioButtons());
  ASSERT_TRUE(item->Put(cls_radio_button::dispid::kEnabled, false));
  EXPECT_FALSE(Opt(2).Enabled());
}

TEST_F(RadioGroupTest, StoresTheCollectionAsOneNestedBag) {
  Buttons().Add("a", "Alpha");
  Buttons().Add("b", "", false);
  group_->SetSelectedIndex(2);
  group_->SetCaption("Choose");
  auto font = ui::StdFont::Create();
  ASSERT_TRUE(font->SetName("Arial"));
  font->SetBold(true);
  group_->SetOptionFont(font);
  ui::PropertyBag bag;
  ASSERT_TRUE(group_->Save(bag).ok());
  std::vector<std::string> keys;
  for (const auto& e : bag.Entries())
    keys.push_back(e.key);
  EXPECT_THAT(keys, ElementsAre("SelectedIndex", "Caption", "RadioButtons", "FontName", "FontSize",
                                "FontItalic", "FontBold", "FontUnderline", "FontStrikethrough"));
  auto nested = ui::PropertyBag::FromContents(*bag.Entries()[2].value.AsBytes());
  ASSERT_TRUE(nested.ok());
  std::vector<std::string> stored;
  for (const auto& e : nested->Entries())
    stored.push_back(e.key + "=" + *e.value.ToString());
  // Defaults (an empty caption, enabled) are left out.
  EXPECT_THAT(stored,
              ElementsAre("Count=2", "Key1=a", "Caption1=Alpha", "Key2=b", "Enabled2=False"));

  auto copy = std::make_shared<RadioGroup>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "rgp2").ok());
  ASSERT_TRUE(copy->Load(bag).ok());
  EXPECT_EQ(copy->Caption(), "Choose");
  EXPECT_EQ(copy->RadioButtons()->Items().Count(), 2);
  EXPECT_EQ(copy->ActiveButton()->Key(), "b");
  EXPECT_TRUE(copy->FindAs<ui::OptionButton>("opt", 1)->Value());
  EXPECT_FALSE(copy->FindAs<ui::OptionButton>("opt", 1)->Enabled());
  EXPECT_EQ(copy->OptionFont()->Name(), "Arial");
  EXPECT_TRUE(copy->OptionFont()->Bold());
}

TEST_F(RadioGroupTest, ADamagedCountReadsNoMoreItemsThanStored) {
  ui::PropertyBag nested;
  ASSERT_TRUE(nested.WriteProperty("Count", std::int32_t{2000000000}));
  ASSERT_TRUE(nested.WriteProperty("Key1", "only"));
  ui::PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("RadioButtons", Variant(*nested.Contents())));
  ASSERT_TRUE(group_->Load(bag).ok());
  EXPECT_EQ(Buttons().Items().Count(), 1);
  EXPECT_EQ(group_->OptionCount(), 1);
}

}  // namespace
}  // namespace feriant::lumatrel
