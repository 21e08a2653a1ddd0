#include "controls/WhiteTop/white_top.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/drawing/picture.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Currency;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;
using ::testing::ElementsAre;

// Default headless metrics: 75 twips a character, 195 a line, 15 twips a pixel.
constexpr int kLine = 195;

// Ten characters a word with its blank: eight words fill a line of lblMsg at 6210.
std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += (i == 0 ? "" : " ") + std::string("abcdefghi");
  return text;
}

class WhiteTopTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(7020, 5000));
    ASSERT_TRUE(form_->Load());
    banner_ = Place("wto");
    site_ = banner_->Site();
  }

  std::shared_ptr<WhiteTop> Place(std::string name) {
    auto banner = std::make_shared<WhiteTop>();
    auto placed = form_->AddUserControl(banner, std::move(name));
    EXPECT_TRUE(placed.ok());
    return banner;
  }
  // A banner sited without initialisation, then read from `bag`, as a stored form loads.
  std::shared_ptr<WhiteTop> Restore(ui::PropertyBag& bag, std::string name) {
    auto banner = std::make_shared<WhiteTop>();
    EXPECT_TRUE(form_->SiteUserControl(banner, std::move(name)).ok());
    EXPECT_TRUE(banner->Load(bag).ok());
    return banner;
  }

  ui::Label& Msg(WhiteTop& banner) { return *banner.FindAs<ui::Label>("lblMsg"); }
  ui::Label& Title(WhiteTop& banner) { return *banner.FindAs<ui::Label>("lblTitle"); }
  ui::Image& Icon(WhiteTop& banner) { return *banner.FindAs<ui::Image>("imgIcon"); }
  ui::Line& Line(WhiteTop& banner) { return *banner.FindAs<ui::Line>("lineBottom"); }
  int MsgBottom(WhiteTop& banner) { return Msg(banner).Top() + Msg(banner).Height(); }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<WhiteTop> banner_;
  ui::Extender* site_ = nullptr;
};

TEST_F(WhiteTopTest, InterfaceSlotsAreInTheirFixedOrder) {
  namespace ids = white_top::dispid;
  struct Slot {
    const char* name;
    automation::DispId id;
    InvokeKind kind;
  };
  const Slot expected[] = {
      {"AutoSize", ids::kAutoSize, InvokeKind::kPropertyPut},
      {"AutoSize", ids::kAutoSize, InvokeKind::kPropertyGet},
      {"Title", ids::kTitle, InvokeKind::kPropertyPut},
      {"Title", ids::kTitle, InvokeKind::kPropertyGet},
      {"Msg", ids::kMsg, InvokeKind::kPropertyPut},
      {"Msg", ids::kMsg, InvokeKind::kPropertyGet},
      {"RightIcon", ids::kRightIcon, InvokeKind::kPropertyGet},
      {"RightIcon", ids::kRightIcon, InvokeKind::kPropertyPutRef},
      {"Font", ids::kFont, InvokeKind::kPropertyGet},
      {"Font", ids::kFont, InvokeKind::kPropertyPutRef},
  };
  const auto& slots = WhiteTop::Interface().Slots();
  ASSERT_EQ(slots.size(), std::size(expected));
  for (size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(slots[i].name, expected[i].name) << i;
    EXPECT_EQ(slots[i].id, expected[i].id) << i;
    EXPECT_EQ(slots[i].kind, expected[i].kind) << i;
  }
}

