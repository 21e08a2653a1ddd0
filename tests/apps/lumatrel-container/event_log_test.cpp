#include "apps/lumatrel-container/event_log.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/automation/events.h"

namespace feriant::lumatrel_container {
namespace {

const automation::Guid kBarEvents =
    *automation::Guid::Parse("{83C3A269-2EA8-4518-86AA-1D20ED0523B0}");
const automation::Guid kListEvents =
    *automation::Guid::Parse("{D1F71349-AD86-43CD-971D-9A5015EB389A}");
const automation::Guid kUnknownEvents =
    *automation::Guid::Parse("{12345678-0000-0000-0000-000000000000}");

TEST(EventLogTest, EventsAreLoggedByNameAndCancelIsSetWhenAsked) {
  using automation::Variant;
  const struct {
    const automation::Guid* events;
    automation::DispId id;
    std::vector<Variant> args;
    bool cancel;
    std::string line;
    std::vector<Variant> args_after;
  } cases[] = {
      {&kBarEvents, 1, {Variant(false)}, false, "btl.cmdOKClick(Cancel=False)", {Variant(false)}},
      {&kBarEvents,
       1,
       {Variant(false)},
       true,
       "btl.cmdOKClick(Cancel=False) -> Cancel=True",
       {Variant(true)}},
      {&kBarEvents,
       3,
       {Variant(false), Variant(true)},
       true,
       "btl.cmdApplyClick(Cancel=False, CalledByOK=True) -> Cancel=True",
       {Variant(true), Variant(true)}},
      {&kBarEvents,
       2,
       {Variant(false)},
       false,
       "btl.cmdCancelClick(Cancel=False)",
       {Variant(false)}},
      {&kBarEvents, 6, {}, true, "btl.cmdHelpClick()", {}},
      // TwoBoxes asks for consent: ticked "Cancel" refuses it.
      {&kListEvents,
       2,
       {Variant(std::int32_t{0}), Variant("a"), Variant(), Variant(true)},
       true,
       "btl.ValidateAdd(index=0, Text=\"a\", ItemData=Empty, OK=True) -> OK=False",
       {Variant(std::int32_t{0}), Variant("a"), Variant(), Variant(false)}},
      {&kListEvents,
       5,
       {Variant(automation::VariantArray{Variant("a"), Variant(std::int32_t{2})}),
        Variant(automation::VariantArray{})},
       true,
       "btl.AfterAdd(Moved=[\"a\", 2], Blocked=[])",
       {Variant(automation::VariantArray{Variant("a"), Variant(std::int32_t{2})}),
        Variant(automation::VariantArray{})}},
      // cmdOKClick raised without its argument: nothing to set.
      {&kBarEvents, 1, {}, true, "btl.cmdOKClick()", {}},
      // Unknown events: no names, and nothing is cancelled.
      {&kUnknownEvents,
       7,
       {Variant(false), Variant("x"), Variant(std::int32_t{42})},
       true,
       "btl.Event 7(False, \"x\", 42)",
       {Variant(false), Variant("x"), Variant(std::int32_t{42})}},
      {&kUnknownEvents,
       1,
       {Variant(), Variant::Null()},
       false,
       "btl.Event 1(Empty, Null)",
       {Variant(), Variant::Null()}},
  };
  for (const auto& c : cases) {
    auto log = std::make_shared<EventLog>();
    log->SetCancel(c.cancel);
    // Raised through an event source, as a control raises it.
    automation::EventSource source(*c.events);
    source.Advise(std::make_shared<LogSink>(log, "btl", *c.events));
    std::vector<Variant> args = c.args;
    source.Raise(c.id, args);
    ASSERT_EQ(log->Lines().size(), 1u) << c.line;
    EXPECT_EQ(log->Lines()[0], c.line);
    EXPECT_EQ(args, c.args_after) << c.line;
  }
}

TEST(EventLogTest, TheListenerSeesEveryLine) {
  EventLog log;
  std::vector<std::string> seen;
  log.SetListener([&](const std::string& line) { seen.push_back(line); });
  log.Add("one");
  log.Add("two");
  EXPECT_EQ(seen, (std::vector<std::string>{"one", "two"}));
  log.Clear();
  EXPECT_TRUE(log.Lines().empty());
}

}  // namespace
}  // namespace feriant::lumatrel_container
