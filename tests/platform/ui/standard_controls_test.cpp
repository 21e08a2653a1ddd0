// Spin buttons with their buddies, progress bars, text selections, option buttons and
// their run-time arrays, scripted pop-up menus and the keyed picture list.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/control_array.h"
#include "platform/ui/controls/frame.h"
#include "platform/ui/controls/image_list.h"
#include "platform/ui/controls/menu.h"
#include "platform/ui/controls/option_button.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/standard_input.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using automation::Variant;

using StandardControlsTest = testing::ShownFormTest;

TEST_F(StandardControlsTest, TheEndYearsMinimumFollowsTheStartYearThroughTheBuddies) {
  auto& txt1 = form_->Add<TextBox>("txtYear1");
  auto& txt2 = form_->Add<TextBox>("txtYear2");
  auto& udc1 = form_->Add<UpDown>("udcYear1");
  auto& udc2 = form_->Add<UpDown>("udcYear2");
  for (UpDown* udc : {&udc1, &udc2}) {
    udc->SetMax(2049);
    udc->SetMin(1984);
  }
  udc1.SetBuddy(&txt1);
  ASSERT_TRUE(udc2.PutRef("BuddyControl", "txtYear2"));  // by name, late-bound
  // What the dialog does: the end year's Min (id 7) follows the start year's Value (id 0).
  udc1.Change().Connect([&] { ASSERT_TRUE(udc2.Put(7, *udc1.Get(automation::kDispIdValue))); });
  ASSERT_TRUE(udc2.SetValue(2010));
  ASSERT_TRUE(udc1.SetValue(2006));
  EXPECT_EQ(txt1.Text(), "2006");
  EXPECT_EQ(txt2.Text(), "2010");
  EXPECT_EQ(udc2.Min(), 2006);

  struct Case {
    const char* typed;  // into txtYear1 before the step; nullptr: nothing typed
    int direction;
    int value1;
    const char* text1;
    int min2;
    int value2;
    const char* typed2 = nullptr;  // into txtYear2 before the step
  };
  const Case cases[] = {
      {nullptr, 1, 2007, "2007", 2007, 2010},
      {"2012", 1, 2013, "2013", 2013, 2013},  // the end year moves up with its Min
      {"abc", -1, 2012, "2012", 2012, 2013},  // not a number: from the value
      // A typed end year is the end year's value when its Min moves, within the range.
      {"2020", 1, 2021, "2021", 2021, 2040, "2040"},
      {"2030", 1, 2031, "2031", 2031, 2031, "2000"},  // below the new Min: up to it
      {nullptr, 1, 2032, "2032", 2032, 2032, "x"},    // no number: from the value
      {"2040", 1, 2041, "2041", 2041, 2049, "3000"},  // beyond Max: down to it
      {" +2000\t", 1, 2001, "2001", 2001, 2049},      // blanks and a plus sign as typed
      {"+-2005", -1, 2000, "2000", 2000, 2049},       // two signs: no number, from the value
      {"9999", 1, 2049, "2049", 2049, 2049},          // brought into the range, stops at Max
      {"1000", -1, 1984, "1984", 1984, 2049},
  };
  for (const Case& c : cases) {
    if (c.typed != nullptr) {
      ASSERT_TRUE(input::EditText(txt1, c.typed));
    }
    if (c.typed2 != nullptr) {
      ASSERT_TRUE(input::EditText(txt2, c.typed2));
    }
    ASSERT_TRUE(input::Spin(udc1, c.direction));
    EXPECT_EQ(udc1.Value(), c.value1) << c.typed;
    EXPECT_EQ(txt1.Text(), c.text1) << c.typed;
    EXPECT_EQ(udc2.Min(), c.min2) << c.typed;
    EXPECT_EQ(udc2.Value(), c.value2) << c.typed;
    EXPECT_EQ(txt2.Text(), std::to_string(c.value2)) << c.typed;
  }
  EXPECT_EQ(udc1.SetValue(2050).error().code, ui_error::kInvalidPropertyValue);
  udc1.SetWrap(true);
  ASSERT_TRUE(input::Spin(udc1, -1));
  EXPECT_EQ(udc1.Value(), 2049);
}

