#include "platform/ui/core/form.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::ProbeControl;
using testing::UiTest;

class FormTest : public UiTest {
 protected:
  // A form of client size 9465 x 7965 with `count` probes placed as new instances.
  std::shared_ptr<Form> MakeForm() {
    auto form = std::make_shared<Form>("frmTest");
    EXPECT_TRUE(form->SetClientSize(9465, 7965));
    EXPECT_TRUE(form->Load());
    return form;
  }
  ProbeControl& Place(Form& form, const std::string& name, int align, int height,
                      int held_height = 0) {
    auto probe = std::make_shared<ProbeControl>();
    probe->init_align = align;
    probe->held_height = held_height;
    EXPECT_TRUE(probe->SetHeight(height));
    auto extender = form.AddUserControl(probe, name);
    EXPECT_TRUE(extender.ok());
    return *probe;
  }
};

TEST_F(FormTest, DocksAlignedControlsAndRedocksOnResize) {
  auto form = MakeForm();
  ProbeControl& top = Place(*form, "wto", align::kTop, 915);
  ProbeControl& bottom = Place(*form, "btl", align::kBottom, 600, /*held_height=*/795);
  ProbeControl& free = Place(*form, "free", align::kNone, 500);
  ASSERT_TRUE(free.Site()->Move(100, 2000, 1500, 500));

  struct Expect {
    int width, height;
    Rect top, bottom;
  };
  const Expect steps[] = {
      {9465, 7965, {0, 0, 9465, 915}, {0, 7170, 9465, 795}},
      {6000, 5000, {0, 0, 6000, 915}, {0, 4205, 6000, 795}},
      {6000, 9000, {0, 0, 6000, 915}, {0, 8205, 6000, 795}},
      {0, 0, {0, 0, 0, 915}, {0, -795, 0, 795}},
  };
  int previous_width = form->ScaleWidth();
  for (const Expect& step : steps) {
    top.log.clear();
    ASSERT_TRUE(input::ResizeClient(*form, step.width, step.height));
    EXPECT_EQ(top.Site()->Bounds(), step.top) << step.width << "x" << step.height;
    EXPECT_EQ(bottom.Site()->Bounds(), step.bottom) << step.width << "x" << step.height;
    EXPECT_EQ(free.Site()->Bounds(), (Rect{100, 2000, 1500, 500}));
    // The docked control hears its new width; a change of height alone moves, not resizes.
    const std::vector<std::string> expected =
        step.width != previous_width
            ? std::vector<std::string>{"resize " + std::to_string(step.width) + "x915"}
            : std::vector<std::string>{};
    EXPECT_EQ(top.log, expected) << step.width << "x" << step.height;
    previous_width = step.width;
  }
  // The bar that holds its own height got one resize per change and settled at 795.
  EXPECT_EQ(bottom.Height(), 795);
}

TEST_F(FormTest, ResizeEventsFollowDockingAndSizeChangesOnly) {
  auto form = MakeForm();
  ProbeControl& top = Place(*form, "wto", align::kNone, 915);
  top.log.clear();
  ASSERT_TRUE(top.Site()->SetAlign(align::kTop));
  EXPECT_EQ(top.log, (std::vector<std::string>{"resize 9465x915"}));
  top.log.clear();
  ASSERT_TRUE(input::ResizeClient(*form, 9465, 5000));  // height only: no resize
  EXPECT_TRUE(top.log.empty());
  ASSERT_TRUE(top.SetHeight(1200));  // the control's own height stays docked at the top
  EXPECT_EQ(top.Site()->Bounds(), (Rect{0, 0, 9465, 1200}));
  EXPECT_EQ(top.log, (std::vector<std::string>{"resize 9465x1200"}));
  EXPECT_FALSE(top.Site()->SetAlign(5));
  EXPECT_FALSE(top.Site()->SetAlign(-1));
  EXPECT_EQ(top.Site()->Align(), align::kTop);
}

