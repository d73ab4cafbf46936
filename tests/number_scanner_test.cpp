// Number reading by the rules of atoi and sscanf's "%d" and "%f", independent of the locale.

#include "base/number_scanner.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace obscut {
namespace {

using namespace std::string_literals;
using Result = ScanCursor::Result;

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

// The C library's own reading of a complete number, in the "C" locale the tests run in.
float ReferenceStrtof(const std::string& token) {
  char* end = nullptr;
  const float value = std::strtof(token.c_str(), &end);
  EXPECT_EQ(static_cast<std::size_t>(end - token.c_str()), token.size())
      << "reference token \"" << token << "\" is not a whole number";
  return value;
}

// Equal as floats, and for zeros of the same sign; any NaN matches a NaN of the same sign.
void ExpectSameFloat(float expected, float actual) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << actual;
    EXPECT_EQ(std::signbit(expected), std::signbit(actual));
    return;
  }
  EXPECT_EQ(std::bit_cast<std::uint32_t>(expected), std::bit_cast<std::uint32_t>(actual))
      << "expected " << expected << ", got " << actual;
}

TEST(AtoiValueTest, ReadsByTheRulesOfAtoi) {
  struct Case {
    std::string text;
    std::int64_t expected;
  };
  const std::vector<Case> cases = {
      {"42", 42},
      {"0", 0},
      {" \t\n\v\f\r42", 42},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"12abc", 12},
      {"5 6", 5},
      {"3.9", 3},
      {"0x10", 0},
      {"", 0},
      {"   ", 0},
      {"abc", 0},
      {"-", 0},
      {"+", 0},
      {"+-3", 0},
      {"--3", 0},
      {"- 3", 0},
      {"x5", 0},
      {"1\0"
       "2"s,
       1},
      {"\0"
       "5"s,
       0},
      {"9223372036854775807", kInt64Max},
      {"-9223372036854775808", kInt64Min},
      {"9223372036854775808", kInt64Max},
      {"-9223372036854775809", kInt64Min},
      {"99999999999999999999999", kInt64Max},
      {"-99999999999999999999999", kInt64Min},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    EXPECT_EQ(AtoiValue(c.text), c.expected);
  }
}

TEST(ScanCursorTest, ReadsIntegersAsPercentD) {
  struct Case {
    std::string text;
    Result result;
    std::int64_t value;  // when result is kOk
  };
  const std::vector<Case> cases = {
      {"42", Result::kOk, 42},
      {"  \t-17", Result::kOk, -17},
      {"+8", Result::kOk, 8},
      {"12.5", Result::kOk, 12},
      {"1e5", Result::kOk, 1},
      {"0x10", Result::kOk, 0},
      {"40000", Result::kOk, 40000},
      {"9223372036854775808", Result::kOk, kInt64Max},
      {"-99999999999999999999", Result::kOk, kInt64Min},
      {"abc", Result::kMismatch, 0},
      {"-", Result::kMismatch, 0},
      {"+ 5", Result::kMismatch, 0},
      {".5", Result::kMismatch, 0},
      {"", Result::kEndOfInput, 0},
      {" \t\r\n", Result::kEndOfInput, 0},
      {"\0"
       "5"s,
       Result::kEndOfInput, 0},
      {"  \0"
       "5"s,
       Result::kEndOfInput, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    ScanCursor cursor(c.text);
    std::int64_t value = -999;
    EXPECT_EQ(cursor.ReadInteger(value), c.result);
    EXPECT_EQ(value, c.result == Result::kOk ? c.value : -999);
  }
}

// Each case is a text `token + rest`: the float read must take exactly `token`, which the
// C library reads as a whole, and leave `rest` for the next directive.
TEST(ScanCursorTest, ReadsFloatsAsPercentFAndTakesTheLongestNumber) {
  struct Case {
    std::string token;
    std::string rest;
  };
  const std::vector<Case> cases = {
      {"2.5", ""},
      {"-0.125", " 9"},
      {"+3", ""},
      {"17.85", "x"},
      {".5", ""},
      {"5.", ""},
      {"-0", ""},
      {"007.50", ""},
      {"1e3", ""},
      {"1E-2", ""},
      {"2.5e+1", ","},
      {"1e5", "x"},
      {"4937.125", " 612.430"},
      {"0.1", ""},
      {"3.4028235e38", ""},
      {"3.40282356e38", ""},  // below the halfway point to the next power: the largest float
      {"0x1.8p1", ""},
      {"-0X1P-2", ""},
      {"0x10", "g"},
      {"0xA.8", ""},
      {"inf", ""},
      {"INF", ""},
      {"-Inf", ""},
      {"inf", "x"},
      {"infinity", ""},
      {"-INFINITY", "7"},
      {"nan", ""},
      {"NaN", ""},
      {"-nan", ""},
      {"nan(123)", ""},
      {"nan()", " 4"},
      {"nan", "x"},
  };
  for (const Case& c : cases) {
    const std::string text = c.token + c.rest;
    SCOPED_TRACE("text \"" + text + "\"");
    ScanCursor cursor(text);
    float value = -999.0f;
    const Result result = cursor.ReadFloat(value);
    ASSERT_EQ(result, Result::kOk);
    ExpectSameFloat(ReferenceStrtof(c.token), value);
    // What is left must read the same as `rest` on its own.
    ScanCursor rest(c.rest);
    std::int64_t after = -1;
    std::int64_t rest_after = -1;
    EXPECT_EQ(cursor.ReadInteger(after), rest.ReadInteger(rest_after));
    EXPECT_EQ(after, rest_after);
  }
}

TEST(ScanCursorTest, AFloatThatIsOnlyTheStartOfANumberIsAMatchingFailure) {
  // sscanf takes the longest text that could begin a number; if that text has no digits or
  // is a cut-off word, nothing is converted (it does not fall back to a shorter number).
  const std::vector<std::string> cases = {
      ".",   "-.",    "+", "-",  "e5",  "abc",   "x1",      ",5", "0x", "0xg",
      "-0x", "0x.p1", "i", "in", "inx", "infin", "infinit", "n",  "na", "nax",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE("text \"" + text + "\"");
    ScanCursor cursor(text);
    float value = -999.0f;
    EXPECT_EQ(cursor.ReadFloat(value), Result::kMismatch);
    EXPECT_EQ(value, -999.0f);
  }
}

TEST(ScanCursorTest, AnExponentWithoutDigitsIsConsumedAndLeavesTheMantissa) {
  // The C library's scanf consumes "1e" or "1.5e+" whole but converts only the mantissa, so
  // "1e 5" reads 1 and then 5. Compared with sscanf itself: value and characters consumed.
  const std::vector<std::string> cases = {"1e", "1e+ 3", "1.5e+", "1.5e-x", "1ex",
                                          "2E", "0x1p",  "0x1pq", "-3.25e-"};
  for (const std::string& text : cases) {
    SCOPED_TRACE("text \"" + text + "\"");
    float expected = 0.0f;
    int consumed = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "%f%n", &expected, &consumed), 1);
    ScanCursor cursor(text);
    float value = -999.0f;
    ASSERT_EQ(cursor.ReadFloat(value), Result::kOk);
    ExpectSameFloat(expected, value);
    const std::string rest_text = text.substr(static_cast<std::size_t>(consumed));
    ScanCursor rest(rest_text);
    std::int64_t after = -1;
    std::int64_t rest_after = -1;
    EXPECT_EQ(cursor.ReadInteger(after), rest.ReadInteger(rest_after));
    EXPECT_EQ(after, rest_after);
  }
}

