// The processing order of the recorder files, the normalised output path and the place of
// the processing log.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/system.h"
#include "run/file_order.h"
#include "run/output_path.h"
#include "run/processing_log.h"

namespace obscut {
namespace {

struct FileNumberCase {
  const char* path;
  std::int16_t expected;
};

TEST(FileNumber, ReadsTheFourCharactersEightToFivePlacesFromTheEnd) {
  const FileNumberCase cases[] = {
      {"/data/OBS01234.001", 1234},
      {"/data/OBSA0012.DAT", 12},  // "0012"
      {"/data/OBSA 012.DAT", 12},  // leading blank skipped
      {"/data/OBS1-7x.dat", 1},    // "1-7x": digits up to the first other character
      {"/data/OBS_7.raw", 0},      // "BS_7": no digit first
      {"/obs/A1.dat", 0},          // short name: "s/A1", part of the folder is read
      {"/data/OBS-012.001", -12},  // a sign counts as one of the four characters
      {"/data/OBS+012.001", 12},
      {"/data/OBS12345678", 1234},  // only four characters are read, never more
      {"-999.abc", -999},           // exactly eight characters: the smallest possible value
      {"9999.abc", 9999},           // the largest possible value
      {"123.abc", 123},             // seven characters: the first four of the whole path
      {"12", 12},                   // shorter than four: all of it
      {"", 0},
      {"/run 1/OBS 0 7.001", 0},  // " 0 7": digits stop at the blank after 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNumber(c.path), c.expected);
  }
}

std::vector<std::string> PathsOf(const std::vector<RecorderEntry>& entries) {
  std::vector<std::string> paths;
  for (const auto& entry : entries) {
    paths.push_back(entry.path);
  }
  return paths;
}

struct OrderCase {
  const char* name;
  std::vector<std::string> selected;
  std::vector<std::string> expected;
};

TEST(OrderByFileNumber, OrdersByAscendingNumberWithTheExchangeSortsTreatmentOfEqualNumbers) {
  const OrderCase cases[] = {
      {"three distinct numbers",
       {"/d/OBS00003.001", "/d/OBS00001.001", "/d/OBS00002.001"},
       {"/d/OBS00001.001", "/d/OBS00002.001", "/d/OBS00003.001"}},
      // P and Q carry the same number; R's exchange with P moves P behind Q.
      {"equal numbers P, Q, R = 2, 2, 1",
       {"/P/OBS00002.001", "/Q/OBS00002.001", "/R/OBS00001.001"},
       {"/R/OBS00001.001", "/Q/OBS00002.001", "/P/OBS00002.001"}},
      {"equal numbers already in order stay",
       {"/P/OBS00001.001", "/Q/OBS00001.001", "/R/OBS00002.001"},
       {"/P/OBS00001.001", "/Q/OBS00001.001", "/R/OBS00002.001"}},
      {"negative numbers come first",
       {"/d/OBS00010.001", "/d/OBS-005.001", "/d/OBS-012.001", "/d/OBS00000.001"},
       {"/d/OBS-012.001", "/d/OBS-005.001", "/d/OBS00000.001", "/d/OBS00010.001"}},
      {"one entry", {"/d/OBS00007.001"}, {"/d/OBS00007.001"}},
      {"no entry", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<RecorderEntry> entries;
    for (const auto& path : c.selected) {
      entries.push_back({path, 0});
    }
    OrderByFileNumber(entries);
    EXPECT_EQ(PathsOf(entries), c.expected);
    for (const auto& entry : entries) {
      EXPECT_EQ(entry.fileNumber, FileNumber(entry.path)) << entry.path;
    }
  }
}

TEST(NormaliseOutputPath, AppendsSgyUnlessThePathEndsInItInAnyCase) {
  const struct {
    const char* given;
    const char* expected;
  } cases[] = {
      {"line1", "line1.sgy"},
      {"line1.SGY", "line1.SGY"},
      {"line1.SgY", "line1.SgY"},
      {"line1.segy", "line1.segy.sgy"},
      {"", ".sgy"},
      {"a.sgy", "a.sgy"},
      {".sgy", ".sgy"},
      {"sgy", "sgy.sgy"},
      {"/seis/line1", "/seis/line1.sgy"},
      {"/seis/", "/seis/.sgy"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    EXPECT_EQ(NormaliseOutputPath(c.given), c.expected);
  }
}

// Paths written with '/' and turned into this system's folder separator.
std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', kFolderSeparator);
  return path;
}

TEST(LogPathFor, PlacesTheLogInTheFolderOfTheOutputPath) {
  const struct {
    const char* output;
    const char* expected;
  } cases[] = {
      {"/seis/line1", "/seis/.tempOutAsciiInfo.txt"},
      {"/seis/line1.sgy", "/seis/.tempOutAsciiInfo.txt"},
      {"/seis/line1.segy", "/seis/.tempOutAsciiInfo.txt"},
      {"/seis/", "/seis/.tempOutAsciiInfo.txt"},
      {"/line1", "/.tempOutAsciiInfo.txt"},
      {"a/b/line1", "a/b/.tempOutAsciiInfo.txt"},
      {"line1", ".tempOutAsciiInfo.txt"},
      {"", ".tempOutAsciiInfo.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    EXPECT_EQ(LogPathFor(Native(c.output)), Native(c.expected));
  }
}

#ifndef _WIN32
TEST(LogPathFor, TakesABackslashForPartOfTheNameOnPosix) {
  EXPECT_EQ(LogPathFor("D:\\seis\\line1"), ".tempOutAsciiInfo.txt");
  EXPECT_EQ(LogPathFor("/data/D:\\seis\\line1"), "/data/.tempOutAsciiInfo.txt");
}
#endif

}  // namespace
}  // namespace obscut
