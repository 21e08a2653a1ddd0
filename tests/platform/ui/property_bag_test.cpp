#include "platform/ui/persistence/property_bag.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using automation::ByteArray;
using automation::Currency;
using automation::Variant;
using automation::VarType;
using testing::UiTest;

class PropertyBagTest : public UiTest {};

TEST_F(PropertyBagTest, ValuesEqualToTheirDefaultAreNotStored) {
  struct Case {
    const char* what;
    Variant value;
    Variant default_value;
    bool stored;
  };
  const Case cases[] = {
      {"same string", "Title", "Title", false},
      {"strings compare exactly", "title", "Title", true},
      {"boolean equal after coercion of -1", std::int32_t{-1}, true, false},
      {"boolean from text", "True", true, false},
      {"boolean differs", false, true, true},
      {"long equal to integer default", std::int32_t{7}, std::int16_t{7}, false},
      {"double rounds half to even into an integer default", 2.5, std::int16_t{2}, false},
      {"currency against double", Currency{82500}, 8.25, false},
      {"currency differs in the fourth place", Currency{82501}, Currency{82500}, true},
      {"text that is no number", "abc", std::int32_t{0}, true},
      {"number against string default", std::int32_t{5}, "5", false},
      {"empty against empty string", Variant(), "", false},
      {"nothing against empty picture", Variant(automation::ObjectRef()),
       Variant(StdPicture::Empty()), false},
      {"picture against nothing", Variant(StdPicture::CreateBitmap(2, 2)),
       Variant(automation::ObjectRef()), true},
      {"no default stores everything", "Title", Variant::Missing(), true},
      {"byte arrays compare exactly", ByteArray{1, 2}, ByteArray{1, 2}, false},
  };
  for (const Case& c : cases) {
    PropertyBag bag;
    ASSERT_TRUE(bag.WriteProperty("Key", c.value, c.default_value)) << c.what;
    EXPECT_EQ(bag.Contains("Key"), c.stored) << c.what;
  }
}

TEST_F(PropertyBagTest, MissingKeysGiveTheDefaultOrAnError) {
  PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("Title", "Hello", "Title"));
  EXPECT_EQ(*bag.ReadProperty("title", "Title"), Variant("Hello"));  // keys ignore case
  EXPECT_EQ(*bag.ReadProperty("Msg", "Msg"), Variant("Msg"));
  EXPECT_EQ(*bag.ReadProperty("AutoSize", true), Variant(true));
  // Without a default a missing key is an error, so a control can leave the setting alone.
  EXPECT_FALSE(bag.ReadProperty("FontName").ok());
  EXPECT_EQ(bag.ReadLog(), (std::vector<std::string>{"title", "Msg", "AutoSize", "FontName"}));
}

TEST_F(PropertyBagTest, KeepsTheOrderOfWritingAndRewritesInPlace) {
  PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("Title", "T"));
  ASSERT_TRUE(bag.WriteProperty("Msg", "Msg", "Msg"));  // equal to default: not stored
  ASSERT_TRUE(bag.WriteProperty("AutoSize", false, true));
  ASSERT_TRUE(bag.WriteProperty("FontName", "Tahoma"));
  ASSERT_TRUE(bag.WriteProperty("TITLE", "U"));  // same key again keeps its place and case
  EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Title", "AutoSize", "FontName"}));
  EXPECT_EQ(*bag.ReadProperty("Title"), Variant("U"));
  EXPECT_EQ(bag.WriteLog(),
            (std::vector<std::string>{"Title", "Msg", "AutoSize", "FontName", "TITLE"}));
  // Writing the default later removes the stale value instead of leaving it to be read.
  ASSERT_TRUE(bag.WriteProperty("AutoSize", true, true));
  EXPECT_FALSE(bag.Contains("AutoSize"));
  EXPECT_EQ(*bag.ReadProperty("AutoSize", true), Variant(true));
}

TEST_F(PropertyBagTest, StoresCopiesOfFontsAndPictures) {
  auto font = StdFont::Create();
  auto picture = StdPicture::CreateBitmap(3, 2, Rgb(1, 2, 3));
  PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("Font", Variant(font)));
  ASSERT_TRUE(bag.WriteProperty("Icon", Variant(picture), Variant(automation::ObjectRef())));
  font->SetBold(true);
  ASSERT_TRUE(picture->SetPixel(0, 0, Rgb(9, 9, 9)));

  auto font_back = FontOf(*bag.ReadProperty("Font"));
  auto picture_back = PictureOf(*bag.ReadProperty("Icon"));
  ASSERT_TRUE(font_back && picture_back);
  EXPECT_FALSE(font_back->Bold());
  EXPECT_EQ(*picture_back->Pixel(0, 0), Rgb(1, 2, 3));
  EXPECT_NE(picture_back.get(), picture.get());
}

TEST_F(PropertyBagTest, RefusesWhatCannotBePersisted) {
  PropertyBag bag;
  auto not_persistable = std::make_shared<automation::EventSink>();
  EXPECT_FALSE(bag.WriteProperty("Sink", Variant(automation::ObjectRef(not_persistable))));
  EXPECT_FALSE(bag.WriteProperty("", "x"));
  EXPECT_FALSE(bag.WriteProperty("Missing", Variant::Missing()));
  EXPECT_TRUE(bag.empty());
}

