#include "platform/automation/events.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace feriant::automation {
namespace {

using ::testing::ElementsAre;

constexpr DispId kClick = 1;
constexpr DispId kBeforeClose = 2;  // (ByRef Cancel)

// A sink that logs each call as "<tag> <dispid>".
std::shared_ptr<EventSink> Logging(std::vector<std::string>& log, const std::string& tag) {
  auto sink = std::make_shared<EventSink>();
  for (DispId id : {kClick, kBeforeClose}) {
    sink->On("Event" + std::to_string(id), id, [&log, tag, id](std::span<Variant>) {
      log.push_back(tag + " " + std::to_string(id));
    });
  }
  return sink;
}

TEST(EventsTest, SinksAreCalledInTheOrderTheyConnected) {
  EventSource source(*Guid::Parse("{83C3A269-2EA8-4518-86AA-1D20ED0523B0}"));
  std::vector<std::string> log;
  const auto a = source.Advise(Logging(log, "a"));
  const auto b = source.Advise(Logging(log, "b"));
  const auto c = source.Advise(Logging(log, "c"));
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
  EXPECT_EQ(source.SinkCount(), 3u);
  source.Raise(kClick);
  ASSERT_TRUE(source.Unadvise(b).ok());
  source.Raise(kBeforeClose);
  EXPECT_THAT(log, ElementsAre("a 1", "b 1", "c 1", "a 2", "c 2"));

  // A cookie works once; unknown cookies are refused.
  EXPECT_EQ(source.Unadvise(b).error().code, hresult::kInvalidArg);
  EXPECT_EQ(source.Unadvise(0).error().code, hresult::kInvalidArg);
  EXPECT_EQ(source.SinkCount(), 2u);
}

TEST(EventsTest, ByReferenceArgumentsComeBackToTheRaiser) {
  EventSource source;
  std::vector<std::string> seen;
  auto veto = std::make_shared<EventSink>();
  veto->On("BeforeClose", kBeforeClose, [](std::span<Variant> args) { args[0] = Variant(true); });
  auto watcher = std::make_shared<EventSink>();
  watcher->On("BeforeClose", kBeforeClose,
              [&](std::span<Variant> args) { seen.push_back(*args[0].ToString()); });
  source.Advise(watcher);
  source.Advise(veto);
  source.Advise(watcher);

  Variant args[] = {Variant(false)};
  source.Raise(kBeforeClose, args);
  EXPECT_EQ(args[0], Variant(true));
  // Each sink sees what the sinks before it left.
  EXPECT_THAT(seen, ElementsAre("False", "True"));
}

TEST(EventsTest, HandlersMayConnectAndDisconnectDuringAnEvent) {
  EventSource source;
  std::vector<std::string> log;
  EventSource::Cookie self = 0;
  EventSource::Cookie later = 0;
  auto leaving = std::make_shared<EventSink>();
  leaving->On("Click", kClick, [&](std::span<Variant>) {
    log.push_back("leaving");
    EXPECT_TRUE(source.Unadvise(self).ok());
    EXPECT_TRUE(source.Unadvise(later).ok());
    source.Advise(Logging(log, "new"));
  });
  self = source.Advise(std::move(leaving));  // the source holds the only reference
  later = source.Advise(Logging(log, "later"));

  source.Raise(kClick);
  source.Raise(kClick);
  // Changes made by a handler take effect from the next event.
  EXPECT_THAT(log, ElementsAre("leaving", "later 1", "new 1"));
  EXPECT_EQ(source.SinkCount(), 1u);
}

// A sink that fails does not keep the event from the others.
TEST(EventsTest, AFailingSinkDoesNotStopTheEvent) {
  class Failing final : public Dispatch {
   public:
    std::string TypeName() const override { return "Failing"; }
    Result<DispId> GetIdOfName(std::string_view) const override {
      return MakeError(hresult::kUnknownName);
    }
    Result<Variant> Invoke(DispId, InvokeKind, std::span<Variant>,
                           std::span<const NamedArg>) override {
      return MakeError(hresult::kException, "sink failed");
    }
  };
  EventSource source;
  std::vector<std::string> log;
  source.Advise(std::make_shared<Failing>());
  source.Advise(Logging(log, "after"));
  source.Raise(kClick);
  EXPECT_THAT(log, ElementsAre("after 1"));
}

TEST(EventsTest, EventSinksAnswerByNameAndIgnoreEventsWithoutHandler) {
  EventSink sink;
  int clicks = 0;
  sink.On("cmdOKClick", 7, [&](std::span<Variant>) { ++clicks; });
  EXPECT_EQ(*sink.GetIdOfName("CMDOKCLICK"), 7);
  EXPECT_EQ(sink.GetIdOfName("cmdCancelClick").error().code, hresult::kUnknownName);
  EXPECT_TRUE(sink.Invoke(8, InvokeKind::kMethod, {}, {}).ok());
  EXPECT_TRUE(sink.Call("cmdOKClick").ok());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace feriant::automation