TEST_F(FormTest, DockedControlsStackAndHiddenOnesGiveWay) {
  auto form = MakeForm();
  ProbeControl& first = Place(*form, "first", align::kTop, 300);
  ProbeControl& second = Place(*form, "second", align::kTop, 400);
  ProbeControl& left = Place(*form, "left", align::kLeft, 100);
  ASSERT_TRUE(left.SetWidth(1000));
  EXPECT_EQ(second.Site()->Top(), 300);
  EXPECT_EQ(left.Site()->Bounds(), (Rect{0, 700, 1000, 7265}));
  first.Site()->SetVisible(false);
  EXPECT_EQ(second.Site()->Top(), 0);
  EXPECT_EQ(left.Site()->Bounds(), (Rect{0, 400, 1000, 7565}));
  // A removed control's place goes to the others as well.
  ASSERT_TRUE(form->Remove(*second.Site()).ok());
  EXPECT_EQ(left.Site()->Bounds(), (Rect{0, 0, 1000, 7965}));
}

TEST_F(FormTest, QueryUnloadAndUnloadMayCancel) {
  struct Case {
    bool cancel_query;
    bool cancel_unload;
    bool unloaded;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {false, false, true, {"query 0", "unload", "hide", "terminate"}},
      {true, false, false, {"query 0"}},
      {false, true, false, {"query 0", "unload"}},
  };
  for (const Case& c : cases) {
    auto form = MakeForm();
    ProbeControl& probe = Place(*form, "probe", align::kNone, 500);
    ASSERT_TRUE(form->Show());
    std::vector<std::string> events;
    form->QueryUnloadEvent().Connect([&](bool& cancel, UnloadMode mode) {
      events.push_back("query " + std::to_string(static_cast<int>(mode)));
      cancel = c.cancel_query;
    });
    form->UnloadEvent().Connect([&](bool& cancel) {
      events.push_back("unload");
      cancel = c.cancel_unload;
    });
    probe.log.clear();
    auto closed = input::CloseBox(*form);
    ASSERT_TRUE(closed.ok());
    EXPECT_EQ(*closed, c.unloaded);
    for (const std::string& entry : probe.log)
      events.push_back(entry);
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(form->IsLoaded(), !c.unloaded);
    EXPECT_EQ(form->Visible(), !c.unloaded);
    EXPECT_EQ(form->Controls().empty(), c.unloaded);
  }
}

TEST_F(FormTest, UnloadFromItsOwnHandlerIsRefused) {
  auto form = MakeForm();
  Result<bool> inner = true;
  form->QueryUnloadEvent().Connect([&](bool&, UnloadMode) { inner = form->Unload(); });
  auto outer = form->Unload();
  ASSERT_TRUE(outer.ok());
  EXPECT_TRUE(*outer);
  ASSERT_FALSE(inner.ok());
  EXPECT_EQ(inner.error().code, ui_error::kUnableToUnload);
  // Unloading an unloaded form is no error.
  EXPECT_TRUE(*form->Unload());
}

TEST_F(FormTest, AControlMayUnloadItsFormFromItsOwnEvent) {
  auto form = MakeForm();
  auto probe = std::make_shared<ProbeControl>();
  auto extender = form->AddUserControl(probe, "btl");
  ASSERT_TRUE(extender.ok());
  auto sink = std::make_shared<automation::EventSink>();
  bool cancel_next = true;
  sink->On("Fired", 1, [&](std::span<automation::Variant> args) { args[0] = cancel_next; });
  probe->Events().Advise(sink);
  ASSERT_TRUE(form->Show());

  // Late-bound through the extender, as form code calls it; the first press is vetoed.
  ASSERT_TRUE((*extender)->Call("Fire").ok());
  EXPECT_TRUE(form->IsLoaded());
  cancel_next = false;
  probe.reset();  // only the form holds the control now
  std::shared_ptr<automation::Dispatch> through = form->Find("btl")->weak_from_this().lock();
  ASSERT_TRUE(through->Call("Fire").ok());
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_EQ(form->Find("btl"), nullptr);
}

