#include "controls/BottomLine/bottom_line.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/BottomLine/logo_blend.h"
#include "controls/support/identities.h"
#include "controls/support/logo.h"
#include "platform/automation/events.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/input.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Currency;
using automation::DispId;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;
using Button = BottomLine::Button;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr Button kAll[] = {Button::kOK,   Button::kCancel, Button::kApply,
                           Button::kNext, Button::kBack,   Button::kHelp};

const char* NameOf(Button b) {
  static const char* const kNames[] = {"OK", "Cancel", "Apply", "Next", "Back", "Help"};
  return kNames[static_cast<int>(b)];
}

bool IsTrue(const Variant& v) {
  return v.ToBool().value_or(false);
}

// A form's event procedures for the bar: logs each event and sets Cancel in those named.
// Event ids as __BottomLine declares them.
class Handlers {
 public:
  Handlers() {
    sink_->On("cmdOKClick", 1, [this](std::span<Variant> a) { Log("OK", a); })
        .On("cmdCancelClick", 2, [this](std::span<Variant> a) { Log("Cancel", a); })
        .On("cmdApplyClick", 3,
            [this](std::span<Variant> a) {
              Log(a.size() == 2 && IsTrue(a[1]) ? "Apply by OK" : "Apply", a);
            })
        .On("cmdNextClick", 4, [this](std::span<Variant> a) { Log("Next", a); })
        .On("cmdBackClick", 5, [this](std::span<Variant> a) { Log("Back", a); })
        .On("cmdHelpClick", 6, [this](std::span<Variant> a) { Log("Help", a); });
  }
  void Connect(BottomLine& bar) {
    automation::EventSource* source = bar.FindConnectionPoint(bottom_line::kEventInterfaceId);
    ASSERT_NE(source, nullptr);
    source->Advise(sink_);
  }

  std::vector<std::string> log;
  std::set<std::string> cancel_in;

 private:
  void Log(const std::string& what, std::span<Variant> args) {
    log.push_back(what + (args.empty() ? "" : IsTrue(args[0]) ? " (cancel in)" : ""));
    if (cancel_in.count(what) != 0 && !args.empty()) args[0] = Variant(true);
  }
  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
};

class BottomLineTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(6000, 3000));
    ASSERT_TRUE(form_->Load());
    bar_ = std::make_shared<BottomLine>();
    auto placed = form_->AddUserControl(bar_, "btl");
    ASSERT_TRUE(placed.ok());
    site_ = *placed;
    handlers_.Connect(*bar_);
  }

  ui::CommandButton& Cmd(Button b) {
    return *bar_->FindAs<ui::CommandButton>(std::string("cmd") + NameOf(b));
  }
  ui::Line& Line(BottomLine& bar, const char* name) { return *bar.FindAs<ui::Line>(name); }
  void ShowOnly(std::set<Button> shown) {
    for (Button b : kAll)
      bar_->SetButtonVisible(b, shown.count(b) != 0);
  }
  std::shared_ptr<BottomLine> Restore(ui::PropertyBag& bag) {
    auto bar = std::make_shared<BottomLine>();
    EXPECT_TRUE(form_->SiteUserControl(bar, "btl" + std::to_string(++restored_)).ok());
    EXPECT_TRUE(bar->Load(bag).ok());
    return bar;
  }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<BottomLine> bar_;
  ui::Extender* site_ = nullptr;
  Handlers handlers_;
  int restored_ = 0;
};

