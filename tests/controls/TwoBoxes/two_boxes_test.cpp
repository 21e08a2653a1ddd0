#include "controls/TwoBoxes/two_boxes.h"

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Side = TwoBoxes::Side;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// "text" for a moved record, "text@index" for a refused one; item data as "=data".
std::vector<std::string> Describe(const Variant& records) {
  std::vector<std::string> out;
  const automation::VariantArray* all = records.AsArray();
  if (all == nullptr) return {"<not an array>"};
  for (const Variant& v : *all) {
    auto r = std::dynamic_pointer_cast<ListItemRecord>(v.AsObject());
    if (!r) return {"<not a record>"};
    std::string s = r->Text();
    if (const std::string* d = r->Data().AsString()) s += "=" + *d;
    if (r->Blocked()) s += "@" + std::to_string(r->Index());
    out.push_back(s);
  }
  return out;
}

// The form's event procedures: logs every event, refuses the texts in `refuse` and lets
// `during` act on the lists while a move is being asked about.
class Handlers {
 public:
  Handlers() {
    auto validate = [this](const char* name, size_t ok) {
      return [this, name, ok](std::span<Variant> a) {
        log.push_back(std::string(name) + " " + *a[ok - 2].ToString());
        if (during) during(*a[ok - 2].ToString());
        if (refuse.count(*a[ok - 2].ToString()) != 0) a[ok] = Variant(false);
      };
    };
    auto after = [this](const char* name) {
      return [this, name](std::span<Variant> a) {
        log.push_back(name);
        moved = Describe(a[0]);
        blocked = Describe(a[1]);
      };
    };
    namespace ev = two_boxes::event;
    sink_->On("Change", ev::kChange, [this](std::span<Variant>) { log.push_back("Change"); })
        .On("ValidateAdd", ev::kValidateAdd, validate("ValidateAdd", 3))
        .On("ValidateRemove", ev::kValidateRemove, validate("ValidateRemove", 3))
        .On("ValidateCheckRight", ev::kValidateCheckRight, validate("ValidateCheckRight", 4))
        .On("AfterCheckRight", ev::kAfterCheckRight,
            [this](std::span<Variant> a) {
              log.push_back("AfterCheckRight " + std::string(*a[0].ToBool() ? "on" : "off"));
            })
        .On("AfterAdd", ev::kAfterAdd, after("AfterAdd"))
        .On("AfterRemove", ev::kAfterRemove, after("AfterRemove"));
  }
  void Connect(TwoBoxes& c) { c.FindConnectionPoint(two_boxes::kEventInterfaceId)->Advise(sink_); }
  std::vector<std::string> log, moved, blocked;
  std::set<std::string> refuse;
  std::function<void(const std::string&)> during;

 private:
  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
};

class TwoBoxesTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<ui::Form>("frmTest");
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    ASSERT_TRUE(form_->Load());
    boxes_ = std::make_shared<TwoBoxes>();
    ASSERT_TRUE(form_->AddUserControl(boxes_, "tbx").ok());
    handlers_.Connect(*boxes_);
  }
  ui::ListBox& Lst(const char* name) { return *boxes_->FindAs<ui::ListBox>(name); }
  std::vector<std::string> Entries(Side side) {
    std::vector<std::string> out;
    ui::ListBox& l = boxes_->List(side);
    for (int i = 0; i < l.ListCount(); ++i) {
      std::string s = *l.List(i);
      if (auto d = boxes_->ItemData(side, i); d && d->AsString()) s += "=" + *d->AsString();
      out.push_back(s);
    }
    return out;
  }
  void Fill(Side side, std::vector<std::string> texts) {
    for (const std::string& t : texts)
      ASSERT_TRUE(boxes_->AddItem(side, t, Variant("d" + t)));
  }

  std::shared_ptr<ui::Form> form_;
  std::shared_ptr<TwoBoxes> boxes_;
  Handlers handlers_;
};