TEST_F(StandardControlsTest, AProgressBarKeepsItsValueInRangeAndRepaintsOnRefresh) {
  auto& bar = form_->Add<ProgressBar>("pgb");
  ASSERT_TRUE(bar.SetValue(40));
  // A run sets the maximum first and then the minimum.
  ASSERT_TRUE(bar.SetMax(2010));
  ASSERT_TRUE(bar.SetMin(2005));
  EXPECT_EQ(bar.Value(), 2005);
  EXPECT_EQ(bar.SetMin(2010).error().code, ui_error::kInvalidPropertyValue);
  EXPECT_EQ(bar.SetValue(2011).error().code, ui_error::kInvalidPropertyValue);
  EXPECT_EQ(bar.Value(), 2005);
  backend().RecordNotifications(true);
  ASSERT_TRUE(bar.Put(automation::kDispIdValue, std::int32_t{2007}));
  ASSERT_TRUE(bar.Call("Refresh"));
  EXPECT_EQ(backend().Notifications(),
            (std::vector<std::string>{"changed pgb Value", "refresh pgb"}));
}

TEST_F(StandardControlsTest, TheSelectionOfATextBoxCountsCharacters) {
  auto& text = form_->Add<TextBox>("txtYear1");
  int changes = 0;
  text.Change().Connect([&] { ++changes; });
  struct Case {
    int start;
    int length;
    const char* replacement;  // nullptr: only select
    const char* selected;
    const char* result;
    int caret;
  };
  const Case cases[] = {
      {2, 2, nullptr, "üß", "Grüße", 2}, {1, 99, nullptr, "rüße", "Grüße", 1},  // cut to the text
      {9, 1, nullptr, "", "Grüße", 5},   {2, 1, "u", "ü", "Gruße", 3},
      {5, 0, "!", "", "Gruße!", 6},
  };
  text.SetText("Grüße");
  changes = 0;
  for (const Case& c : cases) {
    ASSERT_TRUE(text.SetSelStart(c.start));
    ASSERT_TRUE(text.SetSelLength(c.length));
    EXPECT_EQ(text.SelText(), c.selected) << c.start;
    if (c.replacement != nullptr) {
      ASSERT_TRUE(text.Put("SelText", c.replacement));
    }
    EXPECT_EQ(text.Text(), c.result) << c.start;
    EXPECT_EQ(text.SelStart(), c.caret) << c.start;
  }
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(text.SetSelStart(-1).error().code, ui_error::kInvalidPropertyValue);
  ASSERT_TRUE(input::SelectText(text, 1, 2));
  EXPECT_EQ(text.SelText(), "ru");
  text.SetText("2006");
  EXPECT_EQ(text.SelStart(), 0);
  EXPECT_EQ(text.SelLength(), 0);
}