TEST_F(WhiteTopTest, NewInstanceIsDockedAtTheTopWithItsDefaults) {
  EXPECT_EQ(site_->Align(), ui::align::kTop);
  EXPECT_EQ(banner_->Title(), "Title");
  EXPECT_EQ(banner_->Msg(), "Msg");
  EXPECT_TRUE(banner_->AutoSize());
  ASSERT_TRUE(banner_->RightIcon());
  EXPECT_TRUE(banner_->RightIcon()->IsEmpty());
  EXPECT_EQ(banner_->BackColor(), ui::system_color::kWindowBackground);

  // One message line: 375 + 195 + 345.
  EXPECT_EQ(site_->Bounds(), (ui::Rect{0, 0, 7020, 915}));
  EXPECT_EQ(Msg(*banner_).Bounds(), (ui::Rect{660, 375, 7020 - 660 - 150, kLine}));
  EXPECT_EQ(Icon(*banner_).Left(), 7020 - 555 - 240);
  EXPECT_EQ(Title(*banner_).Left(), 330);
  EXPECT_EQ(Title(*banner_).Top(), 150);
  EXPECT_EQ(Title(*banner_).Width(), 5 * 75);  // sized to "Title"
  EXPECT_EQ(Title(*banner_).ForeColor(), ui::Rgb(0, 0, 99));
  EXPECT_EQ(Title(*banner_).BackStyle(), ui::back_style::kOpaque);
  EXPECT_EQ(Msg(*banner_).BackStyle(), ui::back_style::kTransparent);
  EXPECT_TRUE(Title(*banner_).Font()->Bold());
  EXPECT_FALSE(Msg(*banner_).Font()->Bold());

  // The shadow line lies two pixels above the bottom edge, across the whole width.
  const ui::Line& line = Line(*banner_);
  EXPECT_EQ(line.X1(), 0);
  EXPECT_EQ(line.X2(), 7020);
  EXPECT_EQ(line.Y1(), 915 - 30);
  EXPECT_EQ(line.Y2(), 915 - 30);
  EXPECT_EQ(line.BorderColor(), ui::system_color::kButtonShadow);
}

TEST_F(WhiteTopTest, AutoSizeFollowsTheMessageAndTitleNeverMovesTheHeight) {
  struct Step {
    const char* what;
    enum { kMsg, kTitle, kAutoSize } member;
    std::string value;
    int message_lines;  // of lblMsg afterwards
    int banner_height;
  };
  const Step steps[] = {
      {"three lines", Step::kMsg, Words(20), 3, 375 + 3 * kLine + 345},
      {"two lines", Step::kMsg, Words(9), 2, 375 + 2 * kLine + 345},
      {"cleared", Step::kMsg, "", 1, 915},
      {"tall title", Step::kTitle, "One\nTwo\nThree\nFour", 1, 915},
      {"off, then long", Step::kAutoSize, "0", 1, 915},
      {"long while off", Step::kMsg, Words(20), 3, 915},
      {"on again", Step::kAutoSize, "1", 3, 375 + 3 * kLine + 345},
      {"empty title", Step::kTitle, "", 3, 375 + 3 * kLine + 345},
  };
  for (const Step& step : steps) {
    switch (step.member) {
      case Step::kMsg:
        ASSERT_TRUE(site_->Put("Msg", step.value)) << step.what;
        break;
      case Step::kTitle:
        ASSERT_TRUE(site_->Put("Title", step.value)) << step.what;
        break;
      case Step::kAutoSize:
        ASSERT_TRUE(site_->Put("AutoSize", step.value == "1")) << step.what;
        break;
    }
    EXPECT_EQ(Msg(*banner_).Height(), step.message_lines * kLine) << step.what;
    EXPECT_EQ(banner_->Height(), step.banner_height) << step.what;
    if (banner_->AutoSize()) {
      EXPECT_EQ(banner_->Height(), MsgBottom(*banner_) + 345) << step.what;
    }
    EXPECT_EQ(Line(*banner_).Y1(), banner_->Height() - 30) << step.what;
  }
  EXPECT_EQ(*site_->Get("Title"), Variant(""));
}