TEST_F(BottomLineTest, InterfaceSlotsAreInTheirFixedOrder) {
  std::vector<std::pair<std::string, InvokeKind>> expected = {
      {"AutoOKCancelApply", InvokeKind::kPropertyPut},
      {"AutoOKCancelApply", InvokeKind::kPropertyGet}};
  auto triple = [&](const std::string& button) {
    for (const char* property : {"Visible", "Enabled", "Caption"}) {
      expected.emplace_back("cmd" + button + property, InvokeKind::kPropertyPut);
      expected.emplace_back("cmd" + button + property, InvokeKind::kPropertyGet);
    }
  };
  for (const char* button : {"OK", "Cancel", "Apply", "Next", "Back"})
    triple(button);
  for (const char* button : {"Apply", "Back", "Cancel", "Next", "OK"})
    expected.emplace_back(std::string("Simulate") + button + "Click", InvokeKind::kMethod);
  triple("Help");
  expected.emplace_back("SimulateHelpClick", InvokeKind::kMethod);
  expected.emplace_back("Font", InvokeKind::kPropertyGet);
  expected.emplace_back("Font", InvokeKind::kPropertyPutRef);
  for (const char* button : {"OK", "Cancel", "Help", "Back", "Next", "Apply"})
    expected.emplace_back(std::string("SetFocus") + button, InvokeKind::kMethod);

  const auto& slots = BottomLine::Interface().Slots();
  ASSERT_EQ(slots.size(), expected.size());
  std::map<std::string, DispId> ids;
  for (size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(slots[i].name, expected[i].first) << i;
    EXPECT_EQ(slots[i].kind, expected[i].second) << i;
    // One id per member name, and no two names share one.
    auto [it, added] = ids.emplace(slots[i].name, slots[i].id);
    if (!added) {
      EXPECT_EQ(it->second, slots[i].id) << slots[i].name;
    }
  }
  std::set<DispId> distinct;
  for (const auto& [name, id] : ids)
    distinct.insert(id);
  EXPECT_EQ(distinct.size(), ids.size());
}

TEST_F(BottomLineTest, NewInstanceIsDockedAtTheBottomWithItsDefaults) {
  EXPECT_EQ(site_->Align(), ui::align::kBottom);
  EXPECT_TRUE(site_->Default());
  EXPECT_TRUE(site_->Cancel());
  EXPECT_EQ(site_->Bounds(), (ui::Rect{0, 3000 - 795, 6000, 795}));
  EXPECT_TRUE(bar_->AutoOKCancelApply());
  EXPECT_TRUE(bar_->ControlContainer());

  struct Expected {
    Button button;
    bool visible;
    const char* caption;
    int tab_index;
    int left;  // laid out on 6000: Apply 120 from the edge, then OK and Cancel
  };
  const Expected expected[] = {
      {Button::kOK, true, "OK", 0, 2410},       {Button::kCancel, true, "Cancel", 1, 3535},
      {Button::kApply, true, "Apply", 2, 4755}, {Button::kBack, false, "Back", 3, -1},
      {Button::kNext, false, "Next", 4, -1},    {Button::kHelp, false, "Help", 5, -1},
  };
  for (const Expected& e : expected) {
    const ui::CommandButton& cmd = Cmd(e.button);
    EXPECT_EQ(bar_->VisibilityFlag(e.button), e.visible) << NameOf(e.button);
    EXPECT_EQ(cmd.Visible(), e.visible) << NameOf(e.button);
    EXPECT_TRUE(cmd.Enabled()) << NameOf(e.button);
    EXPECT_EQ(cmd.Caption(), e.caption) << NameOf(e.button);
    EXPECT_EQ(cmd.TabIndex(), e.tab_index) << NameOf(e.button);
    EXPECT_EQ(cmd.Top(), 300) << NameOf(e.button);
    EXPECT_EQ(cmd.Height(), 345) << NameOf(e.button);
    EXPECT_EQ(cmd.Width(), 1125) << NameOf(e.button);
    if (e.left >= 0) {
      EXPECT_EQ(cmd.Left(), e.left) << NameOf(e.button);
    }
  }
  EXPECT_TRUE(Cmd(Button::kOK).Default());
  EXPECT_TRUE(Cmd(Button::kCancel).Cancel());
  EXPECT_FALSE(bar_->FindAs<ui::PictureBox>("imgLogoTrans")->Visible());
  EXPECT_EQ(bar_->FindAs<ui::PictureBox>("imgLogo")->Picture()->PixelWidth(), 146);
  EXPECT_EQ(bar_->FindAs<ui::PictureBox>("imgLogo")->Picture()->PixelHeight(), 14);
}

