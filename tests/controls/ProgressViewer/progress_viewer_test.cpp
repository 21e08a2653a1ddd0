#include "controls/ProgressViewer/progress_viewer.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using ::testing::ElementsAre;

class ProgressViewerTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    ASSERT_TRUE(form_->Load());
    viewer_ = std::make_shared<ProgressViewer>();
    ASSERT_TRUE(form_->AddUserControl(viewer_, "prv").ok());
  }
  colProgressTasks& Tasks() { return *viewer_->ProgressTasks(); }
  ui::Label& Lbl(int k) { return *viewer_->FindAs<ui::Label>("lbl", k); }
  // What a paint draws per row: the key of the picture drawn there, "-" for none.
  std::vector<std::string> Marks() {
    viewer_->Paint();
    auto* iml = viewer_->FindAs<ui::ImageList>("iml");
    const int row = Lbl(0).Height() + 15;
    std::vector<std::string> out(static_cast<size_t>(Tasks().Items().Count()), "-");
    for (const auto& command : viewer_->Drawing().Commands()) {
      const auto* p = std::get_if<ui::Canvas::Picture>(&command);
      if (p == nullptr || !p->mask || p->area.left != 0 || p->area.top % row != 0) return {"?"};
      for (const char* key : {"finished", "failed", "active"}) {
        if (iml->Find(key)->Picture() == p->picture)
          out.at(static_cast<size_t>(p->area.top / row)) = key;
      }
    }
    return out;
  }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<ProgressViewer> viewer_;
};

TEST_F(ProgressViewerTest, GotoNextWalksThroughTheTasks) {
  Tasks().Add("load", "Loading");
  Tasks().Add("calc", "Calculating");
  Tasks().Add("save", "Saving");
  EXPECT_THAT(Marks(), ElementsAre("active", "-", "-"));
  viewer_->GotoNext(true);
  EXPECT_THAT(Marks(), ElementsAre("finished", "active", "-"));
  viewer_->GotoNext(false);
  viewer_->GotoNext(true);
  EXPECT_THAT(Marks(), ElementsAre("finished", "failed", "finished"));
  EXPECT_EQ(viewer_->ActiveTask(), nullptr);
  // Without an active task the first one would start again, but it is done.
  viewer_->GotoNext(true);
  EXPECT_EQ(viewer_->ActiveTask(), nullptr);
  // The flags exclude each other.
  Tasks().Items().At(1)->SetFailed(true);
  EXPECT_THAT(Marks(), ElementsAre("failed", "failed", "finished"));
  EXPECT_FALSE(Tasks().Items().At(1)->Finished());
  Tasks().Items().At(1)->SetFailed(false);
  Tasks().Items().At(1)->SetFinished(false);
  viewer_->GotoNext(true);
  EXPECT_EQ(viewer_->ActiveTask()->Key(), "load");
}

TEST_F(ProgressViewerTest, OneLinePerTaskStackedBelowEachOther) {
  for (const char* name : {"One", "Two", "Three"})
    Tasks().Add(name, name);
  ASSERT_EQ(viewer_->LabelCount(), 3);
  for (int k = 1; k < 3; ++k) {
    EXPECT_EQ(Lbl(k).Top(), Lbl(k - 1).Top() + Lbl(k - 1).Height() + 15);
    EXPECT_EQ(Lbl(k).Left(), 240);
    EXPECT_TRUE(Lbl(k).Visible());
  }
  Tasks().Items().At(2)->SetDisplayname("Deux");
  EXPECT_EQ(Lbl(1).Caption(), "Deux");
  EXPECT_EQ(Tasks().Items().At(3)->Index(), 3);
  for (const char* key : {"One", "Three", "Two"})
    ASSERT_TRUE(Tasks().Items().Remove(Variant(key)));
  Tasks().ItemsRemoved();
  EXPECT_EQ(viewer_->LabelCount(), 1);
  EXPECT_EQ(Lbl(0).Caption(), "One");  // its last text
}

TEST_F(ProgressViewerTest, StoresFontThenTasksWithTheirStates) {
  Tasks().Add("a", "Alpha");
  Tasks().Add("b", "Beta");
  viewer_->GotoNext(false);
  ui::PropertyBag bag;
  ASSERT_TRUE(viewer_->Save(bag).ok());
  std::vector<std::string> keys;
  for (const auto& e : bag.Entries())
    keys.push_back(e.key);
  EXPECT_THAT(keys, ElementsAre("FontName", "FontSize", "FontItalic", "FontBold", "FontUnderline",
                                "FontStrikethrough", "ProgressTasks"));

  auto copy = std::make_shared<ProgressViewer>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "prv2").ok());
  ASSERT_TRUE(copy->Load(bag).ok());
  const auto& items = copy->ProgressTasks()->Items();
  ASSERT_EQ(items.Count(), 2);
  EXPECT_TRUE(items.At(1)->Failed());
  EXPECT_FALSE(items.At(2)->Failed() || items.At(2)->Finished());
  EXPECT_EQ(items.At(2)->Displayname(), "Beta");
  EXPECT_EQ(copy->FindAs<ui::Label>("lbl", 1)->Caption(), "Beta");
  // Read back, the first task is in progress, as after adding them: two GotoNext finish both.
  EXPECT_EQ(copy->ActiveTask(), items.At(1));
  copy->GotoNext(true);
  copy->GotoNext(true);
  EXPECT_TRUE(items.At(1)->Finished() && items.At(2)->Finished());
  EXPECT_EQ(copy->ActiveTask(), nullptr);
}

}  // namespace
}  // namespace feriant::lumatrel
