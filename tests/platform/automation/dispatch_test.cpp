#include "platform/automation/dispatch.h"

#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace feriant::automation {
namespace {

// A small object with every kind of member. Its log records which function answered.
class Widget final : public DispatchObject<Widget> {
 public:
  static constexpr DispId kCaption = 1;
  static constexpr DispId kPicture = 2;  // put by reference only
  static constexpr DispId kTag = 3;      // put only
  static constexpr DispId kRefresh = 4;  // method only
  static constexpr DispId kAdd = 5;      // method with named arguments
  static constexpr DispId kFail = 6;
  static constexpr DispId kSwap = 7;  // writes back into its arguments
  static constexpr DispId kItems = kDispIdNewEnum;

  static const Members<Widget>& Interface() {
    static const auto* members = [] {
      auto* m = new Members<Widget>();
      m->Get("Value", kDispIdValue,
             [](Widget& w, std::span<Variant>) -> Result<Variant> { return Variant(w.caption); })
          .Put("Caption", kCaption,
               [](Widget& w, std::span<Variant> args) -> Status {
                 w.log.push_back("put Caption");
                 auto text = args.back().ToString();
                 if (!text) return text.error();
                 w.caption = *text;
                 return Ok();
               })
          .Get("Caption", kCaption,
               [](Widget& w, std::span<Variant>) -> Result<Variant> {
                 w.log.push_back("get Caption");
                 return Variant(w.caption);
               })
          .PutRef("Picture", kPicture,
                  [](Widget& w, std::span<Variant> args) -> Status {
                    w.log.push_back("putref Picture");
                    w.picture = args.back();
                    return Ok();
                  })
          .Put("Tag", kTag,
               [](Widget& w, std::span<Variant> args) -> Status {
                 w.log.push_back("put Tag");
                 w.tag = args.back();
                 return Ok();
               })
          .Method("Refresh", kRefresh,
                  [](Widget& w, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
                    w.log.push_back("Refresh");
                    return Variant();
                  })
          .Method("Add", kAdd,
                  [](Widget&, std::span<Variant> args,
                     std::span<const NamedArg> named) -> Result<Variant> {
                    const Variant name = ArgumentOf(args, named, "Name", 0);
                    const Variant count = ArgumentOf(args, named, "Count", 1);
                    return Variant((name.IsMissing() ? std::string("-") : *name.ToString()) + "/" +
                                   (count.IsMissing() ? std::string("-") : *count.ToString()));
                  })
          .Method("Fail", kFail,
                  [](Widget&, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
                    throw ObjectError(380, "Invalid property value", "Lumatrel.Widget");
                  })
          .Method(
              "Swap", kSwap,
              [](Widget&, std::span<Variant> args, std::span<const NamedArg>) -> Result<Variant> {
                if (args.size() != 2) return MakeError(hresult::kBadParamCount);
                std::swap(args[0], args[1]);
                return Variant();
              })
          .Get("_NewEnum", kItems, [](Widget& w, std::span<Variant>) -> Result<Variant> {
            return Variant(VariantArray{Variant(w.caption), Variant("second")});
          });
      return m;
    }();
    return *members;
  }

  std::string TypeName() const override { return "Widget"; }

  std::string caption = "initial";
  Variant picture;
  Variant tag;
  std::vector<std::string> log;
};

TEST(DispatchTest, NamesCompareIgnoringCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"Caption", "caption", true},   {"cmdOKCaption", "CMDOKCAPTION", true},
      {"Caption", "Caption2", false}, {"", "", true},
      {"Capti0n", "Caption", false},  {"\xC3\xA4", "\xC3\x84", false},  // ASCII only
  };
  for (const Case& c : cases)
    EXPECT_EQ(NamesEqual(c.a, c.b), c.equal) << c.a << " " << c.b;

  Widget widget;
  struct Lookup {
    const char* name;
    std::int32_t code;
    DispId id;
  };
  const Lookup lookups[] = {
      {"caption", 0, Widget::kCaption}, {"CAPTION", 0, Widget::kCaption},
      {"value", 0, kDispIdValue},       {"_newenum", 0, kDispIdNewEnum},
      {"Refresh", 0, Widget::kRefresh}, {"Captions", hresult::kUnknownName, 0},
      {"", hresult::kUnknownName, 0},
  };
  for (const Lookup& c : lookups) {
    auto id = widget.GetIdOfName(c.name);
    EXPECT_EQ(id.ok() ? 0 : id.error().code, c.code) << c.name;
    if (id.ok()) {
      EXPECT_EQ(*id, c.id) << c.name;
    }
  }
}

TEST(DispatchTest, CallsByNameAndById) {
  auto widget = std::make_shared<Widget>();
  ASSERT_TRUE(widget->Put("CAPTION", Variant("Hello")).ok());
  EXPECT_EQ(*widget->Get("caption"), Variant("Hello"));
  EXPECT_EQ(*widget->Get(Widget::kCaption), Variant("Hello"));
  EXPECT_EQ(*widget->Get(kDispIdValue), Variant("Hello"));
  ASSERT_TRUE(widget->Put(Widget::kCaption, Variant(std::int32_t{42})).ok());
  EXPECT_EQ(widget->caption, "42");
  EXPECT_THAT(widget->log,
              ::testing::ElementsAre("put Caption", "get Caption", "get Caption", "put Caption"));
  EXPECT_EQ(*widget->Enumerate(), (VariantArray{Variant("42"), Variant("second")}));
}