TEST_F(BottomLineTest, LaysOutTheVisibleButtonsFromTheRightEdge) {
  struct Case {
    int width;
    std::set<Button> shown;
    std::map<Button, int> lefts;
  };
  const Case cases[] = {
      {6000, {Button::kOK, Button::kCancel}, {{Button::kCancel, 4755}, {Button::kOK, 3630}}},
      {6000,
       {Button::kOK, Button::kCancel, Button::kApply},
       {{Button::kApply, 4755}, {Button::kCancel, 3535}, {Button::kOK, 2410}}},
      {8000,
       {Button::kOK, Button::kCancel, Button::kApply, Button::kNext, Button::kBack, Button::kHelp},
       {{Button::kApply, 6755},
        {Button::kCancel, 5535},
        {Button::kOK, 4410},
        {Button::kNext, 3190},
        {Button::kBack, 2065},
        {Button::kHelp, 845}}},
      {8000, {Button::kHelp}, {{Button::kHelp, 6755}}},
      {8000, {Button::kNext, Button::kBack}, {{Button::kNext, 6755}, {Button::kBack, 5630}}},
      {8000, {Button::kApply, Button::kHelp}, {{Button::kApply, 6755}, {Button::kHelp, 5535}}},
      {8000, {Button::kOK, Button::kBack}, {{Button::kOK, 6755}, {Button::kBack, 5535}}},
      {7305, {Button::kCancel, Button::kHelp}, {{Button::kCancel, 6060}, {Button::kHelp, 4840}}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(form_->SetClientSize(c.width, 3000));
    ShowOnly(c.shown);
    for (const auto& [button, left] : c.lefts) {
      EXPECT_EQ(Cmd(button).Left(), left) << NameOf(button) << " on " << c.width;
      EXPECT_TRUE(Cmd(button).Visible());
    }
  }
  // Hiding Apply moves OK and Cancel right by Apply's width and the gap.
  ASSERT_TRUE(form_->SetClientSize(6000, 3000));
  ShowOnly({Button::kOK, Button::kCancel, Button::kApply});
  const int ok = Cmd(Button::kOK).Left();
  const int cancel = Cmd(Button::kCancel).Left();
  ASSERT_TRUE(site_->Put("cmdApplyVisible", false));
  EXPECT_EQ(Cmd(Button::kOK).Left(), ok + 1125 + 95);
  EXPECT_EQ(Cmd(Button::kCancel).Left(), cancel + 1125 + 95);
}

TEST_F(BottomLineTest, CaptionPutFitsTheWidthInTheBarsOwnFont) {
  // The buttons' font changes nothing: the bar measures in its own MS Sans Serif.
  ui::FontDesc big;
  big.name = "Arial";
  big.size = Currency::FromDouble(20);
  ASSERT_TRUE(site_->PutRef("Font", Variant(ObjectRef(ui::StdFont::Create(big)))));
  struct Case {
    std::string caption;
    int measured;  // 0: the headless metrics (75 twips a character)
    int width;
  };
  const Case cases[] = {
      {"Wide", 976, 1126}, {"Exact", 975, 1125},      {"Wider", 1500, 1650},
      {"", 0, 1125},       {"&Organize...", 0, 1125}, {"Fourteen chars", 0, 1200},  // 1050 measured
  };
  for (const Case& c : cases) {
    if (c.measured > 0) backend().SetTextWidth(c.caption, c.measured, "MS Sans Serif");
    ASSERT_TRUE(site_->Put("cmdCancelCaption", c.caption)) << c.caption;
    EXPECT_EQ(*site_->Get("cmdCancelCaption"), Variant(c.caption));
    EXPECT_EQ(Cmd(Button::kCancel).Width(), c.width) << c.caption;
    // Laid out again: Cancel right of OK, 95 left of Apply.
    EXPECT_EQ(Cmd(Button::kCancel).Left(), 6000 - 120 - 1125 - 95 - c.width) << c.caption;
    EXPECT_EQ(Cmd(Button::kOK).Left(), Cmd(Button::kCancel).Left() - 1125) << c.caption;
  }
  // Font put itself neither refits nor lays out.
  const int width = Cmd(Button::kCancel).Width();
  ASSERT_TRUE(site_->PutRef("Font", Variant(ObjectRef(ui::StdFont::Create()))));
  EXPECT_EQ(Cmd(Button::kCancel).Width(), width);
}

TEST_F(BottomLineTest, HeightIsHeldAt795) {
  for (int height : {0, 100, 794, 796, 2000}) {
    ASSERT_TRUE(site_->SetHeight(height)) << height;
    EXPECT_EQ(bar_->Height(), 795) << height;
    EXPECT_EQ(site_->Top(), 3000 - 795) << height;
  }
  // Not docked: the height is held all the same.
  ASSERT_TRUE(site_->SetAlign(ui::align::kNone));
  ASSERT_TRUE(site_->Move(100, 100, 4000, 1500));
  EXPECT_EQ(site_->Bounds(), (ui::Rect{100, 100, 4000, 795}));
  EXPECT_EQ(Cmd(Button::kApply).Left(), 4000 - 120 - 1125);
}

TEST_F(BottomLineTest, SeparatorIsSetUpOnceAtCreationOnePixelApart) {
  for (int pixel : {15, 12, 20}) {
    backend().SetTwipsPerPixel(pixel, pixel);
    BottomLine bar;
    struct Expected {
      const char* line;
      int x1, y1, x2, y2;
    };
    // The long lines start past the logo: 150 + 200 + 2190.
    const Expected expected[] = {
        {"lineGrayLeft", 0, 100, 150, 100},
        {"lineWhiteLeft", 0, 100 + pixel, 150, 100 + pixel},
        {"lineGray", 2540, 100, 10000, 100},
        {"lineWhite", 2540, 100 + pixel, 10000, 100 + pixel},
    };
    for (const Expected& e : expected) {
      const ui::Line& line = Line(bar, e.line);
      EXPECT_EQ(line.X1(), e.x1) << e.line << " at " << pixel;
      EXPECT_EQ(line.Y1(), e.y1) << e.line << " at " << pixel;
      EXPECT_EQ(line.X2(), e.x2) << e.line << " at " << pixel;
      EXPECT_EQ(line.Y2(), e.y2) << e.line << " at " << pixel;
    }
    EXPECT_EQ(Line(bar, "lineGray").BorderColor(), ui::system_color::kGrayText);
    EXPECT_EQ(Line(bar, "lineWhite").BorderColor(), ui::Rgb(255, 255, 255));
  }
  // Placed, the long lines end at the bar's right edge.
  EXPECT_EQ(Line(*bar_, "lineGray").X2(), 6000);
  EXPECT_EQ(Line(*bar_, "lineWhite").X2(), 6000);
  EXPECT_EQ(Line(*bar_, "lineGrayLeft").X2(), 150);
  ASSERT_TRUE(form_->SetClientSize(9000, 3000));
  EXPECT_EQ(Line(*bar_, "lineWhite").X2(), 9000);
}

TEST_F(BottomLineTest, LogoIsBlendedOverTheButtonFaceOnTheFirstPaintOnly) {
  const ui::OleColor face = ui::Rgb(236, 233, 216);
  backend().SetSystemColor(15, face);
  const auto& logo = bar_->FindAs<ui::PictureBox>("imgLogo")->Picture();
  const auto original = MakeLogo();
  const auto mask = MakeLogoMask();
  EXPECT_FALSE(bar_->LogoDone());
  EXPECT_TRUE(logo->SameImage(*original));

  ASSERT_TRUE(form_->Show());
  EXPECT_TRUE(bar_->LogoDone());
  // A pixel inside the first stroke of the L shows the ink, the corner the face, and the
  // pixel left of the stroke the soft edge: a = 0.5625 over RGB(236, 233, 216) of
  // navy RGB(0, 0, 99): red 103.25 rounds to 103, green 101.9375 and blue 150.1875
  // truncate.
  EXPECT_EQ(*logo->Pixel(16, 5), ui::Rgb(0, 0, 99));
  EXPECT_EQ(*logo->Pixel(0, 0), face);
  EXPECT_EQ(*mask->Pixel(15, 5), ui::Rgb(96, 96, 96));
  EXPECT_EQ(*logo->Pixel(15, 5), ui::Rgb(103, 101, 150));
  for (int y = 0; y < kLogoHeight; ++y) {
    for (int x = 0; x < kLogoWidth; ++x) {
      ASSERT_EQ(*logo->Pixel(x, y), BlendPixel(*original->Pixel(x, y), *mask->Pixel(x, y), face))
          << x << "," << y;
    }
  }
  // Later paints leave the blended logo alone, whatever the face colour is now.
  const std::vector<ui::OleColor> blended = logo->Pixels();
  backend().SetSystemColor(15, ui::Rgb(255, 0, 0));
  bar_->Refresh();
  EXPECT_EQ(logo->Pixels(), blended);
}

TEST_F(BottomLineTest, LogoBlendingCoversTheLogoExtentInScreenPixels) {
  // At 20 twips a pixel the logo's 2190 x 210 twips are 109 x 10 pixels.
  backend().SetTwipsPerPixel(20, 20);
  auto bar = std::make_shared<BottomLine>();
  ASSERT_TRUE(form_->AddUserControl(bar, "btl20").ok());
  const auto& logo = bar->FindAs<ui::PictureBox>("imgLogo")->Picture();
  const auto original = logo->Clone();
  ASSERT_TRUE(form_->Show());
  const ui::OleColor face = ui::ResolveColor(ui::system_color::kButtonFace);
  const auto mask = MakeLogoMask();
  for (int y = 0; y < kLogoHeight; ++y) {
    for (int x = 0; x < kLogoWidth; ++x) {
      const ui::OleColor before = *original->Pixel(x, y);
      const ui::OleColor expected =
          x < 109 && y < 10 ? BlendPixel(before, *mask->Pixel(x, y), face) : before;
      ASSERT_EQ(*logo->Pixel(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(BottomLineTest, WritesItsKeysInOrderLeavingDefaultsOut) {
  ui::PropertyBag bag;
  ASSERT_TRUE(bar_->Save(bag).ok());
  const std::vector<std::string> order = {"Apply", "Back", "Cancel", "Help", "Next", "OK"};
  std::vector<std::string> written = {"AutoOKCancelApply"};
  for (const char* property : {"Caption", "Enabled", "Visible"}) {
    for (const std::string& button : order)
      written.push_back("cmd" + button + property);
  }
  const std::vector<std::string> fonts = {"FontName", "FontSize",      "FontItalic",
                                          "FontBold", "FontUnderline", "FontStrikethrough"};
  written.insert(written.end(), fonts.begin(), fonts.end());
  EXPECT_EQ(bag.WriteLog(), written);

  // A new instance stores its visibility flags and its font, nothing else.
  const std::vector<std::pair<std::string, Variant>> stored = {
      {"cmdApplyVisible", true},     {"cmdBackVisible", false},
      {"cmdCancelVisible", true},    {"cmdHelpVisible", false},
      {"cmdNextVisible", false},     {"cmdOKVisible", true},
      {"FontName", "MS Sans Serif"}, {"FontSize", Currency::FromDouble(8.25)},
      {"FontItalic", false},         {"FontBold", false},
      {"FontUnderline", false},      {"FontStrikethrough", false},
  };
  ASSERT_EQ(bag.size(), stored.size());
  for (size_t i = 0; i < stored.size(); ++i) {
    EXPECT_EQ(bag.Entries()[i].key, stored[i].first);
    EXPECT_EQ(bag.Entries()[i].value, stored[i].second) << stored[i].first;
  }

  // The flags are saved even while the bar is not on screen and its buttons are not.
  EXPECT_FALSE(Cmd(Button::kOK).IsShown());
}

TEST_F(BottomLineTest, RoundTripThroughTheStoreRestoresTheSameBar) {
  bar_->SetAutoOKCancelApply(false);
  ShowOnly({Button::kOK, Button::kCancel, Button::kNext});
  backend().SetTextWidth("&Organize...", 1200);
  bar_->SetButtonCaption(Button::kOK, "&Organize...");
  bar_->SetButtonCaption(Button::kCancel, "C&lose");
  bar_->SetButtonEnabled(Button::kCancel, false);
  bar_->SetButtonEnabled(Button::kHelp, false);
  ui::FontDesc desc;
  desc.name = "Arial";
  desc.size = Currency::FromDouble(10);
  desc.bold = true;
  desc.underline = true;
  bar_->CopyFont(ui::StdFont(desc));

  ui::PropertyBag bag;
  ASSERT_TRUE(bar_->Save(bag).ok());
  bag.ClearLogs();
  auto copy = Restore(bag);

  std::vector<std::string> read = {"AutoOKCancelApply"};
  const std::vector<std::string> order = {"Apply", "Back", "Cancel", "Help", "Next", "OK"};
  for (const char* property : {"Visible", "Caption", "Enabled"}) {
    for (const std::string& button : order)
      read.push_back("cmd" + button + property);
  }
  for (const char* font :
       {"FontName", "FontSize", "FontItalic", "FontBold", "FontUnderline", "FontStrikethrough"})
    read.emplace_back(font);
  EXPECT_EQ(bag.ReadLog(), read);

  EXPECT_FALSE(copy->AutoOKCancelApply());
  for (Button b : kAll) {
    EXPECT_EQ(copy->VisibilityFlag(b), bar_->VisibilityFlag(b)) << NameOf(b);
    EXPECT_EQ(copy->ButtonEnabled(b), bar_->ButtonEnabled(b)) << NameOf(b);
    EXPECT_EQ(copy->ButtonCaption(b), bar_->ButtonCaption(b)) << NameOf(b);
    const auto* button = copy->FindAs<ui::CommandButton>(std::string("cmd") + NameOf(b));
    EXPECT_EQ(button->Font()->Desc(), desc) << NameOf(b);
  }
  EXPECT_EQ(copy->ButtonFont()->Desc(), desc);
  EXPECT_FALSE(copy->Site()->Dirty());
}

TEST_F(BottomLineTest, CaptionsFromTheStoreKeepTheirWidthWhileThePropertyRefits) {
  backend().SetTextWidth("Organize", 976);
  ui::PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("cmdOKCaption", "Organize"));
  auto copy = Restore(bag);
  auto& ok = *copy->FindAs<ui::CommandButton>("cmdOK");
  EXPECT_EQ(ok.Caption(), "Organize");
  EXPECT_EQ(ok.Width(), 1125);
  ASSERT_TRUE(copy->Site()->Put("cmdOKCaption", "Organize"));
  EXPECT_EQ(ok.Width(), 1126);

  // Missing keys keep the defaults; missing font keys give the buttons a plain font.
  EXPECT_EQ(copy->ButtonCaption(Button::kApply), "Apply");
  EXPECT_TRUE(copy->ButtonEnabled(Button::kHelp));
  EXPECT_TRUE(copy->AutoOKCancelApply());
  EXPECT_EQ(copy->ButtonFont()->Desc(), ui::FontDesc());
}

TEST_F(BottomLineTest, ReadingSkipsUnusableKeysOneByOne) {
  ui::PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("AutoOKCancelApply", "sometimes"));
  ASSERT_TRUE(bag.WriteProperty("cmdHelpVisible", "perhaps"));
  ASSERT_TRUE(bag.WriteProperty("cmdNextVisible", true));
  ASSERT_TRUE(bag.WriteProperty("cmdBackEnabled", "no idea"));
  ASSERT_TRUE(bag.WriteProperty("cmdOKEnabled", false));
  ASSERT_TRUE(bag.WriteProperty("FontName", "Tahoma"));
  ASSERT_TRUE(bag.WriteProperty("FontSize", "large"));
  ASSERT_TRUE(bag.WriteProperty("FontItalic", true));
  auto copy = Restore(bag);
  EXPECT_FALSE(copy->AutoOKCancelApply());  // as a fresh bar has it
  // A flag left alone agrees with its button, which is visible by design: saving the
  // bar again must not hide it.
  EXPECT_TRUE(copy->VisibilityFlag(Button::kHelp));
  EXPECT_TRUE(copy->FindAs<ui::CommandButton>("cmdHelp")->Visible());
  EXPECT_TRUE(copy->VisibilityFlag(Button::kNext));
  EXPECT_TRUE(copy->ButtonEnabled(Button::kBack));
  EXPECT_FALSE(copy->ButtonEnabled(Button::kOK));
  ui::FontDesc expected;
  expected.name = "Tahoma";
  expected.italic = true;
  EXPECT_EQ(copy->ButtonFont()->Desc(), expected);
}

TEST_F(BottomLineTest, OkAndCancelFollowTheAutomaticProtocol) {
  struct Case {
    const char* what;
    bool auto_on;
    bool apply_enabled;
    bool apply_visible;
    Button pressed;
    std::set<std::string> cancel_in;
    std::vector<std::string> events;
    bool form_loaded_after;
  };
  const Case cases[] = {
      {"OK applies first, even with Apply hidden",
       true,
       true,
       false,
       Button::kOK,
       {},
       {"Apply by OK", "OK"},
       false},
      {"Cancel from Apply stops OK",
       true,
       true,
       false,
       Button::kOK,
       {"Apply by OK"},
       {"Apply by OK"},
       true},
      {"Cancel from OK keeps the form",
       true,
       true,
       true,
       Button::kOK,
       {"OK"},
       {"Apply by OK", "OK"},
       true},
      {"Apply disabled is skipped", true, false, true, Button::kOK, {}, {"OK"}, false},
      {"automatic off: OK only", false, true, true, Button::kOK, {}, {"OK"}, true},
      {"Cancel closes", true, true, true, Button::kCancel, {}, {"Cancel"}, false},
      {"Cancel vetoed", true, true, true, Button::kCancel, {"Cancel"}, {"Cancel"}, true},
      {"Cancel, automatic off", false, true, true, Button::kCancel, {}, {"Cancel"}, true},
      {"Apply alone never closes", true, true, true, Button::kApply, {}, {"Apply"}, true},
      {"Next", true, true, true, Button::kNext, {}, {"Next"}, true},
      {"Back", true, true, true, Button::kBack, {}, {"Back"}, true},
      {"Help", true, true, true, Button::kHelp, {}, {"Help"}, true},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(form_->Show()) << c.what;
    ASSERT_TRUE(site_->Put("AutoOKCancelApply", c.auto_on));
    bar_->SetButtonEnabled(Button::kApply, c.apply_enabled);
    ShowOnly({Button::kOK, Button::kCancel, Button::kNext, Button::kBack, Button::kHelp});
    bar_->SetButtonVisible(Button::kApply, c.apply_visible);
    handlers_.log.clear();
    handlers_.cancel_in = c.cancel_in;
    ASSERT_TRUE(site_->Call(std::string("Simulate") + NameOf(c.pressed) + "Click")) << c.what;
    EXPECT_EQ(handlers_.log, c.events) << c.what;
    EXPECT_EQ(form_->IsLoaded(), c.form_loaded_after) << c.what;
    if (!form_->IsLoaded()) {
      // The form unloaded: place a fresh bar on it for the next case.
      ASSERT_TRUE(form_->Load());
      bar_ = std::make_shared<BottomLine>();
      site_ = *form_->AddUserControl(bar_, "btl");
      handlers_.Connect(*bar_);
    }
  }
}

TEST_F(BottomLineTest, OnlyEnabledButtonsOnScreenAct) {
  ShowOnly(
      {Button::kOK, Button::kCancel, Button::kApply, Button::kNext, Button::kBack, Button::kHelp});
  bar_->SetAutoOKCancelApply(false);
  // Not shown yet: nothing is on screen, nothing acts; the get says so too.
  for (Button b : kAll) {
    bar_->SimulateClick(b);
    EXPECT_EQ(*site_->Get(std::string("cmd") + NameOf(b) + "Visible"), Variant(false));
  }
  EXPECT_TRUE(handlers_.log.empty());

  ASSERT_TRUE(form_->Show());
  for (Button b : kAll) {
    EXPECT_EQ(*site_->Get(std::string("cmd") + NameOf(b) + "Visible"), Variant(true));
    handlers_.log.clear();
    bar_->SetButtonEnabled(b, false);
    bar_->SimulateClick(b);
    EXPECT_TRUE(handlers_.log.empty()) << NameOf(b) << " disabled";
    bar_->SetButtonEnabled(b, true);
    bar_->SetButtonVisible(b, false);
    EXPECT_EQ(*site_->Get(std::string("cmd") + NameOf(b) + "Visible"), Variant(false));
    bar_->SimulateClick(b);
    EXPECT_TRUE(handlers_.log.empty()) << NameOf(b) << " hidden";
    bar_->SetButtonVisible(b, true);
    bar_->SimulateClick(b);
    EXPECT_EQ(handlers_.log.size(), 1u) << NameOf(b);
  }
}

TEST_F(BottomLineTest, ClicksAndKeysReachTheSimulateMethods) {
  ASSERT_TRUE(form_->Show());
  bar_->SetAutoOKCancelApply(false);
  bar_->SetButtonVisible(Button::kHelp, true);
  ASSERT_TRUE(ui::input::Click(Cmd(Button::kHelp)));
  ASSERT_TRUE(ui::input::Click(Cmd(Button::kApply)));
  ASSERT_TRUE(ui::input::KeyDown(*form_, ui::key::kReturn));
  ASSERT_TRUE(ui::input::KeyDown(*form_, ui::key::kEscape));
  EXPECT_THAT(handlers_.log, ElementsAre("Help", "Apply", "OK", "Cancel"));

  // Esc with the automatic protocol closes the dialog.
  bar_->SetAutoOKCancelApply(true);
  ASSERT_TRUE(ui::input::KeyDown(*form_, ui::key::kEscape));
  EXPECT_FALSE(form_->IsLoaded());
}

TEST_F(BottomLineTest, SetFocusPassesThePlatformsErrorOn) {
  ASSERT_TRUE(form_->Show());
  struct Case {
    const char* method;
    Button button;
    bool ok;
  };
  bar_->SetButtonEnabled(Button::kApply, false);
  const Case cases[] = {
      {"SetFocusOK", Button::kOK, true},        {"SetFocusCancel", Button::kCancel, true},
      {"SetFocusHelp", Button::kHelp, false},  // hidden
      {"SetFocusBack", Button::kBack, false},   {"SetFocusNext", Button::kNext, false},
      {"SetFocusApply", Button::kApply, false},  // disabled
  };
  for (const Case& c : cases) {
    auto result = site_->Call(c.method);
    EXPECT_EQ(result.ok(), c.ok) << c.method;
    if (c.ok) {
      EXPECT_TRUE(Cmd(c.button).HasFocus()) << c.method;
    } else {
      EXPECT_EQ(result.error().code, ui::ui_error::kInvalidProcedureCall) << c.method;
    }
  }
}

TEST_F(BottomLineTest, FontGetIsACopyAndFontPutReachesEveryButton) {
  auto copy = ui::FontOf(*site_->Get("Font"));
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Desc(), ui::FontDesc());
  copy->SetBold(true);
  EXPECT_FALSE(Cmd(Button::kApply).Font()->Bold());

  ui::FontDesc desc;
  desc.name = "Tahoma";
  desc.size = Currency::FromDouble(9);
  desc.bold = true;
  desc.italic = true;
  desc.underline = true;
  desc.strikethrough = true;
  site_->ClearChangeLog();
  ASSERT_TRUE(site_->PutRef("Font", Variant(ObjectRef(ui::StdFont::Create(desc)))));
  EXPECT_THAT(site_->ChangeLog(), ElementsAre("Font"));
  for (Button b : kAll)
    EXPECT_EQ(Cmd(b).Font()->Desc(), desc) << NameOf(b);
  EXPECT_EQ(ui::FontOf(*site_->Get("Font"))->Desc(), desc);
  EXPECT_FALSE(site_->PutRef("Font", Variant(ObjectRef())).ok());
}

TEST_F(BottomLineTest, PutsNotifyTheContainer) {
  struct Case {
    const char* member;
    Variant value;
  };
  const Case cases[] = {
      {"AutoOKCancelApply", false}, {"cmdNextVisible", true},     {"cmdBackEnabled", false},
      {"cmdHelpCaption", "?"},      {"cmdApplyCaption", "Apply"},
  };
  ASSERT_TRUE(form_->Show());  // so that the visibility get sees the button on screen
  for (const Case& c : cases) {
    site_->ClearChangeLog();
    ASSERT_TRUE(site_->Put(c.member, c.value)) << c.member;
    EXPECT_THAT(site_->ChangeLog(), ElementsAre("")) << c.member;
    EXPECT_EQ(*site_->Get(c.member), c.value) << c.member;
  }
}

}  // namespace
}  // namespace feriant::lumatrel