TEST_F(WhiteTopTest, WithoutAutoSizeTheBannerClipsTheMessageOnResize) {
  ASSERT_TRUE(banner_->SetHeight(1200).ok());  // any height while AutoSize is on: fitted back
  EXPECT_EQ(banner_->Height(), 915);

  banner_->SetAutoSize(false);
  banner_->SetMsg(Words(20));  // three lines, 585 high
  ASSERT_TRUE(banner_->SetHeight(900).ok());
  EXPECT_EQ(banner_->Height(), 900);
  EXPECT_EQ(Msg(*banner_).Height(), 900 - 375 - 150);

  // Room enough: the label keeps the height it has.
  ASSERT_TRUE(banner_->SetHeight(1400).ok());
  EXPECT_EQ(banner_->Height(), 1400);
  EXPECT_EQ(Msg(*banner_).Height(), 900 - 375 - 150);
  // A width change re-flows the label (five lines, 975 high at 3190 wide), and the
  // banner clips it again.
  ASSERT_TRUE(form_->SetClientSize(4000, 5000));
  EXPECT_EQ(Msg(*banner_).Width(), 4000 - 660 - 150);
  EXPECT_EQ(Msg(*banner_).Height(), 1400 - 375 - 150);
  EXPECT_EQ(banner_->Height(), 1400);

  // Too short for any message: the clip would be negative and is skipped.
  ASSERT_TRUE(banner_->SetHeight(300).ok());
  EXPECT_EQ(banner_->Height(), 300);
  EXPECT_EQ(Msg(*banner_).Height(), 1400 - 375 - 150);
  EXPECT_EQ(Line(*banner_).Y1(), 300 - 30);
}

TEST_F(WhiteTopTest, RightIconReservesItsHimetricWidthBesideTheMessage) {
  // 32 x 32 pixels at 15 twips: 480 twips, reported as 847 HIMETRIC.
  auto icon = ui::StdPicture::CreateBitmap(32, 32, ui::Rgb(255, 0, 0));
  ASSERT_EQ(icon->Width(), 847);
  struct Case {
    const char* what;
    std::shared_ptr<ui::StdPicture> picture;
    int message_width;
  };
  const Case cases[] = {
      {"icon", icon, 7020 - 660 - 200 - 847},
      {"empty picture", ui::StdPicture::Empty(), 7020 - 660 - 150},
      {"icon again", icon, 7020 - 660 - 200 - 847},
      {"Nothing", nullptr, 7020 - 660 - 150},
  };
  for (const Case& c : cases) {
    site_->ClearChangeLog();
    ASSERT_TRUE(site_->PutRef("RightIcon", Variant(ObjectRef(c.picture)))) << c.what;
    EXPECT_EQ(Msg(*banner_).Width(), c.message_width) << c.what;
    EXPECT_EQ(banner_->RightIcon(), c.picture) << c.what;
    EXPECT_EQ(Variant(ObjectRef(c.picture)), *site_->Get("RightIcon")) << c.what;
    EXPECT_THAT(site_->ChangeLog(), ElementsAre("RightIcon")) << c.what;
  }
  // The image takes the picture's size and keeps a right margin equal to its top.
  ASSERT_TRUE(site_->PutRef("RightIcon", Variant(ObjectRef(icon))));
  EXPECT_EQ(Icon(*banner_).Picture(), icon);
  EXPECT_EQ(Icon(*banner_).Width(), 480);
  EXPECT_EQ(Icon(*banner_).Left(), 7020 - 480 - 240);
  ASSERT_TRUE(form_->SetClientSize(9000, 5000));
  EXPECT_EQ(Icon(*banner_).Left(), 9000 - 480 - 240);
  EXPECT_EQ(Msg(*banner_).Width(), 9000 - 660 - 200 - 847);

  EXPECT_FALSE(site_->PutRef("RightIcon", Variant(ObjectRef(ui::StdFont::Create()))).ok());
  EXPECT_EQ(banner_->RightIcon(), icon);
}

