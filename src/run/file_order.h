// The processing order of the recorder files: ascending file number, the number being read
// from the name (OBS01234.001 -> 1234).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace obscut {

struct RecorderEntry {
  std::string path;
  std::int16_t fileNumber = 0;
};

// The four characters standing 8 to 5 places from the end of the path (fewer when the path
// is shorter), read by atoi's rules: OBS01234.001 gives 1234, OBSA 012.DAT gives 12.
std::int16_t FileNumber(std::string_view path);

// Computes every entry's file number and orders the list by it with an exchange sort: for
// each i, every later j whose number is smaller is swapped with i. Equal numbers end up in
// the order this procedure gives (2, 2, 1 selected as P, Q, R become R, Q, P), which decides
// which file a shot is matched to when two files carry the same number.
void OrderByFileNumber(std::vector<RecorderEntry>& entries);

}  // namespace obscut
