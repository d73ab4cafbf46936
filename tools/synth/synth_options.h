// The command line of obscut-synth.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "survey/survey_calendar.h"

namespace obscut {

struct SynthOptions {
  std::string outDir;
  int files = 3;
  int fileSeconds = 3600;
  // Seconds from the end of one file to the start of the next, used in turn; a negative
  // value makes the files overlap.
  std::vector<int> gapSeconds{3};
  float sampleRate = 250.0f;
  double shotIntervalSeconds = 60.0;
  std::optional<int> shots;  // nothing: as many as fit in the recording
  std::uint64_t seed = 1;
  std::string station = "OBS07";
  ClockTime start{96, 0};  // set from kDefaultStart
  double maxRangeKm = 30.0;
};

inline constexpr char kDefaultStart[] = "29 Feb 96 23:45:00";

struct SynthArguments {
  enum class Action { kRun, kHelp, kUsageError };
  Action action = Action::kRun;
  SynthOptions options;
  std::string problem;  // for kUsageError: what is wrong, naming the option
};

// Values follow their option as the next argument or after "=" ("--files=4").
SynthArguments ParseSynthArguments(std::span<const std::string_view> arguments);

std::string SynthUsage(std::string_view program);

}  // namespace obscut