TEST(ScanCursorTest, AnUnclosedNanStillReadsAsNan) {
  for (const std::string text : {"nan(", "nan(1", "-nan(1 2)"}) {
    SCOPED_TRACE("text \"" + text + "\"");
    ScanCursor cursor(text);
    float value = -999.0f;
    ASSERT_EQ(cursor.ReadFloat(value), Result::kOk);
    EXPECT_TRUE(std::isnan(value));
  }
}

TEST(ScanCursorTest, OutOfRangeFloatsBecomeInfinityOrZeroAsStrtofGivesThem) {
  const std::string long_integer = "1" + std::string(400, '0');
  const std::string long_fraction = "0." + std::string(400, '0') + "1";
  const std::vector<std::string> cases = {
      "1e308",
      "-1e308",
      "1e39",
      "3.4028236e38",
      "1e400",
      "-1e400",
      "1e-50",
      "-1e-50",
      "1e-40",
      "1.4e-45",
      "7e-46",
      "1e-400",
      "-1e-400",
      "0x1p200",
      "0x1p-140",
      "0x1p-200",
      "0x1p99999",
      "1e99999999999999999999",
      "1e-99999999999999999999",
      "0e99999999999999999999",
      "0.000e999999999",
      long_integer,
      "-" + long_integer,
      long_fraction,
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE("text \"" + text.substr(0, 40) + "\"");
    ScanCursor cursor(text);
    float value = -999.0f;
    ASSERT_EQ(cursor.ReadFloat(value), Result::kOk);
    ExpectSameFloat(ReferenceStrtof(text), value);
  }
}

TEST(ScanCursorTest, OutOfRangeFloatsHaveTheExpectedValues) {
  // Pinned independently of the C library as well.
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    std::string text;
    float expected;
  };
  const std::vector<Case> cases = {
      {"1e308", inf},  {"1e400", inf},    {"-1e400", -inf},
      {"1e-50", 0.0f}, {"-1e-50", -0.0f}, {"1e-400", 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\"");
    ScanCursor cursor(c.text);
    float value = -999.0f;
    ASSERT_EQ(cursor.ReadFloat(value), Result::kOk);
    ExpectSameFloat(c.expected, value);
  }
}