TEST_F(WhiteTopTest, FontPutCopiesFaceSizeAndItalicKeepingTitleBoldAndMessageRegular) {
  ui::FontDesc desc;
  desc.name = "Arial";
  desc.size = Currency::FromDouble(12);
  desc.bold = true;
  desc.italic = true;
  desc.underline = true;
  desc.strikethrough = true;
  auto given = ui::StdFont::Create(desc);
  ASSERT_TRUE(site_->PutRef("Font", Variant(ObjectRef(given))));
  EXPECT_THAT(site_->ChangeLog(), ::testing::Contains("Font"));

  for (auto [label, bold] : {std::pair{&Msg(*banner_), false}, std::pair{&Title(*banner_), true}}) {
    const ui::StdFont& font = *label->Font();
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), Currency::FromDouble(12));
    EXPECT_TRUE(font.Italic());
    EXPECT_EQ(font.Bold(), bold);
    EXPECT_FALSE(font.Underline());
    EXPECT_FALSE(font.Strikethrough());
    EXPECT_NE(label->Font(), given);  // the given object is not kept
  }
  // Font get is the message's live font: changing it changes the message.
  auto live = ui::FontOf(*site_->Get("Font"));
  ASSERT_TRUE(live);
  EXPECT_EQ(live, Msg(*banner_).Font());
  live->SetUnderline(true);
  EXPECT_TRUE(Msg(*banner_).Font()->Underline());
  ASSERT_TRUE(given->SetName("Courier New"));
  EXPECT_EQ(Msg(*banner_).Font()->Name(), "Arial");

  // A put of the live font itself, made bold, still leaves the message regular.
  live->SetBold(true);
  ASSERT_TRUE(site_->PutRef("Font", Variant(ObjectRef(live))));
  EXPECT_FALSE(Msg(*banner_).Font()->Bold());
  EXPECT_TRUE(Title(*banner_).Font()->Bold());

  EXPECT_FALSE(site_->PutRef("Font", Variant(ObjectRef())).ok());
}

TEST_F(WhiteTopTest, WritesItsKeysInOrderLeavingDefaultsOut) {
  struct Case {
    const char* what;
    std::string title;
    std::string msg;
    bool icon;
    bool auto_size;
    std::vector<std::string> stored;
  };
  const std::vector<std::string> fonts = {"FontName", "FontSize", "FontItalic"};
  auto with_fonts = [&](std::vector<std::string> keys) {
    keys.insert(keys.end(), fonts.begin(), fonts.end());
    return keys;
  };
  const Case cases[] = {
      {"defaults", "Title", "Msg", false, true, with_fonts({})},
      {"all set", "Feriant", "Pick a country.", true, false,
       with_fonts({"Title", "Msg", "Icon", "AutoSize"})},
      {"title only", "Feriant", "Msg", false, true, with_fonts({"Title"})},
  };
  for (const Case& c : cases) {
    auto banner = Place(std::string("wto_") + std::to_string(&c - cases));
    banner->SetTitle(c.title);
    banner->SetMsg(c.msg);
    if (c.icon) banner->SetRightIcon(ui::StdPicture::CreateBitmap(2, 2, ui::Rgb(1, 2, 3)));
    banner->SetAutoSize(c.auto_size);
    ui::PropertyBag bag;
    ASSERT_TRUE(banner->Save(bag).ok()) << c.what;
    EXPECT_EQ(bag.Keys(), c.stored) << c.what;
    EXPECT_THAT(bag.WriteLog(), ElementsAre("Title", "Msg", "Icon", "AutoSize", "FontName",
                                            "FontSize", "FontItalic"))
        << c.what;
    EXPECT_EQ(bag.ReadProperty("FontSize")->type(), automation::VarType::kCurrency) << c.what;
    EXPECT_EQ(*bag.ReadProperty("FontItalic"), Variant(false)) << c.what;
  }
}

