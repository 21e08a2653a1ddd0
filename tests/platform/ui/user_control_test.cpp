#include "platform/ui/core/user_control.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using automation::DispId;
using automation::Variant;
using testing::ProbeControl;
using testing::UiTest;

class UserControlTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(6000, 4000));
    ASSERT_TRUE(form_->Load());
    probe_ = std::make_shared<ProbeControl>();
    auto extender = form_->AddUserControl(probe_, "wto");
    ASSERT_TRUE(extender.ok());
    extender_ = *extender;
  }
  std::shared_ptr<Form> form_;
  std::shared_ptr<ProbeControl> probe_;
  Extender* extender_ = nullptr;
};

TEST_F(UserControlTest, ExtenderAnswersItsOwnMembersAndForwardsTheRest) {
  struct Case {
    const char* name;
    bool own;  // answered by the extender rather than the control
  };
  const Case cases[] = {{"Name", true},     {"left", true},    {"Width", true},
                        {"Align", true},    {"Default", true}, {"Parent", true},
                        {"Caption", false}, {"VALUE", false},  {"Fire", false}};
  for (const Case& c : cases) {
    auto id = extender_->GetIdOfName(c.name);
    ASSERT_TRUE(id.ok()) << c.name;
    auto control_id = probe_->GetIdOfName(c.name);
    EXPECT_EQ(control_id.ok(), !c.own) << c.name;
    if (!c.own) {
      EXPECT_EQ(*id, *control_id) << c.name;
    }
  }
  EXPECT_FALSE(extender_->GetIdOfName("NoSuchMember").ok());

  // By name and by id, get and put, reach the same state.
  ASSERT_TRUE(extender_->Put("Caption", "Hello"));
  EXPECT_EQ(probe_->label().Caption(), "Hello");
  EXPECT_EQ(*extender_->Get(DispId{1}), Variant("Hello"));
  ASSERT_TRUE(extender_->Put(DispId{2}, std::int32_t{42}));
  EXPECT_EQ(probe_->value(), 42);
  EXPECT_EQ(*extender_->Call(DispId{0}, {Variant("echo")}), Variant("echo"));
  ASSERT_TRUE(extender_->Put("Left", std::int32_t{240}));
  EXPECT_EQ(extender_->Left(), 240);
  EXPECT_EQ(*extender_->Get(dispid::kName), Variant("wto"));
  auto parent = extender_->Get("Parent");
  ASSERT_TRUE(parent.ok());
  EXPECT_EQ(parent->AsObject().get(), form_.get());
  auto object = extender_->Get("Object");
  ASSERT_TRUE(object.ok());
  EXPECT_EQ(object->AsObject().get(), probe_.get());
  // A control's error reaches the caller unchanged.
  auto bad = extender_->Put("Value", "not a number");
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.error().code, automation::hresult::kTypeMismatch);
}

TEST_F(UserControlTest, PropertyChangedIsRecordedByTheContainer) {
  extender_->ClearChangeLog();
  extender_->SetDirty(false);
  ASSERT_TRUE(extender_->Put("Caption", "A"));
  ASSERT_TRUE(extender_->Put("Value", std::int32_t{1}));
  ASSERT_TRUE(extender_->Put("Caption", "B"));
  EXPECT_EQ(extender_->ChangeLog(), (std::vector<std::string>{"Caption", "", "Caption"}));
  EXPECT_TRUE(extender_->Dirty());
  EXPECT_TRUE(form_->Dirty());
  PropertyBag bag;
  ASSERT_TRUE(probe_->Save(bag));
  EXPECT_FALSE(form_->Dirty());
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Caption", "Value"}));
}