TEST_F(TwoBoxesTest, ItemDataTravelWithTheirEntriesInSortedOrder) {
  Fill(Side::kLeft, {"c", "a", "b"});
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("a=da", "b=db", "c=dc"));
  // The spare element after the last entry is readable; beyond it is an error.
  EXPECT_TRUE(boxes_->ItemData(Side::kLeft, 3).ok());
  EXPECT_FALSE(boxes_->ItemData(Side::kLeft, 4).ok());
  ASSERT_TRUE(boxes_->RemoveItem(Side::kLeft, 1));
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("a=da", "c=dc"));
  EXPECT_FALSE(boxes_->RemoveItem(Side::kLeft, 5).ok());
  boxes_->Clear(Side::kLeft);
  EXPECT_EQ(boxes_->List(Side::kLeft).ListCount(), 0);
  EXPECT_TRUE(boxes_->ItemData(Side::kLeft, 0)->IsNull());
}

TEST_F(TwoBoxesTest, ARefusedEntryStaysAndIsReportedWithItsPosition) {
  Fill(Side::kLeft, {"a", "b", "c", "d"});
  for (int i : {0, 1, 2})
    ASSERT_TRUE(Lst("lstLeft").SetSelected(i, true));
  handlers_.refuse = {"b"};
  ASSERT_TRUE(boxes_->MoveRight(false));
  EXPECT_THAT(handlers_.log,
              ElementsAre("ValidateAdd a", "ValidateAdd b", "ValidateAdd c", "AfterAdd", "Change"));
  EXPECT_THAT(handlers_.moved, ElementsAre("a=da", "c=dc"));
  // b was at 1 when it was asked about: a had gone already.
  EXPECT_THAT(handlers_.blocked, ElementsAre("b=db@0"));
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("b=db", "d=dd"));
  EXPECT_THAT(Entries(Side::kRight), ElementsAre("a=da", "c=dc"));
}

TEST_F(TwoBoxesTest, EveryoneRefusedGivesOneBlankMovedRecordAndNoChange) {
  Fill(Side::kLeft, {"a", "b"});
  handlers_.refuse = {"a", "b"};
  ASSERT_TRUE(boxes_->MoveRight(true));
  EXPECT_THAT(handlers_.log, ElementsAre("ValidateAdd a", "ValidateAdd b", "AfterAdd"));
  EXPECT_THAT(handlers_.moved, ElementsAre(""));
  EXPECT_THAT(handlers_.blocked, ElementsAre("a=da@0", "b=db@1"));
}

TEST_F(TwoBoxesTest, MovesBackSelectedOrAllAndNothingInAddOnlyMode) {
  Fill(Side::kRight, {"x", "y", "z"});
  ASSERT_TRUE(Lst("lstRight").SetSelected(2, true));
  boxes_->FindAs<ui::CommandButton>("cmdRemove")->PerformClick();
  EXPECT_THAT(handlers_.moved, ElementsAre("z=dz"));
  EXPECT_THAT(handlers_.blocked, ElementsAre("@0"));
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("z=dz"));

  boxes_->SetAddOnly(true);
  handlers_.log.clear();
  Lst("lstRight").UserClick(0, 0);
  ASSERT_TRUE(Lst("lstRight").InputDblClick());
  boxes_->FindAs<ui::CommandButton>("cmdRemoveAll")->PerformClick();
  ASSERT_TRUE(boxes_->MoveLeft(false));
  EXPECT_THAT(handlers_.log, ElementsAre());
  EXPECT_THAT(Entries(Side::kRight), ElementsAre("x=dx", "y=dy"));

  boxes_->SetAddOnly(false);
  boxes_->FindAs<ui::CommandButton>("cmdRemoveAll")->PerformClick();
  EXPECT_THAT(handlers_.moved, ElementsAre("x=dx", "y=dy"));
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("x=dx", "y=dy", "z=dz"));
}

