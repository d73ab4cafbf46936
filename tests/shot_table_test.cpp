// Reading the shot table: seven header lines, then one shot per line.

#include "recorder/shot_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace obscut {
namespace {

using namespace std::string_literals;
using testing::ScratchDir;
using testing::WriteText;
using ReadResult = ShotTable::ReadResult;

const std::string kSevenHeaderLines =
    "Survey line 7\n"
    "45.1234 -63.5678\n"
    "1 2 3 4\n"
    "2.5\n"
    "8\n"
    "9\n"
    "shot day hour minute second y x range depth\n";

const std::string kExampleShot = "1207 187 14 32 17.85 4937.125 612.430 23.75 3120.0";

class ShotTableTest : public ::testing::Test {
 protected:
  // Writes `text` as the table and opens it.
  ShotTable Open(const std::string& text) {
    const std::string path = dir_.File("shots.txt");
    WriteText(path, text);
    std::optional<ShotTable> table = ShotTable::OpenShotTable(path);
    if (!table) {
      throw std::runtime_error("cannot open " + path);
    }
    return std::move(*table);
  }

  // Opens the table and reads its header, which must be complete.
  ShotTable OpenPastHeader(const std::string& text) {
    ShotTable table = Open(text);
    if (!table.ReadShotTableHeader()) {
      throw std::runtime_error("header incomplete");
    }
    return table;
  }

  // Reads every shot line to the end; the shot numbers read, or stops at an error.
  static std::vector<int> ShotNumbers(ShotTable& table) {
    std::vector<int> numbers;
    for (;;) {
      const ReadResult result = table.ReadShotRecord();
      if (result == ReadResult::kEndOfTable) {
        return numbers;
      }
      if (result == ReadResult::kError) {
        ADD_FAILURE() << "error after " << numbers.size() << " shots";
        return numbers;
      }
      numbers.push_back(table.shot().shotNumber);
    }
  }

