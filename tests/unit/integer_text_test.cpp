#include "items/integer_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/app_error.h"

namespace {

constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

TEST(ParseInteger, DecimalWithOptionalSignAndSurroundingBlanks) {
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("485"), 485);
  EXPECT_EQ(ParseInteger("-20"), -20);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("007"), 7);
  EXPECT_EQ(ParseInteger("  12\t"), 12);
  EXPECT_EQ(ParseInteger("\t-3 "), -3);
}

TEST(ParseInteger, HexadecimalAfterItsPrefixes) {
  EXPECT_EQ(ParseInteger("0x10"), 16);
  EXPECT_EQ(ParseInteger("0XfF"), 255);
  EXPECT_EQ(ParseInteger("$1A"), 26);
  EXPECT_EQ(ParseInteger("-0x10"), -16);
  EXPECT_EQ(ParseInteger("0x7FFFFFFF"), kMax);
  // Hexadecimal spells a 32-bit pattern.
  EXPECT_EQ(ParseInteger("0xFFFFFFFF"), -1);
  EXPECT_EQ(ParseInteger("$80000000"), kMin);
  EXPECT_EQ(ParseInteger("0x00000000000000001"), 1);
}

TEST(ParseInteger, ThirtyTwoBitLimitsAreExact) {
  EXPECT_EQ(ParseInteger("2147483647"), kMax);
  EXPECT_EQ(ParseInteger("-2147483648"), kMin);
  EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseInteger("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseInteger("0x100000000"), std::nullopt);
  EXPECT_EQ(ParseInteger("$FFFFFFFFF"), std::nullopt);
}

TEST(ParseInteger, AnythingElseIsNotAnInteger) {
  for (const char* text : {"", " ", "-", "+", "0x", "$", "abc", "12px", "1 2", "- 5", "+-5", "1.5",
                           "1e3", "0x1G", "$-1", "１２", "0b101"})
    EXPECT_EQ(ParseInteger(text), std::nullopt) << "'" << text << "'";
}

TEST(IntegerOrThrow, ReturnsTheValueOrNamesTheTextInTheError) {
  EXPECT_EQ(IntegerOrThrow("2"), 2);
  EXPECT_EQ(IntegerOrThrow(" 0x0A "), 10);
  try {
    IntegerOrThrow("最大化");
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "'最大化' は整数ではありません");
  }
  EXPECT_THROW(IntegerOrThrow(""), AppError);
}

}  // namespace