TEST_F(StandardControlsTest, OptionButtonsLoadedAtRunTimeFormAGroupPerContainer) {
  auto& frame = form_->Add<Frame>("fra");
  auto& first = form_->Add<OptionButton>("opt", 0);
  ASSERT_TRUE(first.SetContainer(&frame));
  ASSERT_TRUE(first.Move(180, 300, 3495, 195));
  first.SetCaption("Button 0");
  auto& outside = form_->Add<OptionButton>("optOutside");
  outside.SetValue(true);
  std::vector<std::string> clicks;
  for (int i = 1; i <= 2; ++i) {
    auto loaded = LoadArrayElement<OptionButton>(*form_, "opt", i);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE((*loaded)->Visible());
    EXPECT_EQ((*loaded)->Container(), &frame);
    EXPECT_EQ((*loaded)->Caption(), "Button 0");
    EXPECT_EQ((*loaded)->Left(), 180);
    (*loaded)->SetVisible(true);
  }
  EXPECT_EQ(LoadArrayElement<OptionButton>(*form_, "opt", 1).error().code,
            ui_error::kAlreadyLoaded);
  EXPECT_EQ(LoadArrayElement<OptionButton>(*form_, "optNone", 1).error().code,
            ui_error::kArrayElementMissing);
  for (int i = 0; i <= 2; ++i) {
    form_->FindAs<OptionButton>("opt", i)->Click().Connect(
        [&clicks, i] { clicks.push_back("opt(" + std::to_string(i) + ")"); });
  }
  auto* second = form_->FindAs<OptionButton>("opt", 1);
  ASSERT_TRUE(input::Click(*second));
  ASSERT_TRUE(second->Put(automation::kDispIdValue, true));  // already chosen: no Click
  first.SetValue(true);
  EXPECT_FALSE(second->Value());
  EXPECT_TRUE(outside.Value());  // another container, another group
  EXPECT_EQ(clicks, (std::vector<std::string>{"opt(1)", "opt(0)"}));
  ASSERT_TRUE(UnloadArrayElement(*form_, "opt", 2));
  EXPECT_EQ(form_->Find("opt", 2), nullptr);
}

TEST_F(StandardControlsTest, PopupMenusReturnTheScriptedChoiceAfterItsClick) {
  auto& popup = form_->Add<Menu>("mnuPopup");
  const char* const captions[] = {"&Open", "-", "&Hidden", "&Disabled", "&More"};
  std::vector<Menu*> items;
  for (int i = 0; i < 5; ++i) {
    Menu& item =
        i == 0 ? form_->Add<Menu>("mnuItem", 0) : **LoadArrayElement<Menu>(*form_, "mnuItem", i);
    if (i == 0) {
      ASSERT_TRUE(item.SetParentMenu(&popup));
    }
    item.SetCaption(captions[i]);
    item.SetVisible(i != 2);
    item.SetEnabled(i != 3);
    items.push_back(&item);
  }
  items[0]->SetChecked(true);
  auto& sub = form_->Add<Menu>("mnuSub");
  ASSERT_TRUE(sub.SetParentMenu(items[4]));
  sub.SetCaption("&Sub");
  std::vector<std::string> clicks;
  for (Menu* menu : {items[0], items[3], &sub})
    menu->Click().Connect([&clicks, menu] { clicks.push_back(menu->Caption()); });

  struct Case {
    std::vector<int> script;
    Menu* chosen;
  };
  const Case cases[] = {
      {{0}, items[0]}, {{4, 0}, &sub}, {{}, nullptr},  // dismissed
      {{3}, nullptr},                                  // disabled
      {{2}, nullptr},                                  // hidden
      {{1}, nullptr},                                  // a separator
      {{4}, nullptr},                                  // a submenu
      {{9}, nullptr},                                  // no such entry
  };
  for (const Case& c : cases) {
    backend().ScriptMenuChoice(c.script);
    auto chosen = PopupMenu(popup, popup_menu::kRightButton | popup_menu::kCenterAlign, 120);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, c.chosen) << c.script.size();
  }
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Open", "&Sub"}));
  const PopupMenuRequest& shown = backend().PopupMenus().front();
  EXPECT_EQ(shown.flags, 6);
  EXPECT_EQ(shown.x, 120);
  EXPECT_FALSE(shown.y);
  ASSERT_EQ(shown.entries.size(), 5u);
  EXPECT_TRUE(shown.entries[0].checked);
  EXPECT_FALSE(shown.entries[2].visible);
  EXPECT_EQ(shown.entries[4].submenu.size(), 1u);

  // Without a visible entry nothing is shown.
  for (Menu* item : items)
    item->SetVisible(false);
  const size_t shown_before = backend().PopupMenus().size();
  EXPECT_EQ(*PopupMenu(popup), nullptr);
  EXPECT_EQ(backend().PopupMenus().size(), shown_before);
}

