#pragma once

#include <string>

namespace obscut {

// The output path ending in ".sgy": when its last four characters, compared without regard
// to case, are not ".sgy", ".sgy" is appended (line1 -> line1.sgy, line1.SGY stays,
// line1.segy -> line1.segy.sgy, "" -> ".sgy"). The SEG-Y file names are formed from the
// path without those four characters.
std::string NormaliseOutputPath(const std::string& outputPath);

}  // namespace obscut
