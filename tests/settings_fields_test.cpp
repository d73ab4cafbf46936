// The checks of the run's three numbers as typed: the two times and the output channel.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <variant>

#include "run/settings_fields.h"

namespace obscut {
namespace {

const std::string k30Blanks(30, ' ');
const std::string k31Blanks(31, ' ');

struct TimeCase {
  std::string text;
  std::optional<float> expected;
};

TEST(ParseTimeField, AcceptsADecimalNumberWithBlanksAroundItAndNothingElse) {
  const TimeCase cases[] = {
      {"60", 60.0f},
      {"0", 0.0f},
      {"00", 0.0f},
      {" 0.0", 0.0f},
      {"0e5", 0.0f},
      {"2.5", 2.5f},
      {"-10", -10.0f},
      {"+5", 5.0f},
      {"-0.5", -0.5f},
      {".5", 0.5f},
      {"5.", 5.0f},
      {"1e3", 1000.0f},
      {"1E+2", 100.0f},
      {"25e-1", 2.5f},
      {"\t30\t", 30.0f},
      {" \t 30 \t ", 30.0f},
      {"1e38", 1e38f},
      {"-1e38", -1e38f},
      // Zero must be written starting with the digit 0.
      {"-0", std::nullopt},
      {"+0", std::nullopt},
      {".0", std::nullopt},
      {"-0.0", std::nullopt},
      // Not a number, or more than a number.
      {"", std::nullopt},
      {" ", std::nullopt},
      {"\t", std::nullopt},
      {"60s", std::nullopt},
      {"s60", std::nullopt},
      {"6 0", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"e3", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"+-5", std::nullopt},
      {"1.2.3", std::nullopt},
      {"0x10", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"5\n", std::nullopt},
      {"1,5", std::nullopt},
      // Beyond a single-precision float.
      {"1e39", std::nullopt},
      {"-1e39", std::nullopt},
      {"1e400", std::nullopt},
      // Only the first 31 characters are read.
      {k30Blanks + "5", 5.0f},
      {k31Blanks + "5", std::nullopt},
      {"5" + k30Blanks + "x", 5.0f},
      {"12.5" + std::string(27, ' ') + "junk", 12.5f},
      {"12.5" + std::string(26, ' ') + "junk", std::nullopt},
      {"1234567890123456789012345678901234", static_cast<float>(1234567890123456789012345678901.0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_EQ(ParseTimeField(c.text), c.expected);
  }
}

struct IntegerCase {
  std::string text;
  std::optional<std::int32_t> expected;
};

TEST(ParseIntegerField, AcceptsASignedDecimalIntegerWithBlanksAroundIt) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  const IntegerCase cases[] = {
      {"0", 0},
      {"00", 0},
      {" 0", 0},
      {"3", 3},
      {" 3 ", 3},
      {"\t3\t", 3},
      {"+3", 3},
      {"-1", -1},
      {"5", 5},
      {"004", 4},
      {"-0", std::nullopt},
      {"+0", std::nullopt},
      {"", std::nullopt},
      {"  ", std::nullopt},
      {"3.0", std::nullopt},
      {"3.", std::nullopt},
      {"1e3", std::nullopt},
      {"3x", std::nullopt},
      {"x3", std::nullopt},
      {"3 4", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"--3", std::nullopt},
      // Out of the 32-bit range: held at its ends, so the range check still refuses it.
      {"2147483647", kMax},
      {"2147483648", kMax},
      {"99999999999999999999999", kMax},
      {"-2147483648", kMin},
      {"-99999999999999999999999", kMin},
      // Only the first 31 characters are read.
      {k30Blanks + "3", 3},
      {k31Blanks + "3", std::nullopt},
      {"3" + k30Blanks + "x", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("\"" + c.text + "\"");
    EXPECT_EQ(ParseIntegerField(c.text), c.expected);
  }
}

struct FieldsCase {
  const char* name;
  NumberFieldTexts texts;
  std::optional<NumberField> failingField;  // nothing: all three pass
  const char* message;
};

TEST(CheckNumberFields, ReportsTheFirstFailingFieldInTheOrderMaxMinChannel) {
  const FieldsCase cases[] = {
      {"the presets", {"60", "0", "0"}, std::nullopt, nullptr},
      {"minimum not below maximum", {"10", "30", "4"}, std::nullopt, nullptr},
      {"negative minimum", {"50", "-10", "1"}, std::nullopt, nullptr},
      {"bad maximum before bad minimum",
       {"60s", "x", "9"},
       NumberField::kMaxTime,
       kEnterNumberMessage},
      {"empty maximum", {"", "0", "0"}, NumberField::kMaxTime, kEnterNumberMessage},
      {"bad minimum before bad channel",
       {"60", "", "x"},
       NumberField::kMinTime,
       kEnterNumberMessage},
      {"minus zero minimum", {"60", "-0", "0"}, NumberField::kMinTime, kEnterNumberMessage},
      {"channel not an integer",
       {"60", "0", "3.0"},
       NumberField::kOutputChannel,
       kEnterIntegerMessage},
      {"empty channel", {"60", "0", ""}, NumberField::kOutputChannel, kEnterIntegerMessage},
      {"channel 5", {"60", "0", "5"}, NumberField::kOutputChannel, kChannelRangeMessage},
      {"channel -1", {"60", "0", "-1"}, NumberField::kOutputChannel, kChannelRangeMessage},
      {"huge channel",
       {"60", "0", "4294967296"},
       NumberField::kOutputChannel,
       kChannelRangeMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = CheckNumberFields(c.texts);
    if (!c.failingField) {
      ASSERT_TRUE(std::holds_alternative<NumberFieldValues>(result));
      const auto& values = std::get<NumberFieldValues>(result);
      EXPECT_EQ(values.maxTime, *ParseTimeField(c.texts.maxTime));
      EXPECT_EQ(values.minTime, *ParseTimeField(c.texts.minTime));
      EXPECT_EQ(values.outputChannel, *ParseIntegerField(c.texts.outputChannel));
      continue;
    }
    ASSERT_TRUE(std::holds_alternative<NumberFieldRejection>(result));
    const auto& rejection = std::get<NumberFieldRejection>(result);
    EXPECT_EQ(rejection.field, *c.failingField);
    EXPECT_STREQ(rejection.message, c.message);
  }
}

TEST(CheckNumberFields, GivesTheValuesOfAllThreeFields) {
  const auto result = CheckNumberFields({" 50 ", "-10", " 3 "});
  ASSERT_TRUE(std::holds_alternative<NumberFieldValues>(result));
  const auto& values = std::get<NumberFieldValues>(result);
  EXPECT_EQ(values.maxTime, 50.0f);
  EXPECT_EQ(values.minTime, -10.0f);
  EXPECT_EQ(values.outputChannel, 3);
}

TEST(SettingsFieldMessages, AreTheFrameworksTexts) {
  EXPECT_STREQ(kEnterNumberMessage, "Please enter a number.");
  EXPECT_STREQ(kEnterIntegerMessage, "Please enter an integer.");
  EXPECT_STREQ(kChannelRangeMessage, "Please enter an integer between 0 and 4.");
}

TEST(FormatTimeField, ShowsTheShortestFormWithSixSignificantDigits) {
  const struct {
    float seconds;
    const char* expected;
  } cases[] = {
      {60.0f, "60"},
      {0.0f, "0"},
      {2.5f, "2.5"},
      {0.1f, "0.1"},
      {-10.0f, "-10"},
      {123456.0f, "123456"},
      {1234567.0f, "1.23457e+06"},
      {0.0001f, "0.0001"},
      {1e-5f, "1e-05"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatTimeField(c.seconds), c.expected);
  }
}

}  // namespace
}  // namespace obscut