TEST_F(UserControlTest, LifeCycleEventsComeInOrder) {
  // A new instance is initialised, then hears its first Resize.
  EXPECT_EQ(probe_->log, (std::vector<std::string>{"init", "resize 3000x600"}));
  probe_->log.clear();
  ASSERT_TRUE(form_->Show());
  ASSERT_TRUE(extender_->Put("Visible", false));
  ASSERT_TRUE(extender_->Put("Visible", true));
  ASSERT_TRUE(extender_->Put("Width", std::int32_t{4000}));
  ASSERT_TRUE(extender_->Put("Width", std::int32_t{4000}));  // unchanged: no resize
  probe_->Refresh();
  ASSERT_TRUE(*form_->Unload());
  EXPECT_EQ(probe_->log,
            (std::vector<std::string>{"show", "paint", "hide", "show", "paint", "resize 4000x600",
                                      "paint", "hide", "terminate"}));
  // After the form is gone the control is detached but still a valid object.
  EXPECT_EQ(probe_->Site(), nullptr);
  EXPECT_EQ(probe_->Width(), 4000);
}

TEST_F(UserControlTest, OwnSizeFollowsTheExtenderAndRefusesNegativeValues) {
  ASSERT_TRUE(probe_->SetSize(2500, 700));
  EXPECT_EQ(extender_->Bounds(), (Rect{0, 0, 2500, 700}));
  auto refused = probe_->SetHeight(-1);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ui_error::kInvalidPropertyValue);
  EXPECT_EQ(probe_->Height(), 700);

  // Not sited, the control keeps a size of its own and still hears Resize.
  auto loose = std::make_shared<ProbeControl>();
  ASSERT_TRUE(loose->SetSize(100, 200));
  EXPECT_EQ(loose->log, (std::vector<std::string>{"resize 100x200"}));
}

TEST_F(UserControlTest, AmbientPropertiesComeFromTheSurface) {
  AmbientProperties ambient = probe_->Ambient();
  EXPECT_TRUE(ambient.user_mode);
  EXPECT_EQ(ambient.display_name, "wto");
  ASSERT_TRUE(form_->SetBackColor(system_color::kWindowBackground));
  form_->SetUserMode(false);  // a design surface
  ambient = probe_->Ambient();
  EXPECT_FALSE(ambient.user_mode);
  EXPECT_EQ(ambient.back_color, system_color::kWindowBackground);
  EXPECT_EQ(probe_->OwnerForm(), form_.get());
}

TEST_F(UserControlTest, EventsReachSinksFoundThroughTheConnectionPoint) {
  automation::EventSource* source = probe_->FindConnectionPoint(testing::kProbeEvents);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(probe_->FindConnectionPoint(automation::Guid{}), nullptr);
  std::vector<std::string> seen;
  auto first = std::make_shared<automation::EventSink>();
  first->On("Fired", 1, [&](std::span<Variant> args) {
    seen.push_back("first");
    args[0] = true;  // Cancel
  });
  auto second = std::make_shared<automation::EventSink>();
  second->On("Fired", 1, [&](std::span<Variant> args) {
    seen.push_back(std::string("second sees ") + (*args[0].ToBool() ? "cancel" : "go"));
  });
  source->Advise(first);
  source->Advise(second);
  probe_->Fire();
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second sees cancel"}));
  EXPECT_EQ(probe_->log.back(), "after new");
  EXPECT_TRUE(form_->IsLoaded());  // cancelled: the form stays
}

TEST_F(UserControlTest, PlacingChecksTheNameAndTheControl) {
  auto other = std::make_shared<ProbeControl>();
  EXPECT_FALSE(form_->AddUserControl(other, "WTO").ok());  // name in use, any case
  EXPECT_FALSE(form_->AddUserControl(other, "").ok());
  EXPECT_FALSE(form_->AddUserControl(probe_, "again").ok());  // already placed
  EXPECT_FALSE(form_->AddUserControl(nullptr, "none").ok());
  auto created = form_->CreateUserControl(testing::kProbeClass, "made", testing::ProbeFactory());
  ASSERT_TRUE(created.ok());
  EXPECT_EQ((*created)->ClassName(), "ProbeControl");
  auto unknown = form_->CreateUserControl(automation::Guid{}, "unknown", testing::ProbeFactory());
  EXPECT_FALSE(unknown.ok());
  EXPECT_EQ(form_->Find("unknown"), nullptr);
}

}  // namespace
}  // namespace feriant::ui
