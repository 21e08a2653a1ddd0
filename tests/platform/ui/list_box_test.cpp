// Drop-down lists and list boxes: entries, Click, selection modes, check boxes, whole rows
// and the item changes a renderer hears of.

#include "platform/ui/controls/list_box.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/standard_input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

class ListBoxTest : public testing::ShownFormTest {
 protected:
  template <class T>
  T& AddList(const char* name, std::vector<std::string> texts) {
    T& list = form_->Add<T>(name);
    for (std::string& text : texts)
      EXPECT_TRUE(list.AddItem(std::move(text)));
    return list;
  }
  static std::string SelectionOf(const ListBox& list) {
    std::string marks;
    for (int i = 0; i < list.ListCount(); ++i)
      marks += *list.Selected(i) ? 'x' : '.';
    return marks;
  }
};

TEST_F(ListBoxTest, ADropDownClicksWheneverItsChoiceChangesByThePersonOrByCode) {
  auto& combo = AddList<ComboBox>("cboCountry", {"Deutschland", "Schweiz", "Österreich"});
  std::vector<int> clicks;
  combo.Click().Connect([&] { clicks.push_back(combo.ListIndex()); });
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_EQ(combo.Text(), "");

  ASSERT_TRUE(combo.SetListIndex(1));                  // code
  ASSERT_TRUE(combo.SetListIndex(1));                  // no change: no Click
  ASSERT_TRUE(input::ChooseItem(combo, 2));            // the person
  ASSERT_TRUE(combo.Put("Text", "Deutschland"));       // by text, late-bound
  EXPECT_EQ(combo.SetText("Frankreich").error().code,  // not an entry: nothing changes
            ui_error::kReadOnlyProperty);
  EXPECT_EQ(combo.SetListIndex(3).error().code, ui_error::kInvalidPropertyValue);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(*combo.Get("Text"), automation::Variant("Deutschland"));

  // Entries before the choice move it along; removing the choice leaves none, quietly.
  ASSERT_TRUE(combo.AddItem("Liechtenstein", 0));
  EXPECT_EQ(combo.ListIndex(), 1);
  ASSERT_TRUE(combo.RemoveItem(1));
  EXPECT_EQ(combo.ListIndex(), -1);
  EXPECT_EQ(clicks.size(), 3u);
  combo.SetEnabled(false);
  EXPECT_FALSE(input::ChooseItem(combo, 0));
  EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_F(ListBoxTest, EntriesGoToTheirSortedPlaceAndKeepTheirItemData) {
  auto& list = form_->Add<ListBox>("lstLeft");
  ASSERT_TRUE(list.SetSorted(true));
  const struct {
    const char* text;
    int new_index;
  } cases[] = {{"Bern", 0}, {"aargau", 0}, {"Zug", 2}, {"basel", 1}, {"Basel", 2}};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(list.AddItem(cases[i].text));
    EXPECT_EQ(list.NewIndex(), cases[i].new_index) << cases[i].text;
    ASSERT_TRUE(list.SetItemData(list.NewIndex(), 100 + i));
  }
  const std::vector<std::string> order = {"aargau", "basel", "Basel", "Bern", "Zug"};
  const std::vector<int> data = {101, 103, 104, 100, 102};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(*list.List(i), order[static_cast<size_t>(i)]);
    EXPECT_EQ(*list.ItemData(i), data[static_cast<size_t>(i)]);
  }
  EXPECT_EQ(list.List(5).error().code, ui_error::kInvalidArrayIndex);
  EXPECT_EQ(list.AddItem("x", 7).error().code, ui_error::kInvalidProcedureCall);
  EXPECT_EQ(list.SetSorted(false).error().code, ui_error::kReadOnlyProperty);
  ASSERT_TRUE(list.RemoveItem(0));
  EXPECT_EQ(list.NewIndex(), -1);
  EXPECT_EQ(*list.ItemData(0), 103);
}

TEST_F(ListBoxTest, SelectionModesFollowClicksWithShiftAndCtrl) {
  struct Click {
    int index;
    int shift_state;
  };
  struct Case {
    int mode;
    std::vector<Click> clicks;
    const char* selection;
    int list_index;
    int click_events;
  };
  const int kCtrl = shift::kCtrl;
  const int kShift = shift::kShift;
  const Case cases[] = {
      {multi_select::kNone, {{1, 0}, {3, kCtrl}, {3, 0}}, "...x.", 3, 2},
      {multi_select::kSimple, {{1, 0}, {3, 0}, {1, 0}}, "...x.", 1, 3},
      {multi_select::kExtended, {{1, 0}, {3, kShift}}, ".xxx.", 3, 2},
      {multi_select::kExtended,
       {{1, 0}, {3, kShift}, {0, kCtrl}, {4, kCtrl | kShift}},
       "xxxxx",
       4,
       4},
      {multi_select::kExtended, {{1, 0}, {3, kCtrl}, {4, 0}}, "....x", 4, 3},
      // The anchor is the last click without Shift.
      {multi_select::kExtended, {{4, 0}, {2, kShift}, {0, kShift}}, "xxxxx", 0, 3},
  };
  for (const Case& c : cases) {
    auto& list = form_->Add<ListBox>("lstRight");
    ASSERT_TRUE(list.SetMultiSelect(c.mode));
    for (const char* text : {"a", "b", "c", "d", "e"})
      ASSERT_TRUE(list.AddItem(text));
    int click_events = 0;
    list.Click().Connect([&] { ++click_events; });
    for (const Click& click : c.clicks)
      ASSERT_TRUE(input::ClickItem(list, click.index, click.shift_state));
    EXPECT_EQ(SelectionOf(list), c.selection) << c.mode;
    EXPECT_EQ(list.ListIndex(), c.list_index) << c.mode;
    EXPECT_EQ(click_events, c.click_events) << c.mode;
    EXPECT_EQ(list.SelCount(), std::ranges::count(std::string_view(c.selection), 'x'));
    ASSERT_TRUE(form_->Remove(list));
  }
}

