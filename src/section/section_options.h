// The command line of obscut-section.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "section/section_settings.h"

namespace obscut {

struct SectionArguments {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  SectionSettings settings;
  std::string problem;  // for kUsageError: what is wrong, naming the option
};

// One SEG-Y file and options before or after it; "--" ends the options. Values follow their
// option as the next argument or after "=" ("--reduce=8").
SectionArguments ParseSectionArguments(std::span<const std::string_view> arguments);

// Where the picture goes when --output is not given: beside the input, with ".png" in place
// of its extension ("out/line1ch1.sgy" gives "out/line1ch1.png").
std::string DefaultOutputPath(const std::string& inputPath);

std::string SectionUsage(std::string_view program);

}  // namespace obscut
