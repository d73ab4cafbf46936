// Reads a SEG-Y file in the layout obscut writes (little-endian, 2-byte integer samples)
// into a SegySection.
#pragma once

#include <string>
#include <variant>

#include "section/segy_section.h"

namespace obscut {

// The section, or a message naming the file and saying what is wrong with it: it cannot be
// read, it is not laid out as obscut writes SEG-Y files, or it holds no traces.
std::variant<SegySection, std::string> ReadSegySection(const std::string& path);

}  // namespace obscut
