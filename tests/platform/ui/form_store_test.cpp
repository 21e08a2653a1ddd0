#include "platform/ui/core/form_store.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::ProbeControl;
using testing::UiTest;

class FormStoreTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dir_ = std::filesystem::path(FERIANT_BINARY_DIR) / "ui_form_store_test" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ / "frmTest.json";
  }
  std::shared_ptr<Form> SavedForm() {
    auto form = std::make_shared<Form>("frmTest");
    EXPECT_TRUE(form->SetClientSize(9465, 7965));
    auto top = std::make_shared<ProbeControl>();
    top->init_align = align::kTop;
    Extender* wto = *form->AddUserControl(top, "wto");
    EXPECT_TRUE(wto->Put("Caption", "Feiertage"));
    EXPECT_TRUE(wto->Put("Value", std::int32_t{7}));
    auto bar = std::make_shared<ProbeControl>();
    bar->init_align = align::kBottom;
    Extender* btl = *form->AddUserControl(bar, "btl");
    btl->SetDefault(true);
    btl->SetCancel(true);
    btl->SetTag("bar");
    return form;
  }
  std::filesystem::path dir_;
  std::filesystem::path path_;
};

TEST_F(FormStoreTest, SavesAndRestoresControlsWithTheirBags) {
  auto saved = SavedForm();
  EXPECT_TRUE(saved->Dirty());
  ASSERT_TRUE(FormStore::Save(*saved, path_));
  EXPECT_FALSE(saved->Dirty());

  auto restored = std::make_shared<Form>("frmTest");
  ASSERT_TRUE(restored->SetClientSize(9465, 7965));
  std::vector<std::shared_ptr<ProbeControl>> created;
  ASSERT_TRUE(FormStore::Load(*restored, path_, testing::ProbeFactory(&created)));
  ASSERT_EQ(created.size(), 2u);
  // Read, not initialised; the extender is in place before the control reads.
  EXPECT_EQ(created[0]->log, (std::vector<std::string>{"read", "resize 9465x600"}));
  EXPECT_EQ(created[0]->label().Caption(), "Feiertage");
  EXPECT_EQ(created[0]->value(), 7);
  EXPECT_EQ(created[1]->label().Caption(), "new");  // default: not stored, read back
  auto* wto = restored->FindAs<Extender>("wto");
  auto* btl = restored->FindAs<Extender>("btl");
  ASSERT_TRUE(wto && btl);
  EXPECT_EQ(wto->Align(), align::kTop);
  EXPECT_EQ(wto->Bounds(), (Rect{0, 0, 9465, 600}));
  EXPECT_EQ(btl->Bounds(), (Rect{0, 7365, 9465, 600}));
  EXPECT_TRUE(btl->Default());
  EXPECT_TRUE(btl->Cancel());
  EXPECT_EQ(btl->Tag(), "bar");
  EXPECT_FALSE(restored->Dirty());

  // Saving the restored form gives the same file, byte for byte.
  const std::string first = *base::ReadFile(path_);
  ASSERT_TRUE(FormStore::Save(*restored, path_));
  EXPECT_EQ(*base::ReadFile(path_), first);
  // Typed values in a file a person can read.
  EXPECT_NE(first.find(R"("Value",)"), std::string::npos);
  EXPECT_NE(first.find(R"("type": "Long")"), std::string::npos);
}

TEST_F(FormStoreTest, LoadingReusesControlsOfTheSameNameAndClass) {
  ASSERT_TRUE(FormStore::Save(*SavedForm(), path_));
  auto form = std::make_shared<Form>("frmTest");
  auto existing = std::make_shared<ProbeControl>();
  ASSERT_TRUE(form->AddUserControl(existing, "wto").ok());
  existing->log.clear();
  std::vector<std::shared_ptr<ProbeControl>> created;
  ASSERT_TRUE(FormStore::Load(*form, path_, testing::ProbeFactory(&created)));
  EXPECT_EQ(created.size(), 1u);  // only btl was created
  EXPECT_EQ(existing->label().Caption(), "Feiertage");
  EXPECT_EQ(existing->log.front(), "read");
}

TEST_F(FormStoreTest, RefusesDamagedFilesAndLeavesTheFormAlone) {
  ASSERT_TRUE(FormStore::Save(*SavedForm(), path_));
  const std::string good = *base::ReadFile(path_);
  auto replace = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"not JSON", "{\"format\": "},
      {"other format", replace("feriant-form", "something-else")},
      {"format not text", replace("\"feriant-form\"", "7")},
      {"bad class id", replace("\"class\": \"{", "\"class\": \"{XYZ")},
      {"negative width", replace("\"width\": 9465", "\"width\": -1")},
      {"left past 2^63", replace("\"left\": 0", "\"left\": 18446744073709551615")},
      {"bad Align", replace("\"align\": 1", "\"align\": 9")},
      {"untyped property",
       replace("{\n            \"type\": \"String\",", "{\n            \"kind\": \"String\",")},
      {"name used twice", replace("\"name\": \"btl\"", "\"name\": \"WTO\"")},
      {"nested 100,000 deep",
       replace("\"tag\": \"\"", "\"tag\": " + std::string(100000, '[') + std::string(100000, ']'))},
  };
  for (const auto& c : cases) {
    const std::filesystem::path damaged = dir_ / "damaged.json";
    ASSERT_TRUE(base::WriteFileAtomically(damaged, c.text));
    auto form = std::make_shared<Form>("frmTest");
    std::vector<std::shared_ptr<ProbeControl>> created;
    Status status = FormStore::Load(*form, damaged, testing::ProbeFactory(&created));
    ASSERT_FALSE(status.ok()) << c.what;
    EXPECT_NE(status.error().description.find("damaged.json"), std::string::npos) << c.what;
    EXPECT_TRUE(form->Controls().empty()) << c.what;
    EXPECT_TRUE(created.empty()) << c.what;
    EXPECT_EQ(*base::ReadFile(damaged), c.text) << c.what;
  }
  // A missing file is an error of its own, not an empty form.
  auto form = std::make_shared<Form>("frmTest");
  EXPECT_FALSE(FormStore::Load(*form, dir_ / "missing.json", testing::ProbeFactory()).ok());
}

TEST_F(FormStoreTest, AClassTheFactoryDoesNotKnowIsReported) {
  ASSERT_TRUE(FormStore::Save(*SavedForm(), path_));
  auto form = std::make_shared<Form>("frmTest");
  ControlFactory none =
      [](const automation::Guid&) -> Result<std::shared_ptr<automation::Dispatch>> {
    return Error{-2147221164, "Class not registered", {}};
  };
  Status status = FormStore::Load(*form, path_, none);
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, -2147221164);
}

}  // namespace
}  // namespace feriant::ui