// Which function answers a call of each kind, and what a call that fits none returns.
TEST(DispatchTest, KindsOfCallReachTheRightMember) {
  struct Case {
    const char* name;
    DispId id;
    InvokeKind kind;
    std::int32_t code;  // 0: succeeds
    const char* answered;
  };
  const Case cases[] = {
      {"get of a property", Widget::kCaption, InvokeKind::kPropertyGet, 0, "get Caption"},
      {"property called as a method", Widget::kCaption, InvokeKind::kMethod, 0, "get Caption"},
      {"method read as a property", Widget::kRefresh, InvokeKind::kPropertyGet, 0, "Refresh"},
      {"put", Widget::kCaption, InvokeKind::kPropertyPut, 0, "put Caption"},
      {"put falls back to put by reference", Widget::kPicture, InvokeKind::kPropertyPut, 0,
       "putref Picture"},
      {"put by reference falls back to put", Widget::kTag, InvokeKind::kPropertyPutRef, 0,
       "put Tag"},
      {"get of a write-only property", Widget::kTag, InvokeKind::kPropertyGet,
       hresult::kMemberNotFound, ""},
      {"put of a method", Widget::kRefresh, InvokeKind::kPropertyPut, hresult::kMemberNotFound, ""},
      {"unknown id", 99, InvokeKind::kMethod, hresult::kMemberNotFound, ""},
  };
  for (const Case& c : cases) {
    Widget widget;
    std::vector<Variant> args{Variant("v")};
    auto result = widget.Invoke(c.id, c.kind, args, {});
    EXPECT_EQ(result.ok() ? 0 : result.error().code, c.code) << c.name;
    EXPECT_EQ(widget.log.empty() ? "" : widget.log.front(), std::string(c.answered)) << c.name;
  }
  Widget widget;
  auto no_value = widget.Invoke(Widget::kCaption, InvokeKind::kPropertyPut, {}, {});
  EXPECT_EQ(no_value.error().code, hresult::kBadParamCount);
  EXPECT_EQ(widget.Put("Nothing", Variant(1)).error().code, hresult::kUnknownName);
}

TEST(DispatchTest, NamedArgumentsComeBeforePositionalOnes) {
  struct Case {
    std::vector<Variant> args;
    std::vector<NamedArg> named;
    const char* result;
  };
  const Case cases[] = {
      {{Variant("a"), Variant(std::int32_t{2})}, {}, "a/2"},
      {{}, {{"Count", Variant(std::int32_t{3})}, {"name", Variant("b")}}, "b/3"},
      {{Variant("a")}, {{"COUNT", Variant(std::int32_t{4})}}, "a/4"},
      {{Variant("a"), Variant(std::int32_t{2})}, {{"Name", Variant("c")}}, "c/2"},
      {{Variant::Missing(), Variant(std::int32_t{5})}, {}, "-/5"},
      {{}, {{"Other", Variant("x")}}, "-/-"},
      {{}, {}, "-/-"},
  };
  for (const Case& c : cases) {
    Widget widget;
    EXPECT_EQ(*widget.Call("add", c.args, c.named), Variant(c.result)) << c.result;
  }
}

TEST(DispatchTest, ObjectErrorsArriveAsValues) {
  Widget widget;
  auto result = widget.Call("Fail");
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(static_cast<std::uint32_t>(result.error().code), 0x80040000u + 380u);
  EXPECT_EQ(result.error().description, "Invalid property value");
  EXPECT_EQ(result.error().source, "Lumatrel.Widget");

  const ObjectError thrown(7, "Out of memory", "src");
  EXPECT_EQ(static_cast<std::uint32_t>(thrown.error().code), 0x80040007u);
  EXPECT_STREQ(thrown.what(), "Out of memory");
}

TEST(DispatchTest, CalleesWriteBackIntoArguments) {
  Widget widget;
  std::vector<Variant> args{Variant("left"), Variant(std::int32_t{1})};
  ASSERT_TRUE(widget.Invoke(Widget::kSwap, InvokeKind::kMethod, args, {}).ok());
  EXPECT_EQ(args[0], Variant(std::int32_t{1}));
  EXPECT_EQ(args[1], Variant("left"));
}

TEST(DispatchTest, SlotsKeepTheOrderOfTheTable) {
  const auto& slots = Widget::Interface().Slots();
  std::vector<std::string> names;
  for (const auto& slot : slots)
    names.push_back(slot.name + (slot.kind == InvokeKind::kPropertyGet   ? " get"
                                 : slot.kind == InvokeKind::kPropertyPut ? " put"
                                 : slot.kind == InvokeKind::kMethod      ? ""
                                                                         : " putref"));
  EXPECT_THAT(names,
              ::testing::ElementsAre("Value get", "Caption put", "Caption get", "Picture putref",
                                     "Tag put", "Refresh", "Add", "Fail", "Swap", "_NewEnum get"));
}

}  // namespace
}  // namespace feriant::automation
