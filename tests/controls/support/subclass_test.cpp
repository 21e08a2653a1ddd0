#include "controls/support/subclass.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

namespace window = ui::window;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAre;

std::vector<std::string> calls;

// The window's own procedure before subclassing: logs and answers 7.
std::intptr_t OwnProc(window::Handle, std::uint32_t, std::intptr_t, std::intptr_t) {
  calls.push_back("own");
  return 7;
}

class Handler final : public SubclassHandler {
 public:
  Handler(std::string name, std::int32_t response, std::int32_t result = 0)
      : name_(std::move(name)), response_(response), result_(result) {}
  std::int32_t MsgResponse() const override { return response_; }
  void SetMsgResponse(std::int32_t value) override { response_ = value; }
  std::int32_t WindowProc(window::Handle, std::uint32_t message, std::intptr_t,
                          std::intptr_t) override {
    seen_message = CurrentMessage();
    EXPECT_EQ(seen_message, message);
    calls.push_back(name_);
    return result_;
  }
  std::uint32_t seen_message = 0;

 private:
  std::string name_;
  std::int32_t response_;
  std::int32_t result_;
};

class SubclassTest : public ui::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    calls.clear();
    w_ = window::Create();
    window::SetProcedure(w_, &OwnProc);
  }
  void TearDown() override {
    window::testing::SetPropWriteFilter({});
    window::Destroy(w_);
    UiTest::TearDown();
  }
  std::string W() const { return std::to_string(w_); }

  window::Handle w_ = 0;
};

TEST_F(SubclassTest, AttachRefusesWhatItCannotHookAndKeepsItsBooksInTheWindow) {
  Handler h("h", msg_response::kConsume);
  const window::Handle gone = window::Create();
  window::Destroy(gone);
  const window::Handle foreign = window::testing::AddForeignWindow(window::CurrentProcess() + 1);
  struct Case {
    window::Handle hwnd;
    std::uint32_t code;
    const char* description;
  };
  ASSERT_TRUE(AttachMessage(h, w_, window::kGetMinMaxInfo));
  const Case refused[] = {
      {gone, 0x8004331B, "Invalid window"},
      {foreign, 0x8004331C, "Can't modify external window"},
      {w_, 0x8004331A, "Message already handled by another class"},
  };
  for (const Case& c : refused) {
    Status status = AttachMessage(h, c.hwnd, window::kGetMinMaxInfo);
    ASSERT_FALSE(status) << c.description;
    EXPECT_EQ(status.error().code, static_cast<std::int32_t>(c.code));
    EXPECT_EQ(status.error().description, c.description);
    EXPECT_EQ(status.error().source, "liblumatrel.WindowProc");
  }
  // A second message of the same window is a second attachment.
  ASSERT_TRUE(AttachMessage(h, w_, 5));
  EXPECT_THAT(window::PropNames(w_), UnorderedElementsAre("C" + W(), W(), W() + "#36#1",
                                                          W() + "#36C", W() + "#5#1", W() + "#5C"));
  EXPECT_EQ(window::GetProp(w_, "C" + W()), 2);
  EXPECT_EQ(window::ProcedureOf(window::GetProp(w_, W())), &OwnProc);
  DetachMessage(h, w_, 5);
  DetachMessage(h, w_, window::kGetMinMaxInfo);
  EXPECT_TRUE(window::PropNames(w_).empty());
  EXPECT_EQ(window::GetProcedure(w_), &OwnProc);
}

TEST_F(SubclassTest, HandlersRunLastAttachedFirstAndMsgResponseInvolvesTheOwnProcedure) {
  struct Case {
    std::vector<std::int32_t> responses;  // in attachment order: h1, h2, ...
    std::vector<std::string> calls;
    std::intptr_t result;
  };
  const Case cases[] = {
      // 0: the handler is the only code that sees the message.
      {{0}, {"h1"}, 101},
      {{1}, {"h1", "own"}, 7},
      {{2}, {"own", "h1"}, 101},
      {{0, 0}, {"h2", "h1"}, 101},
      // 2 counts only for the first-attached handler, 1 only for the last one visited.
      {{0, 2}, {"h2", "h1"}, 101},
      {{2, 0}, {"h2", "own", "h1"}, 101},
      {{0, 1}, {"h2", "h1"}, 101},
      {{1, 0}, {"h2", "h1", "own"}, 7},
  };
  for (const Case& c : cases) {
    std::vector<std::unique_ptr<Handler>> handlers;
    for (size_t i = 0; i < c.responses.size(); ++i) {
      handlers.push_back(std::make_unique<Handler>("h" + std::to_string(i + 1), c.responses[i],
                                                   static_cast<std::int32_t>(101 + i * 100)));
      ASSERT_TRUE(AttachMessage(*handlers.back(), w_, window::kGetMinMaxInfo));
    }
    calls.clear();
    EXPECT_EQ(window::Send(w_, window::kGetMinMaxInfo), c.result);
    EXPECT_THAT(calls, ElementsAreArray(c.calls));
    EXPECT_EQ(handlers.front()->seen_message, window::kGetMinMaxInfo);
    // Other messages pass straight through.
    calls.clear();
    EXPECT_EQ(window::Send(w_, 15), 7);
    EXPECT_THAT(calls, ElementsAre("own"));
    for (auto& h : handlers)
      DetachMessage(*h, w_, window::kGetMinMaxInfo);
    EXPECT_EQ(window::GetProcedure(w_), &OwnProc);
  }
}