TEST_F(FormTest, AButtonOfAUserControlMayReleaseTheWholeFormFromItsClick) {
  auto form = MakeForm();
  auto probe = std::make_shared<ProbeControl>();
  ASSERT_TRUE(form->AddUserControl(probe, "btl").ok());
  CommandButton& button = probe->Add<CommandButton>("cmdCancel");
  ProbeControl* raw = probe.get();
  std::weak_ptr<ProbeControl> weak_probe = probe;
  std::weak_ptr<Form> weak_form = form;
  probe.reset();
  // The container lets go of its form from the click; a later handler of the same click
  // still works on the control.
  button.Click().Connect([&] {
    ASSERT_TRUE(*form->Unload());
    form.reset();
  });
  int second = 0;
  button.Click().Connect([raw, &second] {
    raw->log.push_back("second handler");
    ++second;
  });
  ASSERT_TRUE(weak_form.lock()->Show());
  ASSERT_TRUE(input::Click(button));
  EXPECT_EQ(second, 1);
  EXPECT_TRUE(weak_form.expired());
  EXPECT_TRUE(weak_probe.expired());
}

TEST_F(FormTest, EnterAndEscapeReachTheDefaultAndCancelControls) {
  auto form = MakeForm();
  auto& ok = form->Add<CommandButton>("cmdOK");
  auto& cancel = form->Add<CommandButton>("cmdCancel");
  auto& other = form->Add<CommandButton>("cmdOther");
  auto& text = form->Add<TextBox>("txtName");
  std::vector<std::string> clicks;
  ok.Click().Connect([&] { clicks.push_back("ok"); });
  cancel.Click().Connect([&] { clicks.push_back("cancel"); });
  other.Click().Connect([&] { clicks.push_back("other"); });
  ok.SetDefault(true);
  cancel.SetCancel(true);
  ASSERT_TRUE(form->Show());

  struct Case {
    const char* what;
    std::function<void()> setup;
    int key;
    std::vector<std::string> clicks;
  };
  const Case cases[] = {
      {"enter in a text box", [&] { ASSERT_TRUE(text.SetFocus()); }, key::kReturn, {"ok"}},
      {"escape", [] {}, key::kEscape, {"cancel"}},
      {"enter on a focused button",
       [&] { ASSERT_TRUE(other.SetFocus()); },
       key::kReturn,
       {"other"}},
      {"disabled default",
       [&] {
         ASSERT_TRUE(text.SetFocus());
         ok.SetEnabled(false);
       },
       key::kReturn,
       {}},
      {"hidden cancel", [&] { cancel.SetVisible(false); }, key::kEscape, {}},
      {"another key", [&] { ok.SetEnabled(true); }, 65, {}},
  };
  for (const Case& c : cases) {
    c.setup();
    clicks.clear();
    ASSERT_TRUE(input::KeyDown(*form, c.key));
    EXPECT_EQ(clicks, c.clicks) << c.what;
  }
}

TEST_F(FormTest, DefaultAndCancelAreExclusiveAndReachUserControls) {
  auto form = MakeForm();
  auto& button = form->Add<CommandButton>("cmdOK");
  button.SetDefault(true);
  auto probe = std::make_shared<ProbeControl>();
  Extender* bar = *form->AddUserControl(probe, "btl");
  auto& inner_ok = probe->Add<CommandButton>("cmdInnerOK");
  inner_ok.SetDefault(true);
  int inner_clicks = 0;
  inner_ok.Click().Connect([&] { ++inner_clicks; });

  ASSERT_TRUE(bar->Put("Default", true));
  EXPECT_FALSE(button.Default());   // one default per form
  EXPECT_TRUE(inner_ok.Default());  // the control's own buttons are another surface
  ASSERT_TRUE(form->Show());
  form->KeyDown(key::kReturn);
  EXPECT_EQ(inner_clicks, 1);
  // With KeyPreview the form's handler sees the key first and may swallow it.
  form->SetKeyPreview(true);
  form->KeyDownEvent().Connect([](int& key_code, int) { key_code = 0; });
  form->KeyDown(key::kReturn);
  EXPECT_EQ(inner_clicks, 1);
}