  ScratchDir dir_;
};

void ExpectExampleShot(const ShotRecord& shot) {
  EXPECT_EQ(shot.shotNumber, 1207);
  EXPECT_EQ(shot.shotDay, 187);
  EXPECT_EQ(shot.shotHour, 14);
  EXPECT_EQ(shot.shotMinute, 32);
  EXPECT_EQ(shot.shotSecond, 17.85f);
  EXPECT_EQ(shot.shotY, 4937.125f);
  EXPECT_EQ(shot.shotX, 612.430f);
  EXPECT_EQ(shot.range, 23.75f);
  EXPECT_EQ(shot.waterDepth, 3120.0f);
}

TEST_F(ShotTableTest, ATableOfFewerThanSevenLinesHasNoHeader) {
  const std::vector<std::string> texts = {
      "", "1\n", "1\n2\n3\n4\n5\n", "1\n2\n3\n4\n5\n6\n", "1\n2\n3\n4\n5\n6", "\n\n\n\n\n\n",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE("table \"" + text + "\"");
    ShotTable table = Open(text);
    EXPECT_FALSE(table.ReadShotTableHeader());
  }
}

TEST_F(ShotTableTest, ATableOfExactlySevenLinesHasAHeaderAndNoShot) {
  for (const std::string& text : {kSevenHeaderLines, "1\n2\n3\n4\n5\n6\n7"s}) {
    SCOPED_TRACE("table \"" + text + "\"");
    ShotTable table = Open(text);
    ASSERT_TRUE(table.ReadShotTableHeader());
    EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
    EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
  }
}

TEST_F(ShotTableTest, ReadsTheValuesOfHeaderLinesTwoToSix) {
  ShotTable table = OpenPastHeader(kSevenHeaderLines);
  const ShotTableHeader& header = table.header();
  EXPECT_EQ(header.stationY, 45.1234f);
  EXPECT_EQ(header.stationX, -63.5678f);
  EXPECT_EQ(header.line3Values, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(header.line4Value, 2.5f);
  EXPECT_EQ(header.line5Value, 8);
  EXPECT_EQ(header.line6Value, 9);
}

TEST_F(ShotTableTest, HeaderLinesThatDoNotParseLeaveTheirValuesAtZero) {
  // Line 1 and line 7 hold numbers that must not be read; lines 2 to 6 parse only in part
  // or not at all.
  struct Case {
    std::string table;
    ShotTableHeader expected;
  };
  const std::vector<Case> cases = {
      {"\n\n\n\n\n\n\n", {}},
      {"1 2\n\n\n\n\n\n3 4\n", {}},
      {"1\n45.5 x\n1 2\n\nabc\n-\n7\n", {45.5f, 0.0f, {1, 2, 0, 0}, 0.0f, 0, 0}},
      {"1\nnorth 3\n1 x 3 4\nx2.5\nfive\n6.9\n7\n", {0.0f, 0.0f, {1, 0, 0, 0}, 0.0f, 0, 6}},
      // "1e" reads as 1, as the C library's scanf has it.
      {"1\n1e\n-1 -2 -3 -4 5\n1e3\n+5\n-6 7\n7\n", {1.0f, 0.0f, {-1, -2, -3, -4}, 1000.0f, 5, -6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("table \"" + c.table + "\"");
    ShotTable table = OpenPastHeader(c.table);
    const ShotTableHeader& header = table.header();
    EXPECT_EQ(header.stationY, c.expected.stationY);
    EXPECT_EQ(header.stationX, c.expected.stationX);
    EXPECT_EQ(header.line3Values, c.expected.line3Values);
    EXPECT_EQ(header.line4Value, c.expected.line4Value);
    EXPECT_EQ(header.line5Value, c.expected.line5Value);
    EXPECT_EQ(header.line6Value, c.expected.line6Value);
  }
}

TEST_F(ShotTableTest, HeaderIntegersKeepTheLow32Bits) {
  ShotTable table = OpenPastHeader(
      "1\n2\n4294967297 -4294967297 2147483648 -2147483649\n4\n4294967295\n-4294967296\n7\n");
  EXPECT_EQ(table.header().line3Values,
            (std::array<std::int32_t, 4>{1, -1, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()}));
  EXPECT_EQ(table.header().line5Value, -1);
  EXPECT_EQ(table.header().line6Value, 0);
}

TEST_F(ShotTableTest, EmptyHeaderLinesCountAsHeaderLines) {
  ShotTable table = OpenPastHeader("\n45.1234 -63.5678\n\n\n\n\n\n" + kExampleShot + "\n");
  EXPECT_EQ(table.header().stationY, 45.1234f);
  EXPECT_EQ(table.header().stationX, -63.5678f);
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ExpectExampleShot(table.shot());
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
}

TEST_F(ShotTableTest, AHeaderLineOf450CharactersCountsAsTwoLines) {
  // Reads take at most 399 characters: the tail of line 1 becomes line 2, so every later
  // line moves down by one and the last header line is read as the first shot.
  const std::string table_text = std::string(450, 'x') + "\n" +
                                 "45.1234 -63.5678\n"
                                 "1 2 3 4\n"
                                 "2.5\n"
                                 "8\n" +
                                 kExampleShot + "\n";
  ShotTable table = OpenPastHeader(table_text);
  const ShotTableHeader& header = table.header();
  EXPECT_EQ(header.stationY, 0.0f);
  EXPECT_EQ(header.stationX, 0.0f);
  EXPECT_EQ(header.line3Values, (std::array<std::int32_t, 4>{45, 0, 0, 0}));
  EXPECT_EQ(header.line4Value, 1.0f);
  EXPECT_EQ(header.line5Value, 2);
  EXPECT_EQ(header.line6Value, 8);
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
}

TEST_F(ShotTableTest, AHeaderLineIsCutAfter399CharactersEvenInsideANumber) {
  // Line 2 is 395 blanks and "12.75 -3.5": the first read ends with "12.7", the rest
  // "5 -3.5" is read as line 3.
  const std::string table_text = "1\n" + std::string(395, ' ') + "12.75 -3.5\n" + "4\n5\n6\n7\n";
  ShotTable table = OpenPastHeader(table_text);
  EXPECT_EQ(table.header().stationY, 12.7f);
  EXPECT_EQ(table.header().stationX, 0.0f);
  EXPECT_EQ(table.header().line3Values, (std::array<std::int32_t, 4>{5, -3, 0, 0}));
  EXPECT_EQ(table.header().line4Value, 4.0f);
  EXPECT_EQ(table.header().line5Value, 5);
  EXPECT_EQ(table.header().line6Value, 6);
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
}

TEST_F(ShotTableTest, ReadsTheNineFieldsOfAShotLine) {
  ShotTable table = OpenPastHeader(kSevenHeaderLines + kExampleShot + "\n");
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ExpectExampleShot(table.shot());
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
}

TEST_F(ShotTableTest, ShotIntegersKeepTheLow16BitsWithoutTouchingTheirNeighbours) {
  struct Case {
    std::string line;
    std::int16_t number, day, hour, minute;
  };
  const std::vector<Case> cases = {
      {"40000 187 14 32 1 2 3 4 5", -25536, 187, 14, 32},
      {"65535 187 14 32 1 2 3 4 5", -1, 187, 14, 32},
      {"65536 187 14 32 1 2 3 4 5", 0, 187, 14, 32},
      {"-32769 187 14 32 1 2 3 4 5", 32767, 187, 14, 32},
      {"1 70000 -70000 98304 1 2 3 4 5", 1, 4464, -4464, -32768},
      {"-1 -2 -3 -4 1 2 3 4 5", -1, -2, -3, -4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("line \"" + c.line + "\"");
    ShotTable table = OpenPastHeader(kSevenHeaderLines + c.line + "\n");
    ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
    EXPECT_EQ(table.shot().shotNumber, c.number);
    EXPECT_EQ(table.shot().shotDay, c.day);
    EXPECT_EQ(table.shot().shotHour, c.hour);
    EXPECT_EQ(table.shot().shotMinute, c.minute);
    EXPECT_EQ(table.shot().shotSecond, 1.0f);
    EXPECT_EQ(table.shot().waterDepth, 5.0f);
  }
}

TEST_F(ShotTableTest, AShotLineWhoseFirstValueIsNotANumberIsAnError) {
  const std::vector<std::string> lines = {
      "shot 1207 187 14 32 17.85 4937.125 612.430 23.75 3120.0",
      "x1207 187",
      "- 1207",
      ".5 187",
      "# comment",
  };
  for (const std::string& line : lines) {
    SCOPED_TRACE("line \"" + line + "\"");
    ShotTable table =
        OpenPastHeader(kSevenHeaderLines + kExampleShot + "\n" + line + "\n" + kExampleShot + "\n");
    ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
    EXPECT_EQ(table.ReadShotRecord(), ReadResult::kError);
  }
}

TEST_F(ShotTableTest, TextAfterTheNinthValueIsIgnored) {
  for (const char* tail : {" comment", "x", " 99 98 97", "\t; 5"}) {
    SCOPED_TRACE(std::string("tail \"") + tail + "\"");
    ShotTable table = OpenPastHeader(kSevenHeaderLines + kExampleShot + tail + "\n");
    ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
    ExpectExampleShot(table.shot());
    EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
  }
}

TEST_F(ShotTableTest, FieldsALineDoesNotSupplyKeepThePreviousShotsValues) {
  ShotTable table = OpenPastHeader(kSevenHeaderLines + kExampleShot + "\n" +
                                   "1300 188 15\n"
                                   "1301 189 16 33 18.5 abc\n");
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ShotRecord expected{1300, 188, 15, 32, 17.85f, 4937.125f, 612.430f, 23.75f, 3120.0f};
  EXPECT_EQ(table.shot().shotNumber, expected.shotNumber);
  EXPECT_EQ(table.shot().shotDay, expected.shotDay);
  EXPECT_EQ(table.shot().shotHour, expected.shotHour);
  EXPECT_EQ(table.shot().shotMinute, expected.shotMinute);
  EXPECT_EQ(table.shot().shotSecond, expected.shotSecond);
  EXPECT_EQ(table.shot().shotY, expected.shotY);
  EXPECT_EQ(table.shot().shotX, expected.shotX);
  EXPECT_EQ(table.shot().range, expected.range);
  EXPECT_EQ(table.shot().waterDepth, expected.waterDepth);

  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.shot().shotNumber, 1301);
  EXPECT_EQ(table.shot().shotDay, 189);
  EXPECT_EQ(table.shot().shotHour, 16);
  EXPECT_EQ(table.shot().shotMinute, 33);
  EXPECT_EQ(table.shot().shotSecond, 18.5f);
  EXPECT_EQ(table.shot().shotY, 4937.125f);
  EXPECT_EQ(table.shot().waterDepth, 3120.0f);
}

TEST_F(ShotTableTest, FieldsTheFirstShotLineDoesNotSupplyAreZero) {
  ShotTable table = OpenPastHeader(kSevenHeaderLines + "1207 187\n");
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.shot().shotNumber, 1207);
  EXPECT_EQ(table.shot().shotDay, 187);
  EXPECT_EQ(table.shot().shotHour, 0);
  EXPECT_EQ(table.shot().shotMinute, 0);
  EXPECT_EQ(table.shot().shotSecond, 0.0f);
  EXPECT_EQ(table.shot().waterDepth, 0.0f);
}

TEST_F(ShotTableTest, TheLastLineIsReadWithOrWithoutAFinalNewline) {
  for (const std::string& end : {""s, "\n"s, "\r\n"s}) {
    SCOPED_TRACE("last line ends with \"" + end + "\"");
    ShotTable table =
        OpenPastHeader(kSevenHeaderLines + "1206 187 14 31 1 2 3 4 5\n" + kExampleShot + end);
    EXPECT_EQ(ShotNumbers(table), (std::vector<int>{1206, 1207}));
    ExpectExampleShot(table.shot());
  }
}

TEST_F(ShotTableTest, LinesEndingInCarriageReturnAndLineFeedReadLikeLineFeed) {
  std::string crlf;
  for (char c : kSevenHeaderLines + kExampleShot + "\n" + "1300 188 15\n") {
    if (c == '\n') {
      crlf += '\r';
    }
    crlf += c;
  }
  ShotTable table = OpenPastHeader(crlf);
  EXPECT_EQ(table.header().stationY, 45.1234f);
  EXPECT_EQ(table.header().stationX, -63.5678f);
  EXPECT_EQ(table.header().line6Value, 9);
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ExpectExampleShot(table.shot());
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.shot().shotNumber, 1300);
  EXPECT_EQ(table.shot().shotMinute, 32);
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
  EXPECT_EQ(table.bytesRead(), table.length());
}

TEST_F(ShotTableTest, ALineOfOnlyWhiteSpaceHoldsNoShot) {
  // A line of nothing but white space used to yield the previous shot again: its parse ends
  // before the first value, which is not the "no value" that marks an error, so the previous
  // shot's values stood and the shot was processed twice, writing a duplicate trace.
  const std::vector<std::string> blank_lines = {"", " ", "   ", "\t", " \t \t", "\r", "\v\f"};
  for (const std::string& blank : blank_lines) {
    SCOPED_TRACE("blank line \"" + blank + "\"");
    ShotTable table = OpenPastHeader(kSevenHeaderLines + "1206 187 14 31 1 2 3 4 5\n" + blank +
                                     "\n" + kExampleShot + "\n" + blank + "\n" + blank + "\n");
    EXPECT_EQ(ShotNumbers(table), (std::vector<int>{1206, 1207}));
    ExpectExampleShot(table.shot());
  }
  // A blank line written with a Windows line end, and one at the end without any line end.
  ShotTable table =
      OpenPastHeader(kSevenHeaderLines + kExampleShot + "\r\n\r\n" + "1300 188 15\r\n   ");
  EXPECT_EQ(ShotNumbers(table), (std::vector<int>{1207, 1300}));
}

TEST_F(ShotTableTest, AShotLineLongerThan399CharactersIsReadInPieces) {
  // The line is the example shot, blanks, and "123" as its last three characters; then a
  // second shot line follows. Reads take at most 399 characters, the line feed included.
  struct Case {
    std::size_t length;      // characters before the line feed
    std::vector<int> shots;  // shot numbers read
  };
  const std::vector<Case> cases = {
      {398, {1207, 1300}},       // 398 characters and the line feed: one read
      {399, {1207, 1300}},       // the line feed alone remains: a blank line, no shot
      {400, {1207, 3, 1300}},    // "3" remains
      {401, {1207, 23, 1300}},   // "23" remains
      {450, {1207, 123, 1300}},  // blanks and "123" remain
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("line of " + std::to_string(c.length) + " characters");
    std::string line = kExampleShot;
    line += std::string(c.length - line.size() - 3, ' ') + "123";
    ASSERT_EQ(line.size(), c.length);
    ShotTable table = OpenPastHeader(kSevenHeaderLines + line + "\n1300 188 15\n");
    EXPECT_EQ(ShotNumbers(table), c.shots);
  }
}

TEST_F(ShotTableTest, ANulByteEndsTheParseOfItsLine) {
  ShotTable table =
      OpenPastHeader(kSevenHeaderLines + kExampleShot + "\n" + "1300 188\0 15 33 1 2 3 4 5\n"s +
                     "\0"
                     "1400 1\n"s +
                     "1500 190 16 34 1 2 3 4 5\n");
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.shot().shotNumber, 1300);
  EXPECT_EQ(table.shot().shotDay, 188);
  EXPECT_EQ(table.shot().shotHour, 14);
  EXPECT_EQ(table.shot().shotMinute, 32);
  EXPECT_EQ(table.shot().shotSecond, 17.85f);
  // A line that begins with NUL is as empty as a blank line; the next line is read whole.
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.shot().shotNumber, 1500);
  EXPECT_EQ(table.shot().shotDay, 190);
  EXPECT_EQ(table.shot().waterDepth, 5.0f);
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
}