TEST_F(ListBoxTest, CheckBoxesTickThroughSelectedAndOnlyThePersonsTickRaisesItemCheck) {
  auto& list = form_->Add<ListBox>("lstRightCheck");
  ASSERT_TRUE(list.SetStyle(list_style::kCheckbox));
  for (const char* text : {"Standard", "Nachtschicht", "24 Stunden"})
    ASSERT_TRUE(list.AddItem(text));
  // A handler that refuses every tick by the person puts it back; that raises nothing.
  std::vector<int> checks;
  list.ItemCheck().Connect([&](int index) {
    checks.push_back(index);
    ASSERT_TRUE(list.SetSelected(index, !*list.Selected(index)));
  });
  ASSERT_TRUE(list.SetSelected(2, true));
  ASSERT_TRUE(input::ToggleItemCheck(list, 0));
  EXPECT_EQ(checks, std::vector<int>{0});
  EXPECT_EQ(SelectionOf(list), "..x");
  EXPECT_EQ(list.ListIndex(), 0);  // the entry clicked became the current one
  EXPECT_EQ(list.SelCount(), 1);
  // A click on the text moves the current entry without touching the ticks.
  ASSERT_TRUE(input::ClickItem(list, 1, 0));
  EXPECT_EQ(SelectionOf(list), "..x");
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.SetStyle(list_style::kStandard).error().code, ui_error::kReadOnlyProperty);
}

TEST_F(ListBoxTest, TheHeightKeepsToWholeRowsAndTheCurrentEntryStaysInView) {
  struct Case {
    int style;
    int asked;
    int height;
  };
  // Rows of 195 twips (MS Sans Serif 8.25), 225 with check boxes; 60 twips of border.
  const Case cases[] = {{list_style::kStandard, 1035, 1035},
                        {list_style::kStandard, 1200, 1035},
                        {list_style::kCheckbox, 735, 735},
                        {list_style::kCheckbox, 900, 735},
                        {list_style::kStandard, 10, 255}};
  for (const Case& c : cases) {
    auto& list = form_->Add<ListBox>("lst");
    ASSERT_TRUE(list.SetStyle(c.style));
    ASSERT_TRUE(list.Move(0, 0, 2355, c.asked));
    EXPECT_EQ(list.Height(), c.height) << c.asked;
    ASSERT_TRUE(form_->Remove(list));
  }
  auto& list = AddList<ListBox>("lstCalendars", {"a", "b", "c", "d", "e", "f", "g", "h"});
  ASSERT_TRUE(list.Move(0, 0, 2355, 645));  // three rows
  ASSERT_TRUE(list.SetListIndex(6));
  EXPECT_EQ(list.TopIndex(), 4);
  ASSERT_TRUE(list.SetListIndex(1));
  EXPECT_EQ(list.TopIndex(), 1);
  ASSERT_TRUE(input::ScrollList(list, 99));
  EXPECT_EQ(list.TopIndex(), 7);
  list.Clear();
  EXPECT_EQ(list.TopIndex(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListBoxTest, ARendererHearsOfEveryEntryChangeByPosition) {
  auto& list = AddList<ListBox>("lstLeft", {"a", "c"});
  ASSERT_TRUE(list.Move(0, 0, 2355, 1035));
  backend().RecordNotifications(true);
  ASSERT_TRUE(list.AddItem("b", 1));
  ASSERT_TRUE(list.SetList(0, "A"));
  ASSERT_TRUE(list.SetListIndex(2));
  ASSERT_TRUE(list.RemoveItem(0));
  list.Clear();
  // The current entry moved from 2 to 1 with its entry: no news for a renderer.
  const std::vector<std::string> expected = {
      "items lstLeft inserted 1",  "items lstLeft changed 0", "items lstLeft changed 2",
      "changed lstLeft ListIndex", "items lstLeft removed 0", "items lstLeft cleared",
      "changed lstLeft ListIndex"};
  EXPECT_EQ(backend().Notifications(), expected);
}

}  // namespace
}  // namespace feriant::ui