TEST_F(StandardControlsTest, AccessKeysMoveTheFocusFromALabelToTheNextControlInTabOrder) {
  auto& label = form_->Add<Label>("lblCountry");
  label.SetCaption("&Choose a country:");
  auto& hidden = form_->Add<TextBox>("txtHidden");
  form_->Add<Label>("lblNote");  // no access key, no focus
  auto& combo = form_->Add<ComboBox>("cboCountry");
  auto& button = form_->Add<CommandButton>("cmdSelectAll");
  button.SetCaption("Select &all");
  auto& amp = form_->Add<Label>("lblAmp");
  amp.SetCaption("R&&D");
  int clicks = 0;
  button.Click().Connect([&] { ++clicks; });
  hidden.SetVisible(false);
  struct Case {
    const char* what;
    int key;
    int shift_state;
    Control* focused;  // afterwards
    int clicks;
  };
  const Case cases[] = {
      {"Alt+C skips the hidden box and the label", 'C', shift::kAlt, &combo, 0},
      {"without Alt nothing", 'A', 0, &combo, 0},
      {"a button's key clicks it", 'A', shift::kAlt, &button, 1},
      {"an escaped ampersand is no key", 'D', shift::kAlt, &button, 1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(input::KeyDown(*form_, c.key, c.shift_state)) << c.what;
    EXPECT_TRUE(c.focused->HasFocus()) << c.what;
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
  // From the last place in the tab order the search goes round to the start.
  ASSERT_TRUE(label.SetTabIndex(5));
  ASSERT_TRUE(input::KeyDown(*form_, 'C', shift::kAlt));
  EXPECT_TRUE(combo.HasFocus());
}

TEST_F(StandardControlsTest, APictureListDrawsByKeyLeavingOutItsMaskColour) {
  auto& list = form_->Add<ImageList>("iml");
  const OleColor mask = Rgb(192, 192, 192);
  const OleColor tick = Rgb(0, 128, 0);
  // A 2 x 1 picture: a tick pixel and a mask pixel.
  auto picture = *StdPicture::FromPixels(2, 1, {tick, mask});
  ASSERT_TRUE(list.Add(picture, "finished"));
  EXPECT_EQ(list.Add(picture, "finished").error().code, ui_error::kKeyNotUnique);
  ASSERT_TRUE(list.Add(picture, "active", 1));
  EXPECT_EQ(list.Find("finished")->Index(), 2);
  auto by_key = list.Images()->Get(automation::kDispIdValue, {"active"});
  ASSERT_TRUE(by_key);
  EXPECT_EQ(by_key->AsObject()->Get("Index")->ToI4().value(), 1);

  const OleColor white = Rgb(255, 255, 255);
  struct Case {
    bool transparent;
    bool use_mask;
    std::vector<OleColor> pixels;  // of the 3 x 1 target after drawing at x = 1
  };
  const Case cases[] = {
      {false, true, {white, tick, mask}},
      {true, true, {white, tick, white}},
      {true, false, {white, white, mask}},  // the top-left pixel is the mask then
  };
  for (const Case& c : cases) {
    auto target = StdPicture::CreateBitmap(3, 1, white);
    list.SetUseMaskColor(c.use_mask);
    list.Draw(*list.Find("finished"), *target, 1, 0, c.transparent);
    EXPECT_EQ(target->Pixels(), c.pixels) << c.transparent << c.use_mask;
  }
  // Onto a user control's drawing, which a renderer replays.
  Canvas canvas;
  list.SetUseMaskColor(true);
  list.Draw(*list.Find("finished"), canvas, 30, 45, /*transparent=*/true);
  ASSERT_EQ(canvas.Commands().size(), 1u);
  EXPECT_EQ(std::get<Canvas::Picture>(canvas.Commands()[0]),
            (Canvas::Picture{picture, Rect{30, 45, 0, 0}, mask}));
}

}  // namespace
}  // namespace feriant::ui
