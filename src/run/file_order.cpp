#include "run/file_order.h"

#include <utility>

#include "base/number_scanner.h"

namespace obscut {

std::int16_t FileNumber(std::string_view path) {
  const std::string_view last8 = path.size() > 8 ? path.substr(path.size() - 8) : path;
  // At most four characters: a sign and three digits or four digits, -999 to 9999.
  return static_cast<std::int16_t>(AtoiValue(last8.substr(0, 4)));
}

void OrderByFileNumber(std::vector<RecorderEntry>& entries) {
  for (RecorderEntry& entry : entries) {
    entry.fileNumber = FileNumber(entry.path);
  }
  // Not std::sort: the order of equal numbers must be the one this exchange sort gives.
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    for (std::size_t j = i + 1; j < entries.size(); ++j) {
      if (entries[i].fileNumber > entries[j].fileNumber) {
        std::swap(entries[i], entries[j]);
      }
    }
  }
}

}  // namespace obscut