TEST_F(SubclassTest, DetachingClosesTheGapAndTheLastDetachRestoresTheProcedure) {
  Handler h1("h1", 0), h2("h2", 0), h3("h3", 0);
  for (Handler* h : {&h1, &h2, &h3})
    ASSERT_TRUE(AttachMessage(*h, w_, window::kGetMinMaxInfo));
  DetachMessage(h2, w_, window::kGetMinMaxInfo);
  DetachMessage(h2, w_, window::kGetMinMaxInfo);  // not attached any more: nothing
  EXPECT_EQ(window::GetProp(w_, W() + "#36C"), 2);
  EXPECT_EQ(window::GetProp(w_, W() + "#36#2"), reinterpret_cast<std::intptr_t>(&h3));
  EXPECT_EQ(window::GetProp(w_, W() + "#36#3"), 0);
  EXPECT_EQ(window::GetProp(w_, "C" + W()), 2);
  EXPECT_NE(window::GetProcedure(w_), &OwnProc);
  window::Send(w_, window::kGetMinMaxInfo);
  EXPECT_THAT(calls, ElementsAre("h3", "h1"));
  DetachMessage(h1, w_, window::kGetMinMaxInfo);
  DetachMessage(h3, w_, window::kGetMinMaxInfo);
  EXPECT_EQ(window::GetProcedure(w_), &OwnProc);
  EXPECT_TRUE(window::PropNames(w_).empty());
  EXPECT_EQ(CallOldWindowProc(w_, 15, 0, 0), 0);  // not subclassed any more
}

TEST_F(SubclassTest, AFailedWriteLeavesTheWindowAsItWas) {
  Handler first("first", 0), h("h", 0);
  // Which property write the window refuses; the window may already be subclassed.
  struct Case {
    std::string refused;
    bool subclassed_before;
  };
  const std::vector<Case> cases = {
      {W() + "#36C", false}, {W() + "#36#1", false}, {W(), false},
      {"C" + W(), false},    {W() + "#36C", true},   {"C" + W(), true},
  };
  for (const Case& c : cases) {
    if (c.subclassed_before) {
      ASSERT_TRUE(AttachMessage(first, w_, 5));
    }
    const auto names = window::PropNames(w_);
    const window::Procedure procedure = window::GetProcedure(w_);
    window::testing::SetPropWriteFilter(
        [&](window::Handle, std::string_view name, std::intptr_t) { return name != c.refused; });
    Status status = AttachMessage(h, w_, window::kGetMinMaxInfo);
    window::testing::SetPropWriteFilter({});
    ASSERT_FALSE(status) << c.refused;
    EXPECT_EQ(status.error().code, 5);
    EXPECT_EQ(status.error().source, "");
    EXPECT_EQ(window::PropNames(w_), names) << c.refused;
    EXPECT_EQ(window::GetProcedure(w_), procedure) << c.refused;
    if (c.subclassed_before) DetachMessage(first, w_, 5);
    EXPECT_EQ(window::GetProcedure(w_), &OwnProc);
  }
}

TEST_F(SubclassTest, DestroyingTheWindowEndsTheSubclassing) {
  Handler h("h", 0);
  ASSERT_TRUE(AttachMessage(h, w_, window::kGetMinMaxInfo));
  window::Send(w_, window::kDestroy);
  EXPECT_EQ(window::GetProcedure(w_), &OwnProc);
  EXPECT_THAT(calls, ElementsAre("own"));
  // Only the procedure and the total go; the per-message entries go with the window.
  EXPECT_THAT(window::PropNames(w_), ElementsAre(W() + "#36#1", W() + "#36C"));
  // A detach afterwards leaves a count from which the window can be subclassed again.
  DetachMessage(h, w_, window::kGetMinMaxInfo);
  EXPECT_TRUE(window::PropNames(w_).empty());
  ASSERT_TRUE(AttachMessage(h, w_, window::kGetMinMaxInfo));
  EXPECT_NE(window::GetProcedure(w_), &OwnProc);
  DetachMessage(h, w_, window::kGetMinMaxInfo);
}

TEST_F(SubclassTest, AHandlerDestroyedWithoutDetachingIsSkipped) {
  Handler kept("kept", 0, 5);
  ASSERT_TRUE(AttachMessage(kept, w_, window::kGetMinMaxInfo));
  auto gone = std::make_unique<Handler>("gone", 0, 9);
  ASSERT_TRUE(AttachMessage(*gone, w_, window::kGetMinMaxInfo));
  gone.reset();
  EXPECT_EQ(window::Send(w_, window::kGetMinMaxInfo), 5);
  EXPECT_THAT(calls, ElementsAre("kept"));
}

}  // namespace
}  // namespace feriant::lumatrel
