#pragma once
// Shared pieces of the windowing-model tests: a fixture that gives every test a fresh
// headless backend, and ProbeControl, a small user control that logs its life-cycle
// events and persists two properties.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/headless_backend.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::ui::testing {

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = std::make_shared<HeadlessBackend>();
    previous_ = SetBackend(backend_);
  }
  void TearDown() override { SetBackend(previous_); }
  HeadlessBackend& backend() { return *backend_; }

 private:
  std::shared_ptr<HeadlessBackend> backend_;
  std::shared_ptr<Backend> previous_;
};

// With a form, frmTest, loaded and shown, so that its controls take input.
class ShownFormTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<Form>("frmTest");
    ASSERT_TRUE(form_->Load());
    ASSERT_TRUE(form_->Show());
  }
  std::shared_ptr<Form> form_;
};

inline const automation::Guid kProbeClass =
    *automation::Guid::Parse("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
inline const automation::Guid kProbeEvents =
    *automation::Guid::Parse("{1F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");

// Members: Caption (id 1, put/get), Value (id 2, put/get), Fire (id 3: raises event 1
// with a by-reference Cancel and unloads its form unless cancelled), Echo (id 0, method).
class ProbeControl final : public UserControlImpl<ProbeControl> {
 public:
  ProbeControl() : UserControlImpl("ProbeControl", kProbeClass, kProbeEvents) {
    SetInitialSize(3000, 600);
    label_ = &Add<Label>("lblCaption");
  }

  static const automation::Members<ProbeControl>& Interface() {
    using automation::Variant;
    using Args = std::span<Variant>;
    using Named = std::span<const automation::NamedArg>;
    static const automation::Members<ProbeControl> members = [] {
      automation::Members<ProbeControl> m;
      m.Put("Caption", 1,
            [](ProbeControl& p, Args a) -> Status {
              p.label_->SetCaption(*a.back().ToString());
              p.PropertyChanged("Caption");
              return Ok();
            })
          .Get(
              "Caption", 1,
              [](ProbeControl& p, Args) -> Result<Variant> { return Variant(p.label_->Caption()); })
          .Put("Value", 2,
               [](ProbeControl& p, Args a) -> Status {
                 auto v = a.back().ToI4();
                 if (!v) return v.error();
                 p.value_ = *v;
                 p.PropertyChanged();
                 return Ok();
               })
          .Get("Value", 2,
               [](ProbeControl& p, Args) -> Result<Variant> { return Variant(p.value_); })
          .Method("Fire", 3,
                  [](ProbeControl& p, Args, Named) -> Result<Variant> {
                    p.Fire();
                    return Variant();
                  })
          .Method("Echo", 0, [](ProbeControl&, Args a, Named) -> Result<Variant> {
            return a.empty() ? Variant() : a[0];
          });
      return m;
    }();
    return members;
  }

  void Fire() {
    std::vector<automation::Variant> args{automation::Variant(false)};
    RaiseEvent(1, args);
    log.push_back(std::string("fired cancel=") + (*args[0].ToBool() ? "1" : "0"));
    if (!*args[0].ToBool() && OwnerForm() != nullptr) {
      auto unloaded = OwnerForm()->Unload();
      log.push_back(unloaded ? "unloaded" : "unload failed");
    }
    // Still alive and usable after its form unloaded.
    log.push_back("after " + label_->Caption());
  }

  Label& label() { return *label_; }
  void AcceptChildren() { SetControlContainer(true); }
  int value() const { return value_; }

  std::vector<std::string> log;
  int init_align = 0;   // Align the control sets on a new instance
  int held_height = 0;  // a height the control keeps itself at (0: none)

 protected:
  void OnInitProperties() override {
    log.push_back("init");
    label_->SetCaption("new");
    if (init_align != 0) (void)Site()->SetAlign(init_align);
  }
  void OnReadProperties(PropertyBag& bag) override {
    log.push_back("read");
    if (auto v = bag.ReadProperty("Caption", "new")) label_->SetCaption(*v->ToString());
    if (auto v = bag.ReadProperty("Value", std::int32_t{0})) value_ = *v->ToI4();
  }
  void OnWriteProperties(PropertyBag& bag) override {
    log.push_back("write");
    (void)bag.WriteProperty("Caption", label_->Caption(), "new");
    (void)bag.WriteProperty("Value", value_, std::int32_t{0});
  }
  void OnResize() override {
    log.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height()));
    if (held_height > 0 && Height() != held_height) (void)SetHeight(held_height);
  }
  void OnShow() override { log.push_back("show"); }
  void OnHide() override { log.push_back("hide"); }
  void OnPaint() override { log.push_back("paint"); }
  void OnTerminate() override { log.push_back("terminate"); }

 private:
  Label* label_ = nullptr;
  int value_ = 0;
};

// A factory that knows the probe's class id.
inline ControlFactory ProbeFactory(std::vector<std::shared_ptr<ProbeControl>>* created = nullptr) {
  return [created](const automation::Guid& id) -> Result<std::shared_ptr<automation::Dispatch>> {
    if (id != kProbeClass) return Error{-2147221164, "Class not registered", {}};
    auto control = std::make_shared<ProbeControl>();
    if (created != nullptr) created->push_back(control);
    return std::shared_ptr<automation::Dispatch>(control);
  };
}

}  // namespace feriant::ui::testing
