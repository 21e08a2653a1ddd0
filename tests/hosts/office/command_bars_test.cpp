#include "hosts/office/command_bars.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "platform/ui/core/backend.h"

namespace feriant::office {
namespace {

using automation::NamedArg;
using automation::ObjectRef;
using automation::Variant;
using Kind = CommandBarsChange::Kind;

ObjectRef Obj(const Result<Variant>& value) {
  EXPECT_TRUE(value.ok()) << (value.ok() ? "" : value.error().description);
  return value.ok() ? value->AsObject() : nullptr;
}

std::string Text(const Result<Variant>& value) {
  return value.ok() ? value->ToString().value_or("?") : "error";
}

// A host's bars as a shell fills them: a menu bar with "&Tools" holding built-in items.
struct HostBars {
  std::shared_ptr<CommandBars> bars = CommandBars::Create();
  std::shared_ptr<CommandBar> tools;
  HostBars() {
    auto menu = *bars->Add("Menu Bar", kBarTop, /*menu_bar=*/true, false, /*built_in=*/true);
    auto popup = *menu->AddControl(kControlPopup, 30007);
    popup->SetCaption("&Tools");
    tools = popup->popup_bar();
    for (std::int32_t id : {2, 40191, 40191, 500})
      (void)tools->AddControl(kControlButton, id);
  }
};

struct Recorder : CommandBarsObserver {
  std::vector<std::pair<Kind, std::string>> seen;
  void OnCommandBarsChanged(const CommandBarsChange& change) override {
    seen.emplace_back(change.kind, change.control ? change.control->tag() : change.bar->name());
  }
};

TEST(CommandBars, LateBoundAddFindAndDelete) {
  HostBars host;
  ObjectRef bars = host.bars;
  // A pop-up's menu is found by the caption without its access key.
  ObjectRef tools = Obj(bars->Get("Item", {Variant("tools")}));
  ASSERT_EQ(tools, host.tools);

  ObjectRef controls = Obj(tools->Get("Controls"));
  ObjectRef item = Obj(controls->Call(
      "Add", {Variant(kControlButton)},
      {NamedArg{"Before", Variant(std::int32_t{4})}, NamedArg{"Temporary", Variant(true)}}));
  ASSERT_TRUE(item->Put("Tag", Variant("mine")).ok());
  ASSERT_TRUE(item->Put("Caption", Variant("&Mine...")).ok());
  EXPECT_EQ(Text(item->Get("Index")), "4");
  EXPECT_EQ(Text(item->Get("Id")), "1");

  // Found across bars by tag, and by id in bar order (the first of two 40191).
  EXPECT_EQ(Obj(bars->Call("FindControl", {}, {NamedArg{"Tag", Variant("mine")}})), item);
  ObjectRef builtin = Obj(tools->Call("FindControl", {Variant(), Variant(std::int32_t{40191})}));
  EXPECT_EQ(Text(builtin->Get("Index")), "2");
  EXPECT_TRUE(Obj(bars->Call("FindControl", {}, {NamedArg{"Tag", Variant("none")}})) == nullptr);

  ASSERT_TRUE(item->Call("Delete").ok());
  EXPECT_EQ(Text(controls->Get("Count")), "4");
  EXPECT_FALSE(item->Get("Caption").ok());  // a deleted control refuses
  EXPECT_FALSE(item->Call("Delete").ok());
}

TEST(CommandBars, BarsByNameTemporaryAndRefusals) {
  HostBars host;
  ObjectRef bars = host.bars;
  ObjectRef bar = Obj(
      bars->Call("Add", {Variant("Quillmark"), Variant(kBarTop), Variant(false), Variant(true)}));
  EXPECT_EQ(Text(bar->Get("Visible")), "False");
  ASSERT_TRUE(bar->Put("Visible", Variant(true)).ok());
  EXPECT_EQ(Text(bar->Get("Visible")), "True");
  EXPECT_FALSE(bars->Call("Add", {Variant("QUILLMARK")}).ok());  // names are unique
  EXPECT_FALSE(Obj(bars->Get("Item", {Variant("Menu Bar")}))->Call("Delete").ok());  // built-in

  auto kept = *host.tools->AddControl(kControlButton);
  auto temp = *host.tools->AddControl(kControlButton, kCustomControlId, "", 0, true);
  host.bars->DiscardTemporary();
  EXPECT_EQ(host.bars->Find("Quillmark"), nullptr);
  EXPECT_TRUE(temp->deleted());
  EXPECT_FALSE(kept->deleted());
  EXPECT_EQ(host.tools->controls().size(), 5U);
  EXPECT_FALSE(bar->Get("Name").ok());
}

TEST(CommandBars, ObserverFollowsChangesInOrder) {
  HostBars host;
  Recorder recorder;
  host.bars->AddObserver(&recorder);
  auto bar = *host.bars->Add("Quillmark", kBarTop, false, true);
  auto button = *bar->AddControl(kControlButton);
  button->SetTag("b");
  bar->SetVisible(true);
  (void)bar->Delete();
  host.bars->RemoveObserver(&recorder);
  button->SetTag("after");
  const std::vector<std::pair<Kind, std::string>> expected = {
      {Kind::kBarAdded, "Quillmark"},   {Kind::kControlAdded, ""},
      {Kind::kControlChanged, "b"},     {Kind::kBarChanged, "Quillmark"},
      {Kind::kBarRemoved, "Quillmark"},
  };
  EXPECT_EQ(recorder.seen, expected);
}

TEST(CommandBars, ClickReachesSinksWithCancelDefault) {
  HostBars host;
  auto button = *host.tools->AddControl(kControlButton);
  auto* source = button->FindConnectionPoint(kControlEventsId);
  ASSERT_NE(source, nullptr);
  int clicks = 0;
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("Click", dispid::event::kClick, [&](std::span<Variant> args) {
    ++clicks;
    EXPECT_EQ(args[0].AsObject(), button);
    args[1] = Variant(true);
  });
  source->Advise(sink);
  EXPECT_TRUE(button->Click());
  button->SetEnabled(false);
  EXPECT_FALSE(button->Click());
  EXPECT_EQ(clicks, 1);
}

TEST(CommandBars, PictureMaskAndPasteFace) {
  HostBars host;
  auto button = *host.tools->AddControl(kControlButton);
  auto face = ui::StdPicture::CreateBitmap(16, 16, ui::Rgb(1, 2, 3));
  ASSERT_TRUE(button->PutRef("Picture", Variant(face)).ok());
  (void)face->SetPixel(0, 0, ui::Rgb(9, 9, 9));  // the button keeps its own copy
  EXPECT_EQ(*button->picture()->Pixel(0, 0), ui::Rgb(1, 2, 3));
  EXPECT_FALSE(button->Put("Mask", Variant(ObjectRef(button))).ok());  // not a picture

  ui::CurrentBackend().ClearClipboard();
  EXPECT_FALSE(button->Call("PasteFace").ok());
  ui::CurrentBackend().SetClipboardPicture(ui::StdPicture::CreateBitmap(16, 16, ui::Rgb(7, 7, 7)));
  ASSERT_TRUE(button->Call("PasteFace").ok());
  EXPECT_EQ(*button->picture()->Pixel(5, 5), ui::Rgb(7, 7, 7));
  EXPECT_TRUE(button->mask()->IsEmpty());
}

TEST(CommandBars, OutlookExplorerOffersTheBars) {
  HostBars host;
  outlook::OutlookOptions options;
  options.active_explorer = std::make_shared<outlook::Explorer>(host.bars, "Calendar");
  ObjectRef app = outlook::CreateOutlookApplication("/nonexistent.ics", options);
  ObjectRef explorer = Obj(app->Get("ActiveExplorer"));
  ASSERT_NE(explorer, nullptr);
  EXPECT_EQ(Obj(explorer->Get("CommandBars")), host.bars);
  EXPECT_EQ(Obj(outlook::CreateOutlookApplication("/x.ics")->Get("ActiveExplorer")), nullptr);
}

}  // namespace
}  // namespace feriant::office