TEST_F(FormTest, ShowRaisesLoadResizeAndShowsUserControls) {
  auto form = std::make_shared<Form>("frmTest");
  std::vector<std::string> events;
  form->LoadEvent().Connect([&] { events.push_back("load"); });
  form->ResizeEvent().Connect([&] { events.push_back("resize"); });
  std::vector<std::string> modal_seen;
  backend().SetModalHandler([&](Form& shown) {
    modal_seen.push_back(shown.Name() + (shown.Visible() ? " visible" : " hidden"));
    ASSERT_TRUE(*shown.Unload());
  });
  ASSERT_TRUE(form->Show(/*modal=*/true));
  EXPECT_EQ(events, (std::vector<std::string>{"load", "resize"}));
  EXPECT_EQ(modal_seen, (std::vector<std::string>{"frmTest visible"}));
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(form->IsModal());

  // Shown again: loaded again; a modal show of a visible form is refused.
  backend().SetModalHandler(nullptr);
  ASSERT_TRUE(form->Show());
  auto again = form->Show(true);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.error().code, ui_error::kAlreadyShownModally);

  auto probe = std::make_shared<ProbeControl>();
  ASSERT_TRUE(form->AddUserControl(probe, "late").ok());
  EXPECT_EQ(probe->log, (std::vector<std::string>{"init", "resize 3000x600", "show", "paint"}));
  probe->log.clear();
  form->Hide();
  probe->Refresh();  // not on screen: no paint
  ASSERT_TRUE(form->Show());
  EXPECT_EQ(probe->log, (std::vector<std::string>{"hide", "show", "paint"}));
}

TEST_F(FormTest, SizesAreKeptAsSetAndNegativeOnesRefused) {
  Form form("frmTest");
  ASSERT_TRUE(form.SetClientSize(9465, 7965));
  EXPECT_EQ(form.Width(), 9465 + 120);
  EXPECT_EQ(form.Height(), 7965 + 405);
  ASSERT_TRUE(form.SetBorderStyle(3));
  EXPECT_EQ(form.ScaleWidth(), 9465);
  EXPECT_EQ(form.Width(), 9465 + 90);
  ASSERT_TRUE(form.SetWidth(5090));
  EXPECT_EQ(form.ScaleWidth(), 5000);
  EXPECT_FALSE(form.SetClientSize(-1, 10));
  EXPECT_FALSE(form.SetBorderStyle(6));
  EXPECT_EQ(form.ScaleWidth(), 5000);
  auto& label = form.Add<Label>("lbl");
  EXPECT_FALSE(label.SetWidth(-15));
  EXPECT_TRUE(label.Move(-30, -45, 0, 0));  // positions may be negative
  EXPECT_EQ(label.Bounds(), (Rect{-30, -45, 0, 0}));
}