TEST_F(TwoBoxesTest, CheckBoxesAreASeparateListWhoseTicksMayBeRefused) {
  Fill(Side::kRight, {"plain"});
  boxes_->SetRightHasCheckmarks(true);
  EXPECT_TRUE(Lst("lstRightCheck").Visible());
  EXPECT_FALSE(Lst("lstRight").Visible());
  EXPECT_EQ(boxes_->List(Side::kRight).ListCount(), 0);
  Fill(Side::kRight, {"p", "q"});

  handlers_.refuse = {"q"};
  Lst("lstRightCheck").UserToggleCheck(0);
  Lst("lstRightCheck").UserToggleCheck(1);
  EXPECT_THAT(handlers_.log, ElementsAre("ValidateCheckRight p", "AfterCheckRight on", "Change",
                                         "ValidateCheckRight q"));
  EXPECT_TRUE(*Lst("lstRightCheck").Selected(0));
  EXPECT_FALSE(*Lst("lstRightCheck").Selected(1));

  // "<" takes the current entry only.
  ASSERT_TRUE(Lst("lstRightCheck").SetListIndex(1));
  handlers_.refuse.clear();
  ASSERT_TRUE(boxes_->MoveLeft(false));
  EXPECT_THAT(handlers_.moved, ElementsAre("q=dq"));
  EXPECT_THAT(Entries(Side::kRight), ElementsAre("p=dp"));

  // Back to the plain list: its entry is still there with its own item data.
  boxes_->SetRightHasCheckmarks(false);
  EXPECT_THAT(Entries(Side::kRight), ElementsAre("plain=dplain"));
}

TEST_F(TwoBoxesTest, ClearingOneRightListKeepsTheItemDataOfTheOther) {
  boxes_->SetRightHasCheckmarks(true);
  Fill(Side::kRight, {"p", "q"});
  boxes_->SetRightHasCheckmarks(false);
  Fill(Side::kRight, {"a", "b", "c"});
  boxes_->Clear(Side::kRight);
  boxes_->SetRightHasCheckmarks(true);
  EXPECT_THAT(Entries(Side::kRight), ElementsAre("p=dp", "q=dq"));
  Lst("lstRightCheck").UserToggleCheck(1);
  EXPECT_TRUE(backend().MessageBoxes().empty());
  ASSERT_TRUE(Lst("lstRightCheck").SetListIndex(1));
  ASSERT_TRUE(boxes_->MoveLeft(false));
  EXPECT_THAT(Entries(Side::kLeft), ElementsAre("q=dq"));
}

