#pragma once
// Small controls for the container's tests, standing in for a control library:
//   TestBar     docks at the bottom (795 twips), raises the button bar's events: its OK
//               button raises cmdOKClick(Cancel) and unloads the form unless cancelled.
//   TestBanner  docks at the top, has a Title (persisted) and a BackColor, and lists two
//               property pages: prpTestBanner with one text box txtTitle, and the
//               platform's standard colour page.
// TestCatalog() lists them as the registry would, and TestFactory() creates them.

#include <memory>
#include <string>
#include <vector>

#include "apps/lumatrel-container/class_catalog.h"
#include "platform/automation/variant.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/member_helpers.h"
#include "platform/ui/core/property_page.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/pages/standard_pages.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel_container::testing {

inline const automation::Guid kBarClass =
    *automation::Guid::Parse("{5A000001-0000-4000-8000-000000000001}");
inline const automation::Guid kBannerClass =
    *automation::Guid::Parse("{5A000001-0000-4000-8000-000000000002}");
inline const automation::Guid kBannerPage =
    *automation::Guid::Parse("{5A000001-0000-4000-8000-000000000003}");
// The button bar's event interface, whose events the log knows by name.
inline const automation::Guid kBarEvents =
    *automation::Guid::Parse("{83C3A269-2EA8-4518-86AA-1D20ED0523B0}");

class TestBar final : public ui::UserControlImpl<TestBar> {
 public:
  TestBar() : UserControlImpl("TestBar", kBarClass, kBarEvents) {
    SetInitialSize(6000, 795);
    ok_ = &Add<ui::CommandButton>("cmdOK");
    (void)ok_->Move(3720, 300, 1125, 345);
    ok_->SetCaption("OK");
    ok_->Click().Connect([this] { PressOK(); });
  }
  static const automation::Members<TestBar>& Interface() {
    static const automation::Members<TestBar> members;
    return members;
  }
  ui::CommandButton& ok() { return *ok_; }

 protected:
  void OnInitProperties() override {
    (void)Site()->SetAlign(2);
    Site()->SetDefault(true);
  }
  void OnResize() override {
    if (Height() != 795) (void)SetHeight(795);
  }

 private:
  void PressOK() {
    std::vector<automation::Variant> args{automation::Variant(false)};
    RaiseEvent(1, args);
    if (!args[0].ToBool().value_or(false) && OwnerForm() != nullptr) (void)OwnerForm()->Unload();
  }
  ui::CommandButton* ok_ = nullptr;
};

class TestBanner final : public ui::UserControlImpl<TestBanner> {
 public:
  TestBanner() : UserControlImpl("TestBanner", kBannerClass) {
    SetInitialSize(6000, 900);
    title_ = &Add<ui::Label>("lblTitle");
    (void)title_->Move(330, 150, 3000, 240);
  }
  static const automation::Members<TestBanner>& Interface() {
    using automation::Variant;
    static const automation::Members<TestBanner> members = [] {
      automation::Members<TestBanner> m;
      m.Put("Title", 1,
            [](TestBanner& b, std::span<Variant> a) -> Status {
              auto text = a.back().ToString();
              if (!text) return text.error();
              b.title_->SetCaption(*text);
              b.PropertyChanged("Title");
              return Ok();
            })
          .Get("Title", 1,
               [](TestBanner& b, std::span<Variant>) -> Result<Variant> {
                 return Variant(b.title_->Caption());
               })
          .Get("BackColor", ui::dispid::kBackColor,
               ui::members::ColorGetter<TestBanner>(&TestBanner::BackColor))
          .Put("BackColor", ui::dispid::kBackColor,
               ui::members::ColorSetter<TestBanner>(&TestBanner::SetBackColor));
      return m;
    }();
    return members;
  }
  const std::string& Title() const { return title_->Caption(); }

 protected:
  void OnInitProperties() override {
    title_->SetCaption("Title");
    (void)Site()->SetAlign(1);
  }
  void OnReadProperties(ui::PropertyBag& bag) override {
    if (auto v = bag.ReadProperty("Title", "Title")) title_->SetCaption(*v->ToString());
  }
  void OnWriteProperties(ui::PropertyBag& bag) override {
    (void)bag.WriteProperty("Title", title_->Caption(), "Title");
  }

 private:
  ui::Label* title_ = nullptr;
};

inline const automation::Guid kBoxClass =
    *automation::Guid::Parse("{5A000001-0000-4000-8000-000000000004}");

// A control that does not dock, 3000 x 1500 twips.
class TestBox final : public ui::UserControlImpl<TestBox> {
 public:
  TestBox() : UserControlImpl("TestBox", kBoxClass) { SetInitialSize(3000, 1500); }
  static const automation::Members<TestBox>& Interface() {
    static const automation::Members<TestBox> members;
    return members;
  }
};

class prpTestBanner final : public ui::PropertyPage {
 public:
  prpTestBanner() : PropertyPage("prpTestBanner", "General", 4500, 1200) {
    text_ = &Add<ui::TextBox>("txtTitle");
    (void)text_->Move(150, 150, 3000, 300);
    text_->Change().Connect([this] { SetChanged(true); });
  }

 protected:
  void OnSelectionChanged() override {
    if (SelectedControls().empty()) return;
    auto title = SelectedControls()[0]->Get("Title");
    if (title) text_->SetText(*title->ToString());
    SetChanged(false);
  }
  Status OnApplyChanges() override {
    for (const auto& control : SelectedControls()) {
      if (Status s = control->Put("Title", text_->Text()); !s) return s;
    }
    return Ok();
  }

 private:
  ui::TextBox* text_ = nullptr;
};

inline std::vector<RegisteredClass> TestCatalog() {
  return {
      {kBannerClass,
       "Lumatrel.TestBanner",
       "TestBanner",
       "/test/libtest.so",
       {kBannerPage, ui::kStandardColorPage}},
      {kBarClass, "Lumatrel.TestBar", "TestBar", "/test/libtest.so", {}},
      {kBoxClass, "Lumatrel.TestBox", "TestBox", "/test/libtest.so", {}},
  };
}

inline ui::ControlFactory TestFactory() {
  return [](const automation::Guid& id) -> Result<std::shared_ptr<automation::Dispatch>> {
    if (id == kBarClass) return std::shared_ptr<automation::Dispatch>(std::make_shared<TestBar>());
    if (id == kBannerClass)
      return std::shared_ptr<automation::Dispatch>(std::make_shared<TestBanner>());
    if (id == kBoxClass) return std::shared_ptr<automation::Dispatch>(std::make_shared<TestBox>());
    if (id == kBannerPage)
      return std::shared_ptr<automation::Dispatch>(std::make_shared<prpTestBanner>());
    return Error{-2147221164, "Class not registered", {}};
  };
}

}  // namespace feriant::lumatrel_container::testing