TEST_F(ShotTableTest, ReportsHowFarReadingHasCome) {
  const std::string second = "1300 188 15\r\n";
  const std::string text = kSevenHeaderLines + kExampleShot + "\n" + second;
  ShotTable table = Open(text);
  EXPECT_EQ(table.length(), static_cast<std::int64_t>(text.size()));
  EXPECT_EQ(table.bytesRead(), 0);
  ASSERT_TRUE(table.ReadShotTableHeader());
  EXPECT_EQ(table.bytesRead(), static_cast<std::int64_t>(kSevenHeaderLines.size()));
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.bytesRead(), static_cast<std::int64_t>(text.size() - second.size()));
  ASSERT_EQ(table.ReadShotRecord(), ReadResult::kShot);
  EXPECT_EQ(table.bytesRead(), static_cast<std::int64_t>(text.size()));
  EXPECT_EQ(table.ReadShotRecord(), ReadResult::kEndOfTable);
  EXPECT_EQ(table.bytesRead(), table.length());
}

TEST_F(ShotTableTest, AFolderOrAMissingFileCannotBeOpened) {
  const std::string folder = dir_.File("shots.dir");
  std::filesystem::create_directory(folder);
  EXPECT_FALSE(ShotTable::OpenShotTable(folder).has_value());
  EXPECT_FALSE(ShotTable::OpenShotTable(dir_.File("missing.txt")).has_value());
}

}  // namespace
}  // namespace obscut
