#include "platform/automation/variant.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/automation/errors.h"

namespace feriant::automation {
namespace {

constexpr std::int32_t kOk = 0;
constexpr std::int32_t kMismatch = hresult::kTypeMismatch;
constexpr std::int32_t kOverflow = hresult::kOverflow;

template <class T>
std::int32_t CodeOf(const Result<T>& result) {
  return result.ok() ? kOk : result.error().code;
}

Variant I2(std::int16_t n) {
  return Variant(n);
}
Variant I4(std::int32_t n) {
  return Variant(n);
}
Variant Cy(double n) {
  return Variant(Currency::FromDouble(n));
}

TEST(VariantTest, KindsFollowTheAutomationCodes) {
  struct Case {
    Variant value;
    VarType type;
  };
  const Case cases[] = {
      {Variant(), VarType::kEmpty},
      {Variant::Null(), VarType::kNull},
      {Variant(true), VarType::kBool},
      {I2(1), VarType::kI2},
      {I4(1), VarType::kI4},
      {Variant(1.0), VarType::kR8},
      {Cy(1), VarType::kCurrency},
      {Variant(Date(1)), VarType::kDate},
      {Variant("x"), VarType::kString},
      {Variant(ObjectRef()), VarType::kObject},
      {Variant(ErrorCode{5}), VarType::kError},
      {Variant(ByteArray{1, 2}), VarType::kByteArray},
      {Variant(VariantArray{I4(1)}), VarType::kArray},
      {Variant::Missing(), VarType::kError},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.value.type(), c.type) << static_cast<int>(c.type);
  EXPECT_TRUE(Variant::Missing().IsMissing());
  EXPECT_FALSE(Variant(ErrorCode{5}).IsMissing());
  EXPECT_FALSE(Variant().IsMissing());
  EXPECT_FALSE(Variant::Missing().IsEmpty());
}

TEST(VariantTest, BooleansAreMinusOneAndZero) {
  struct Case {
    Variant value;
    std::int32_t code;
    bool expected;
  };
  const Case to_bool[] = {
      {Variant(true), kOk, true},
      {Variant(false), kOk, false},
      {Variant("True"), kOk, true},
      {Variant("false"), kOk, false},
      {Variant(" TRUE "), kOk, true},
      {Variant("1"), kOk, true},
      {Variant("0"), kOk, false},
      {Variant("-0.5"), kOk, true},
      {I2(0), kOk, false},
      {I4(-7), kOk, true},
      {Variant(0.0), kOk, false},
      {Variant(0.1), kOk, true},
      {Variant(), kOk, false},
      {Variant("yes"), kMismatch, false},
      {Variant(""), kMismatch, false},
      {Variant::Null(), kMismatch, false},
      {Variant::Missing(), kMismatch, false},
  };
  for (const Case& c : to_bool) {
    auto result = c.value.ToBool();
    EXPECT_EQ(CodeOf(result), c.code) << c.value.ToString().value_or("?");
    if (result.ok()) {
      EXPECT_EQ(*result, c.expected);
    }
  }
  EXPECT_EQ(*Variant(true).ToI2(), -1);
  EXPECT_EQ(*Variant(true).ToI4(), -1);
  EXPECT_EQ(*Variant(true).ToDouble(), -1.0);
  EXPECT_EQ(*Variant(true).ToString(), "True");
  EXPECT_EQ(*Variant(false).ToString(), "False");
  EXPECT_EQ(ToVariantBool(true), -1);
}

// Whole-number coercion rounds half to even and refuses what does not fit.
TEST(VariantTest, WholeNumbersRoundHalfToEvenAndOverflow) {
  struct Case {
    Variant value;
    std::int32_t i2_code;
    std::int16_t i2;
    std::int32_t i4_code;
    std::int32_t i4;
  };
  const Case cases[] = {
      {Variant(0.5), kOk, 0, kOk, 0},
      {Variant(1.5), kOk, 2, kOk, 2},
      {Variant(2.5), kOk, 2, kOk, 2},
      {Variant(-0.5), kOk, 0, kOk, 0},
      {Variant(-1.5), kOk, -2, kOk, -2},
      {Variant(-2.5), kOk, -2, kOk, -2},
      {Variant(2.5000001), kOk, 3, kOk, 3},
      {Variant("2.5"), kOk, 2, kOk, 2},
      {Variant("3.5"), kOk, 4, kOk, 4},
      {Variant(" 42 "), kOk, 42, kOk, 42},
      {Variant("+7"), kOk, 7, kOk, 7},
      {Variant("1e3"), kOk, 1000, kOk, 1000},
      {Cy(2.5), kOk, 2, kOk, 2},
      {Variant(Date(38877.75)), kOverflow, 0, kOk, 38878},
      {Variant(32766.5), kOk, 32766, kOk, 32766},
      {Variant(32767.5), kOverflow, 0, kOk, 32768},
      {Variant(-32768.5), kOk, -32768, kOk, -32768},
      {Variant(-32769.0), kOverflow, 0, kOk, -32769},
      {Variant(2147483646.5), kOverflow, 0, kOk, 2147483646},
      {Variant(2147483647.5), kOverflow, 0, kOverflow, 0},
      {Variant(-2147483648.5), kOverflow, 0, kOk, std::numeric_limits<std::int32_t>::min()},
      {Variant(-2147483649.0), kOverflow, 0, kOverflow, 0},
      {Variant(1e300), kOverflow, 0, kOverflow, 0},
      {Variant(std::numeric_limits<double>::infinity()), kOverflow, 0, kOverflow, 0},
      {Variant(std::nan("")), kOverflow, 0, kOverflow, 0},
      {Variant(), kOk, 0, kOk, 0},
      {Variant(""), kMismatch, 0, kMismatch, 0},
      {Variant("12abc"), kMismatch, 0, kMismatch, 0},
      {Variant("0x10"), kMismatch, 0, kMismatch, 0},
      {Variant("nan"), kMismatch, 0, kMismatch, 0},
      {Variant("inf"), kMismatch, 0, kMismatch, 0},
      {Variant::Null(), kMismatch, 0, kMismatch, 0},
      {Variant::Missing(), kMismatch, 0, kMismatch, 0},
      {Variant(ObjectRef()), kMismatch, 0, kMismatch, 0},
      {Variant(ByteArray{1}), kMismatch, 0, kMismatch, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    auto i2 = c.value.ToI2();
    auto i4 = c.value.ToI4();
    EXPECT_EQ(CodeOf(i2), c.i2_code) << "case " << i;
    EXPECT_EQ(CodeOf(i4), c.i4_code) << "case " << i;
    if (i2.ok()) {
      EXPECT_EQ(*i2, c.i2) << "case " << i;
    }
    if (i4.ok()) {
      EXPECT_EQ(*i4, c.i4) << "case " << i;
    }
  }
}

TEST(VariantTest, NumbersAndTextConvertBothWays) {
  struct Case {
    Variant value;
    const char* text;
  };
  const Case to_text[] = {
      {I2(-5), "-5"},
      {I4(2147483647), "2147483647"},
      {Variant(1.5), "1.5"},
      {Variant(0.1), "0.1"},
      {Variant(-38877.75), "-38877.75"},
      {Variant(1.0 / 3.0), "0.333333333333333"},
      {Cy(1.5), "1.5"},
      {Cy(-0.5), "-0.5"},
      {Cy(3), "3"},
      {Cy(0.0001), "0.0001"},
      {Cy(-1234.5678), "-1234.5678"},
      {Variant(Date(38877.75)), "2006-06-09 18:00:00"},
      {Variant(Date(38877)), "2006-06-09"},
      {Variant(Date(-1.25)), "1899-12-29 06:00:00"},
      {Variant(), ""},
      {Variant("as is"), "as is"},
  };
  for (const Case& c : to_text)
    EXPECT_EQ(c.value.ToString().value_or("(failed)"), c.text) << c.text;

  const Variant not_text[] = {Variant::Null(), Variant::Missing(), Variant(ObjectRef()),
                              Variant(ByteArray{65}), Variant(VariantArray{Variant("a")})};
  for (const Variant& value : not_text)
    EXPECT_EQ(CodeOf(value.ToString()), kMismatch) << static_cast<int>(value.type());

  struct Number {
    const char* text;
    std::int32_t code;
    double value;
  };
  const Number from_text[] = {
      {"1.5", kOk, 1.5},       {"-3", kOk, -3.0},     {"1e-3", kOk, 0.001},
      {"\t7.25 ", kOk, 7.25},  {".5", kOk, 0.5},      {"1,5", kMismatch, 0},
      {"1.5.1", kMismatch, 0}, {"- 1", kMismatch, 0}, {"++1", kMismatch, 0},
      {"nan", kMismatch, 0},   {"inf", kMismatch, 0}, {"-Infinity", kMismatch, 0},
  };
  for (const Number& c : from_text) {
    auto value = Variant(c.text).ToDouble();
    EXPECT_EQ(CodeOf(value), c.code) << c.text;
    if (value.ok()) {
      EXPECT_EQ(*value, c.value) << c.text;
    }
  }
}

TEST(VariantTest, CurrencyKeepsFourDecimals) {
  struct Case {
    Variant value;
    std::int32_t code;
    std::int64_t scaled;
  };
  const Case cases[] = {
      {Variant(1.5), kOk, 15000},
      {Variant("1.23456"), kOk, 12346},
      {Variant(-0.00004), kOk, 0},
      {I4(-7), kOk, -70000},
      {Variant(100000000000.0), kOk, 1000000000000000},
      {Variant(1e15), kOverflow, 0},
      {Variant(-1e15), kOverflow, 0},
      {Variant("x"), kMismatch, 0},
  };
  for (const Case& c : cases) {
    auto value = c.value.ToCurrency();
    EXPECT_EQ(CodeOf(value), c.code) << c.scaled;
    if (value.ok()) {
      EXPECT_EQ(value->scaled, c.scaled);
    }
  }
  EXPECT_EQ(Cy(2.75).ToDouble().value(), 2.75);
}

TEST(VariantTest, DatesFromTextAndNumbers) {
  struct Case {
    Variant value;
    std::int32_t code;
    double date;
  };
  const Case cases[] = {
      {Variant("2006-06-09"), kOk, 38877.0},
      {Variant("2006-06-09 18:00"), kOk, 38877.75},
      {Variant("2006-06-09T06:00:00"), kOk, 38877.25},
      {Variant(" 1899-12-29 06:00 "), kOk, -1.25},
      {Variant(38877.75), kOk, 38877.75},
      {I4(2), kOk, 2.0},
      {Variant(Date(5)), kOk, 5.0},
      {Variant("2006-02-30"), kMismatch, 0},
      {Variant("2006-6-9"), kMismatch, 0},
      {Variant("2006-06-09 24:00"), kMismatch, 0},
      {Variant("2006-06-09 12"), kMismatch, 0},
      {Variant("09.06.2006"), kMismatch, 0},
      {Variant(true), kMismatch, 0},
      {Variant(), kMismatch, 0},
      {Variant::Null(), kMismatch, 0},
      // The automation date runs from the year 100 to 9999.
      {Variant(2958465.5), kOk, 2958465.5},
      {Variant(-657434.0), kOk, -657434.0},
      {Variant(2958466.0), kOverflow, 0},
      {Variant(-657435.0), kOverflow, 0},
      {Variant(1e300), kOverflow, 0},
      {Variant(std::nan("")), kOverflow, 0},
      {Variant("0099-12-31"), kOverflow, 0},
      {Variant("0100-01-01 12:00"), kOk, -657434.5},
  };
  for (const Case& c : cases) {
    auto date = c.value.ToDate();
    EXPECT_EQ(CodeOf(date), c.code) << c.date << " " << c.value.ToString().value_or("?");
    if (date.ok()) {
      EXPECT_EQ(date->value(), c.date);
    }
  }
  // A date made directly from a number out of range is refused as text, not misprinted.
  EXPECT_EQ(CodeOf(Variant(Date(1e300)).ToString()), kOverflow);
  EXPECT_EQ(CodeOf(Variant(Date(std::nan(""))).ToString()), kOverflow);
}

TEST(VariantTest, EqualityNeedsTheSameKindAndValue) {
  auto object = std::shared_ptr<Dispatch>();
  struct Case {
    Variant a;
    Variant b;
    bool equal;
  };
  const Case cases[] = {
      {I4(1), I4(1), true},
      {I4(1), I2(1), false},
      {I4(1), Variant(1.0), false},
      {Variant("a"), Variant("a"), true},
      {Variant("a"), Variant("A"), false},
      {Variant(), Variant(), true},
      {Variant(), Variant::Null(), false},
      {Variant(VariantArray{I4(1), Variant("x")}), Variant(VariantArray{I4(1), Variant("x")}),
       true},
      {Variant(VariantArray{I4(1)}), Variant(VariantArray{I4(2)}), false},
      {Variant(ByteArray{1, 2}), Variant(ByteArray{1, 2}), true},
      {Variant::Missing(), Variant(ErrorCode{hresult::kParamNotFound}), true},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].a == cases[i].b, cases[i].equal) << "case " << i;
}

TEST(VariantTest, ObjectsAreSharedNotCopied) {
  EXPECT_EQ(*Variant().ToObject(), nullptr);
  EXPECT_EQ(CodeOf(Variant("x").ToObject()), kMismatch);
  EXPECT_EQ(Variant("x").AsObject(), nullptr);
  const VariantArray elements{I4(1), Variant("two")};
  const Variant array(elements);
  ASSERT_NE(array.AsArray(), nullptr);
  EXPECT_EQ(*array.AsArray(), elements);
  EXPECT_EQ(Variant(ByteArray{7}).AsBytes()->front(), 7);
  EXPECT_EQ(*Variant("s").AsString(), "s");
}

}  // namespace
}  // namespace feriant::automation
