#include "synth/synth_options.h"

#include <functional>

#include "base/option_number.h"

namespace obscut {
namespace {

// The converter takes at most 999 recorder files; shot numbers are 16-bit in the SEG-Y files.
constexpr int kMaxFiles = 999;
constexpr int kMaxShots = 32767;
constexpr std::size_t kMaxStationLength = 40;

std::optional<std::vector<int>> ParseGapList(std::string_view text) {
  std::vector<int> gaps;
  for (;;) {
    const auto comma = text.find(',');
    const auto gap = ParseOptionNumber<int>(text.substr(0, comma));
    if (!gap) {
      return std::nullopt;
    }
    gaps.push_back(*gap);
    if (comma == std::string_view::npos) {
      return gaps;
    }
    text.remove_prefix(comma + 1);
  }
}

bool IsPrintableName(std::string_view text) {
  if (text.empty() || text.size() > kMaxStationLength) {
    return false;
  }
  for (char c : text) {
    if (c < 0x21 || c > 0x7E) {
      return false;
    }
  }
  return true;
}

// Checks one option's text and stores it; the problem text when it does not fit.
using OptionSetter = std::function<std::optional<std::string>(std::string_view, SynthOptions&)>;

template <typename Number>
OptionSetter NumberIn(Number low, Number high, Number SynthOptions::*field, const char* what) {
  return [=](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
    const auto value = ParseOptionNumber<Number>(text);
    if (!value || !(*value >= low && *value <= high)) {
      return std::string("needs ") + what;
    }
    options.*field = *value;
    return std::nullopt;
  };
}

std::optional<OptionSetter> SetterFor(std::string_view name) {
  if (name == "--out") {
    return [](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
      if (text.empty()) {
        return "needs a folder";
      }
      options.outDir = std::string(text);
      return std::nullopt;
    };
  }
  if (name == "--files") {
    return NumberIn(1, kMaxFiles, &SynthOptions::files, "a whole number from 1 to 999");
  }
  if (name == "--file-seconds") {
    return NumberIn(1, 366 * 86400, &SynthOptions::fileSeconds, "a whole number of seconds");
  }
  if (name == "--gap") {
    return [](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
      auto gaps = ParseGapList(text);
      if (!gaps) {
        return "needs whole seconds, or a comma-separated list of them";
      }
      options.gapSeconds = std::move(*gaps);
      return std::nullopt;
    };
  }
  if (name == "--sample-rate") {
    return NumberIn(1.0f, 10000.0f, &SynthOptions::sampleRate,
                    "samples per second from 1 to 10000");
  }
  if (name == "--shot-interval") {
    return NumberIn(0.001, 86400.0, &SynthOptions::shotIntervalSeconds,
                    "seconds from 0.001 to 86400");
  }
  if (name == "--shots") {
    return [](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
      const auto shots = ParseOptionNumber<int>(text);
      if (!shots || *shots < 1 || *shots > kMaxShots) {
        return "needs a whole number from 1 to 32767";
      }
      options.shots = *shots;
      return std::nullopt;
    };
  }
  if (name == "--seed") {
    return NumberIn<std::uint64_t>(0, UINT64_MAX, &SynthOptions::seed, "a whole number");
  }
  if (name == "--station") {
    return [](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
      if (!IsPrintableName(text)) {
        return "needs 1 to 40 printable characters without blanks";
      }
      options.station = std::string(text);
      return std::nullopt;
    };
  }
  if (name == "--start") {
    return [](std::string_view text, SynthOptions& options) -> std::optional<std::string> {
      const auto start = ParseClockText(text);
      if (!start) {
        return "needs a time written as \"DD Mon YY HH:MM:SS\", for example \"05 Jul 96 "
               "23:45:00\"";
      }
      options.start = *start;
      return std::nullopt;
    };
  }
  if (name == "--max-range") {
    return NumberIn(0.001, 1000.0, &SynthOptions::maxRangeKm, "kilometres from 0.001 to 1000");
  }
  return std::nullopt;
}

SynthArguments UsageError(std::string problem) {
  SynthArguments result;
  result.action = SynthArguments::Action::kUsageError;
  result.problem = std::move(problem);
  return result;
}

}  // namespace

SynthArguments ParseSynthArguments(std::span<const std::string_view> arguments) {
  SynthArguments result;
  result.options.start = *ParseClockText(kDefaultStart);
  for (const std::string_view argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      result.action = SynthArguments::Action::kHelp;
      return result;
    }
  }
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const auto equals = argument.find('=');
    const std::string name(argument.substr(0, equals));
    const auto setter = SetterFor(name);
    if (!setter) {
      return UsageError(argument.starts_with("-") ? "unknown option " + name
                                                  : "unexpected argument " + name);
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return UsageError("option " + name + " needs a value");
    }
    if (const auto problem = (*setter)(value, result.options)) {
      return UsageError(name + " " + *problem);
    }
  }
  const SynthOptions& options = result.options;
  if (options.outDir.empty()) {
    return UsageError("--out is required");
  }
  for (int gap : options.gapSeconds) {
    if (gap <= -options.fileSeconds) {
      return UsageError("--gap: an overlap must be shorter than a file (--file-seconds)");
    }
  }
  return result;
}

std::string SynthUsage(std::string_view program) {
  std::string p(program);
  return "Usage: " + p +
         " --out DIR [OPTION]...\n"
         "Write a synthetic ocean-bottom seismometer survey into DIR: recorder files\n"
         "OBS00001.001, OBS00002.001, ... holding four channels (1 hydrophone, 2 to 4\n"
         "geophone components) of noise and the arrivals of every shot, and the shot table\n"
         "shots.txt of a ship steaming along a straight line over the station.\n"
         "\n"
         "  --out DIR            folder to write into (created when missing; required)\n"
         "  --files K            number of recorder files, 1 to 999 (default 3)\n"
         "  --file-seconds D     length of every file in whole seconds (default 3600)\n"
         "  --gap S[,S...]       whole seconds from the end of one file to the start of the\n"
         "                       next, used in turn; 0 for files that touch, negative for an\n"
         "                       overlap (default 3)\n"
         "  --sample-rate R      samples per second per channel (default 250)\n"
         "  --shot-interval S    seconds between shots, fractions allowed (default 60)\n"
         "  --shots N            number of shots (default: as many as fit, the last shot\n"
         "                       being at least one shot interval before the recording ends)\n"
         "  --start TIME         start of the first file, \"DD Mon YY HH:MM:SS\"\n"
         "                       (default \"" +
         std::string(kDefaultStart) +
         "\")\n"
         "  --max-range KM       the ship's line runs from KM before the station to KM\n"
         "                       past it (default 30)\n"
         "  --station NAME       station name for the file headers (default OBS07)\n"
         "  --seed N             seed of the noise and the shot time jitter (default 1);\n"
         "                       the same seed and options give the same bytes\n"
         "  --help               show this help and exit\n"
         "\n"
         "Exit status: 0 when the survey was written, 1 when a file could not be written,\n"
         "2 for a wrong command line or a survey that does not fit in its year.\n";
}

}  // namespace obscut