TEST_F(PropertyBagTest, ContentsRebuildTheSameBag) {
  auto font = StdFont::Create(FontDesc{"Tahoma", Currency{97500}, true, false, true, false});
  auto picture = StdPicture::CreateBitmap(146, 14, Rgb(10, 20, 30));
  ASSERT_TRUE(picture->SetPixel(145, 13, Rgb(200, 100, 50)));
  PropertyBag inner;
  ASSERT_TRUE(inner.WriteProperty("Count", std::int32_t{2}));
  auto inner_bytes = inner.Contents();
  ASSERT_TRUE(inner_bytes.ok());

  const std::vector<std::pair<std::string, Variant>> values = {
      {"Empty", Variant()},
      {"Null", Variant::Null()},
      {"Bool", true},
      {"I2", std::int16_t{-32768}},
      {"I4", std::int32_t{2147483647}},
      {"R8", 0.1},
      {"Inf", std::numeric_limits<double>::infinity()},
      {"Currency", Currency{-922337203685477LL * 10000 - 5808}},
      {"Date", automation::Date(38877.75)},
      {"Text", "Zürich \"quoted\"\n"},
      {"Bytes", ByteArray{0, 255, 7}},
      {"NoBytes", ByteArray{}},
      {"Array", automation::VariantArray{std::int32_t{1}, "two", automation::VariantArray{}}},
      {"Font", Variant(font)},
      {"Picture", Variant(picture)},
      {"EmptyPicture", Variant(StdPicture::Empty())},
      {"Nothing", Variant(automation::ObjectRef())},
      {"Nested", *inner_bytes},
  };
  PropertyBag bag;
  for (const auto& [key, value] : values)
    ASSERT_TRUE(bag.WriteProperty(key, value)) << key;
  auto bytes = bag.Contents();
  ASSERT_TRUE(bytes.ok()) << bytes.error().description;
  auto rebuilt = PropertyBag::FromContents(*bytes);
  ASSERT_TRUE(rebuilt.ok()) << rebuilt.error().description;
  EXPECT_EQ(rebuilt->Keys(), bag.Keys());

  for (const auto& [key, value] : values) {
    const Variant back = *rebuilt->ReadProperty(key);
    ASSERT_EQ(back.type(), value.type()) << key;
    if (auto f = FontOf(value)) {
      EXPECT_EQ(FontOf(back)->Desc(), f->Desc()) << key;
    } else if (auto p = PictureOf(value)) {
      EXPECT_TRUE(PictureOf(back)->SameImage(*p)) << key;
      EXPECT_EQ(PictureOf(back)->Width(), p->Width()) << key;
    } else if (value.IsObject()) {
      EXPECT_FALSE(back.AsObject()) << key;
    } else {
      EXPECT_EQ(back, value) << key;
    }
  }
  auto nested = PropertyBag::FromContents(*rebuilt->ReadProperty("Nested")->AsBytes());
  ASSERT_TRUE(nested.ok());
  EXPECT_EQ(*nested->ReadProperty("Count"), Variant(std::int32_t{2}));
}

TEST_F(PropertyBagTest, RefusesDamagedContents) {
  PropertyBag bag;
  ASSERT_TRUE(bag.WriteProperty("Title", "T"));
  const ByteArray good = *bag.Contents();
  auto bytes_of = [](const std::string& text) { return ByteArray(text.begin(), text.end()); };
  std::string deep = R"({"format":"feriant-bag","version":1,"properties":[["A",)";
  for (int i = 0; i < 100; ++i)
    deep += R"({"type":"Array","value":[)";
  for (int i = 0; i < 100; ++i)
    deep += "]}";
  deep += "]]}";
  const struct {
    const char* what;
    ByteArray bytes;
  } cases[] = {
      {"empty", ByteArray{}},
      {"cut short", ByteArray(good.begin(), good.begin() + static_cast<long>(good.size() / 2))},
      {"not JSON", bytes_of("\x01\x02garbage")},
      {"other format", bytes_of(R"({"format":"x","version":1,"properties":[]})")},
      {"format not text", bytes_of(R"({"format":7,"version":1,"properties":[]})")},
      {"future version", bytes_of(R"({"format":"feriant-bag","version":2,"properties":[]})")},
      {"untyped value", bytes_of(R"({"format":"feriant-bag","version":1,"properties":[["A",5]]})")},
      {"integer out of range",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Integer","value":40000}]]})")},
      {"long past 2^63",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Long","value":18446744073709551615}]]})")},
      {"bad base64",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Bytes","value":"@@@="}]]})")},
      {"currency with five decimals",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Currency","value":"1.00001"}]]})")},
      {"picture pixels missing",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Picture","width":2,"height":2,"himetric_width":1,"himetric_height":1,"pixels":"AAAA"}]]})")},
      {"duplicate key",
       bytes_of(
           R"({"format":"feriant-bag","version":1,"properties":[["A",{"type":"Empty"}],["a",{"type":"Empty"}]]})")},
      {"arrays nested too deep", bytes_of(deep)},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(PropertyBag::FromContents(c.bytes).ok()) << c.what;
  }
}

}  // namespace
}  // namespace feriant::ui