TEST(ScanValuesTest, CountsAsSscanfDoes) {
  // One row per format run: 'd' for an int64 slot, 'f' for a float slot. Every slot starts
  // at -999; `values` lists what each slot holds afterwards, untouched slots included.
  struct Case {
    std::string text;
    std::string format;
    int count;
    std::vector<double> values;
  };
  const std::vector<Case> cases = {
      {"", "d", -1, {-999}},
      {"   \t\n", "df", -1, {-999, -999}},
      {"\0"
       " 5"s,
       "d",
       -1,
       {-999}},
      {"abc", "d", 0, {-999}},
      {"abc", "f", 0, {-999}},
      {"x 1 2", "dd", 0, {-999, -999}},
      {"1 2 3", "ddd", 3, {1, 2, 3}},
      {"1 2 3 4", "dd", 2, {1, 2}},
      {"12 abc", "dd", 1, {12, -999}},
      {"12 34", "ddd", 2, {12, 34, -999}},
      {"12 34   ", "ddd", 2, {12, 34, -999}},
      {"12.5", "df", 2, {12, 0.5}},
      {"12.5", "dd", 1, {12, -999}},
      {"1e5", "df", 1, {1, -999}},
      {"7 1.5e+ 3", "dff", 3, {7, 1.5, 3}},
      {"7 1.5e+x 3", "dff", 2, {7, 1.5, -999}},
      {"1 2\0"
       " 3"s,
       "ddd",
       2,
       {1, 2, -999}},
      {"1\0"
       "2"s,
       "dd",
       1,
       {1, -999}},
      {"-3\t4.25\n", "fd", 2, {-3, 4}},
      {"1207 187 14 32 17.85 4937.125 612.430 23.75 3120.0",
       "ddddfffff",
       9,
       {1207, 187, 14, 32, 17.85, 4937.125, 612.430, 23.75, 3120.0}},
      {"1207 187 14", "ddddfffff", 3, {1207, 187, 14, -999, -999, -999, -999, -999, -999}},
      {"1 2 3 4 5.5 abc", "ddddfffff", 5, {1, 2, 3, 4, 5.5, -999, -999, -999, -999}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("text \"" + c.text + "\" format " + c.format);
    ASSERT_EQ(c.format.size(), c.values.size());
    std::vector<std::int64_t> integers(c.format.size(), -999);
    std::vector<float> floats(c.format.size(), -999.0f);
    std::vector<ScanSlot> slots;
    for (std::size_t i = 0; i < c.format.size(); ++i) {
      if (c.format[i] == 'd') {
        slots.emplace_back(&integers[i]);
      } else {
        slots.emplace_back(&floats[i]);
      }
    }
    EXPECT_EQ(ScanValues(c.text, slots), c.count);
    for (std::size_t i = 0; i < c.format.size(); ++i) {
      SCOPED_TRACE("slot " + std::to_string(i));
      if (c.format[i] == 'd') {
        EXPECT_EQ(integers[i], static_cast<std::int64_t>(c.values[i]));
      } else {
        EXPECT_EQ(floats[i], static_cast<float>(c.values[i]));
      }
    }
  }
}

TEST(ScanValuesTest, ReadsAPointAsTheDecimalSeparatorWhateverTheLocale) {
  // A desktop toolkit may switch LC_NUMERIC to a locale with a decimal comma; the shot table
  // is still written with points.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE",       "fr_FR.UTF-8",
                                    "fr_FR.utf8",  "fr_FR",      "nl_NL.UTF-8", "it_IT.UTF-8",
                                    "es_ES.UTF-8", "ru_RU.UTF-8"};
  const char* chosen = nullptr;
  for (const char* name : candidates) {
    if (std::setlocale(LC_ALL, name) != nullptr &&
        std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      chosen = name;
      break;
    }
  }
  // None installed: compile one into a scratch folder from the C library's locale sources.
  testing::ScratchDir locales;
  if (chosen == nullptr && std::system(("localedef -i de_DE -f UTF-8 '" +
                                        locales.File("de_DE.UTF-8") + "' >/dev/null 2>&1")
                                           .c_str()) == 0) {
    setenv("LOCPATH", locales.path().c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
        std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
      chosen = "de_DE.UTF-8";
    }
  }
  if (chosen == nullptr) {
    std::setlocale(LC_ALL, saved.c_str());
    unsetenv("LOCPATH");
    GTEST_SKIP() << "no locale with a decimal comma is installed or can be made";
  }
  SCOPED_TRACE(chosen);
  std::int64_t integer = -999;
  float value = -999.0f;
  float second = -999.0f;
  const ScanSlot slots[] = {&integer, &value, &second};
  const int count = ScanValues("12 2.5 0x1.8p1", slots);
  float comma = -999.0f;
  const ScanSlot comma_slot[] = {&comma};
  const int comma_count = ScanValues("2,5", comma_slot);
  std::setlocale(LC_ALL, saved.c_str());
  unsetenv("LOCPATH");

  EXPECT_EQ(count, 3);
  EXPECT_EQ(integer, 12);
  EXPECT_EQ(value, 2.5f);
  EXPECT_EQ(second, 3.0f);
  EXPECT_EQ(comma_count, 1);
  EXPECT_EQ(comma, 2.0f);
}

}  // namespace
}  // namespace obscut