TEST_F(WhiteTopTest, RoundTripThroughTheStoreRestoresTheSameBanner) {
  banner_->SetTitle("Feriant");
  banner_->SetMsg(Words(12));
  banner_->SetRightIcon(ui::StdPicture::CreateBitmap(16, 16, ui::Rgb(9, 8, 7)));
  banner_->SetAutoSize(false);
  ui::FontDesc desc;
  desc.name = "Arial";
  desc.size = Currency::FromDouble(10);
  desc.italic = true;
  banner_->CopyFont(ui::StdFont(desc));

  ui::PropertyBag bag;
  ASSERT_TRUE(banner_->Save(bag).ok());
  bag.ClearLogs();
  auto copy = Restore(bag, "wto2");
  EXPECT_THAT(bag.ReadLog(),
              ElementsAre("FontName", "FontSize", "FontItalic", "FontName", "FontSize",
                          "FontItalic", "Title", "Msg", "Icon", "AutoSize"));
  EXPECT_EQ(copy->Title(), "Feriant");
  EXPECT_EQ(copy->Msg(), Words(12));
  EXPECT_FALSE(copy->AutoSize());
  ASSERT_TRUE(copy->RightIcon());
  EXPECT_TRUE(copy->RightIcon()->SameImage(*banner_->RightIcon()));
  EXPECT_EQ(Msg(*copy).Font()->Desc(), Msg(*banner_).Font()->Desc());
  desc.bold = true;
  EXPECT_EQ(Title(*copy).Font()->Desc(), desc);
  EXPECT_FALSE(copy->Site()->Dirty());
}

TEST_F(WhiteTopTest, ReadingSkipsMissingAndUnusableKeysOneByOne) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, Variant>> stored;
    std::string title;
    std::string msg;
    bool auto_size;
    std::string font_name;
    Currency font_size;
    bool italic;
  };
  const Currency design = Currency::FromDouble(8.25);
  const Case cases[] = {
      {"empty store: defaults, design fonts",
       {},
       "Title",
       "Msg",
       true,
       "MS Sans Serif",
       design,
       false},
      {"no font keys",
       {{"Title", "T"}, {"AutoSize", false}},
       "T",
       "Msg",
       false,
       "MS Sans Serif",
       design,
       false},
      // The flag stays as a fresh banner has it: off.
      {"unusable size and flag",
       {{"FontName", "Arial"},
        {"FontSize", "huge"},
        {"FontItalic", true},
        {"AutoSize", "maybe"},
        {"Msg", "M"}},
       "Title",
       "M",
       false,
       "Arial",
       design,
       true},
      {"size out of range",
       {{"FontSize", Currency::FromDouble(5000)}, {"Title", "X"}},
       "X",
       "Msg",
       true,
       "MS Sans Serif",
       design,
       false},
      {"unusable icon",
       {{"Icon", "not a picture"}, {"Msg", "M"}},
       "Title",
       "M",
       true,
       "MS Sans Serif",
       design,
       false},
  };
  for (const Case& c : cases) {
    ui::PropertyBag bag;
    for (const auto& [key, value] : c.stored)
      ASSERT_TRUE(bag.WriteProperty(key, value)) << c.what;
    auto banner = Restore(bag, std::string("wto_") + std::to_string(&c - cases));
    EXPECT_EQ(banner->Title(), c.title) << c.what;
    EXPECT_EQ(banner->Msg(), c.msg) << c.what;
    EXPECT_EQ(banner->AutoSize(), c.auto_size) << c.what;
    for (auto [label, bold] : {std::pair{&Msg(*banner), false}, std::pair{&Title(*banner), true}}) {
      EXPECT_EQ(label->Font()->Name(), c.font_name) << c.what;
      EXPECT_EQ(label->Font()->Size(), c.font_size) << c.what;
      EXPECT_EQ(label->Font()->Italic(), c.italic) << c.what;
      EXPECT_EQ(label->Font()->Bold(), bold) << c.what;
    }
  }
}

}  // namespace
}  // namespace feriant::lumatrel