TEST_F(FormTest, LateBoundFormMembers) {
  auto form = MakeForm();
  ASSERT_TRUE(form->Put("Caption", "Feiertage"));
  EXPECT_EQ(form->Caption(), "Feiertage");
  EXPECT_EQ(*form->Get("ScaleWidth"), automation::Variant(std::int32_t{9465}));
  auto& button = form->Add<CommandButton>("cmdOK");
  auto by_name = form->Get("Controls", {automation::Variant("CMDOK")});
  ASSERT_TRUE(by_name.ok());
  EXPECT_EQ(by_name->AsObject().get(), &button);
  EXPECT_EQ(form->Get("Controls", {automation::Variant(std::int32_t{0})})->AsObject().get(),
            &button);
  EXPECT_FALSE(form->Get("Controls", {automation::Variant("none")}).ok());
  EXPECT_FALSE(form->Get("Controls", {automation::Variant(std::int32_t{1})}).ok());
  ASSERT_TRUE(form->Call("Show").ok());
  EXPECT_TRUE(form->Visible());
  ASSERT_TRUE(form->Call("Unload").ok());
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(FormTest, FormControlsMayBePlacedInsideContainers) {
  auto form = MakeForm();
  auto bar = std::make_shared<ProbeControl>();
  Extender* btl = *form->AddUserControl(bar, "btl");
  auto plain = std::make_shared<ProbeControl>();
  Extender* other = *form->AddUserControl(plain, "other");
  Label& url = form->Add<Label>("lblURL");
  Label& copyright = form->Add<Label>("lblCopyright");
  PictureBox& frame = form->Add<PictureBox>("picFrame");
  CommandButton& inner = form->Add<CommandButton>("cmdInner");

  EXPECT_FALSE(url.SetContainer(btl).ok());  // the bar does not accept children yet
  EXPECT_FALSE(url.SetContainer(other).ok());
  bar->AcceptChildren();
  ASSERT_TRUE(url.SetContainer(btl));
  ASSERT_TRUE(copyright.SetContainer(btl));
  ASSERT_TRUE(inner.SetContainer(&frame));
  EXPECT_FALSE(frame.SetContainer(&frame).ok());
  ASSERT_TRUE(frame.SetContainer(btl));
  EXPECT_FALSE(frame.SetContainer(&inner).ok());  // would hold itself
  Form elsewhere("frmOther");
  Label& foreign = elsewhere.Add<Label>("lbl");
  EXPECT_FALSE(foreign.SetContainer(btl).ok());

  // The form's Controls list them, their visibility follows the container's.
  EXPECT_EQ(form->Find("lblURL"), &url);
  EXPECT_EQ(url.ParentForm(), form.get());
  ASSERT_TRUE(form->Show());
  EXPECT_TRUE(url.IsShown());
  btl->SetVisible(false);
  EXPECT_FALSE(url.IsShown());
  EXPECT_FALSE(inner.IsShown());
  EXPECT_TRUE(url.Visible());  // its own flag is unchanged

  // Removing a container removes what it holds, depth first.
  backend().RecordNotifications(true);
  ASSERT_TRUE(form->Remove(*btl));
  EXPECT_EQ(backend().Notifications(),
            (std::vector<std::string>{"removed frmTest.lblURL", "removed frmTest.lblCopyright",
                                      "removed frmTest.cmdInner", "removed frmTest.picFrame",
                                      "removed frmTest.btl"}));
  EXPECT_EQ(form->Controls().size(), 1u);
  EXPECT_EQ(bar->log.back(), "terminate");
}

TEST_F(FormTest, TabIndexesStayDenseWhenMoved) {
  Form form("frmTest");
  auto& a = form.Add<TextBox>("a");
  auto& b = form.Add<TextBox>("b");
  auto& c = form.Add<TextBox>("c");
  ASSERT_TRUE(c.SetTabIndex(0));
  EXPECT_EQ((std::vector<int>{a.TabIndex(), b.TabIndex(), c.TabIndex()}),
            (std::vector<int>{1, 2, 0}));
  ASSERT_TRUE(a.SetTabIndex(99));
  EXPECT_EQ((std::vector<int>{a.TabIndex(), b.TabIndex(), c.TabIndex()}),
            (std::vector<int>{2, 1, 0}));
  ASSERT_TRUE(form.Remove(c));
  EXPECT_EQ((std::vector<int>{a.TabIndex(), b.TabIndex()}), (std::vector<int>{1, 0}));
  EXPECT_FALSE(a.SetTabIndex(-1));
  EXPECT_THROW(form.Add<TextBox>("A"), std::invalid_argument);  // names ignore case
}

}  // namespace
}  // namespace feriant::ui