TEST_F(TwoBoxesTest, AHandlerThatChangesTheListsMovesTheEntryAskedAbout) {
  struct Case {
    const char* removed_while_asked;
    std::vector<std::string> left, right, moved, blocked;
  };
  const Case cases[] = {
      // An entry before it goes: b moves from its new place, c stays.
      {"a", {"c=dc"}, {"b=db"}, {"b=db"}, {"@0"}},
      // The entry itself goes: nothing to move, it counts as refused.
      {"b", {"a=da", "c=dc"}, {}, {""}, {"b=db@1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.removed_while_asked);
    boxes_->Clear(Side::kLeft);
    boxes_->Clear(Side::kRight);
    Fill(Side::kLeft, {"a", "b", "c"});
    ASSERT_TRUE(Lst("lstLeft").SetSelected(1, true));
    handlers_.during = [&](const std::string&) {
      ui::ListBox& left = boxes_->List(Side::kLeft);
      for (int i = 0; i < left.ListCount(); ++i) {
        if (*left.List(i) == c.removed_while_asked) {
          ASSERT_TRUE(boxes_->RemoveItem(Side::kLeft, i));
        }
      }
    };
    ASSERT_TRUE(boxes_->MoveRight(false));
    EXPECT_THAT(Entries(Side::kLeft), ElementsAreArray(c.left));
    EXPECT_THAT(Entries(Side::kRight), ElementsAreArray(c.right));
    EXPECT_THAT(handlers_.moved, ElementsAreArray(c.moved));
    EXPECT_THAT(handlers_.blocked, ElementsAreArray(c.blocked));
  }
  // Item data equal to nothing, not even themselves, still move with their entry.
  handlers_.during = nullptr;
  ASSERT_TRUE(boxes_->AddItem(Side::kLeft, "n", Variant(std::nan(""))));
  ASSERT_TRUE(boxes_->MoveRight(true));
  EXPECT_EQ(boxes_->List(Side::kLeft).ListCount(), 0);
}

TEST_F(TwoBoxesTest, LaysOutListsAndButtonsByWidth) {
  ASSERT_TRUE(boxes_->SetSize(6000, 2415));
  EXPECT_EQ(Lst("lstLeft").Width(), 2550);
  EXPECT_EQ(Lst("lstRight").Width(), 2550);
  EXPECT_EQ(Lst("lstRight").Left(), 3435);
  EXPECT_EQ(Lst("lstRightCheck").Left(), 3435);
  const int top = Lst("lstRight").Top();
  EXPECT_EQ(Lst("lstLeft").Top(), top);
  // Whole rows on the right; the left list matches them.
  EXPECT_LE(Lst("lstRight").Height(), 2415 - top);
  EXPECT_EQ(Lst("lstLeft").Height(), Lst("lstRight").Height());
  for (const char* name : {"cmdAdd", "cmdAddAll", "cmdRemove", "cmdRemoveAll"}) {
    EXPECT_EQ(boxes_->FindAs<ui::CommandButton>(name)->Left(), 2655) << name;
    EXPECT_TRUE(boxes_->FindAs<ui::CommandButton>(name)->Visible()) << name;
  }
  EXPECT_EQ(boxes_->FindAs<ui::CommandButton>("cmdRemove")->Top(), top + 960);

  boxes_->SetAddOnly(true);
  auto& add = *boxes_->FindAs<ui::CommandButton>("cmdAdd");
  EXPECT_EQ(add.Top(), top + Lst("lstLeft").Height() / 2 - add.Height() / 2);
  EXPECT_FALSE(boxes_->FindAs<ui::CommandButton>("cmdAddAll")->Visible());
}

TEST_F(TwoBoxesTest, PersistsCaptionsAndFlagsButNotEntries) {
  ui::PropertyBag bag;
  ASSERT_TRUE(boxes_->Save(bag).ok());
  EXPECT_EQ(bag.size(), 0u);  // all defaults

  boxes_->SetLeftCaption("Available");
  boxes_->SetRightCaption("Chosen entries, with a caption long enough to wrap");
  boxes_->SetAddOnly(true);
  boxes_->SetRightHasCheckmarks(true);
  Fill(Side::kLeft, {"a"});
  ASSERT_TRUE(boxes_->Save(bag).ok());

  auto copy = std::make_shared<TwoBoxes>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "tbx2").ok());
  ASSERT_TRUE(copy->Load(bag).ok());
  EXPECT_EQ(copy->LeftCaption(), "Available");
  EXPECT_EQ(copy->RightCaption(), "Chosen entries, with a caption long enough to wrap");
  EXPECT_TRUE(copy->AddOnly());
  // Laid out for what was read, though the size did not change.
  EXPECT_FALSE(copy->FindAs<ui::CommandButton>("cmdRemove")->Visible());
  EXPECT_EQ(copy->FindAs<ui::ListBox>("lstLeft")->Top(),
            copy->FindAs<ui::Label>("lblRight")->Height() + 120);
  EXPECT_GT(copy->FindAs<ui::Label>("lblRight")->Height(), 195);
  EXPECT_TRUE(copy->RightHasCheckmarks());
  EXPECT_TRUE(copy->FindAs<ui::ListBox>("lstRightCheck")->Visible());
  EXPECT_EQ(copy->List(Side::kLeft).ListCount(), 0);
}

}  // namespace
}  // namespace feriant::lumatrel
