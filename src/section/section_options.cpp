#include "section/section_options.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <optional>

#include "base/option_number.h"
#include "base/string_printf.h"

namespace obscut {
namespace {

constexpr int kSmallestPicture = 200;
constexpr int kLargestPicture = 20000;

// A finite number: infinities and NaN mean nothing on a picture.
std::optional<double> ParseDecimal(std::string_view text) {
  const auto value = ParseOptionNumber<double>(text);
  if (!value || !std::isfinite(*value)) {
    return std::nullopt;
  }
  return value;
}

// "A,B" or, with separator 'x', "AxB".
std::optional<std::pair<std::string_view, std::string_view>> SplitPair(std::string_view text,
                                                                       char separator) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{text.substr(0, at), text.substr(at + 1)};
}

std::optional<std::pair<double, double>> ParseDecimalPair(std::string_view text) {
  const auto parts = SplitPair(text, ',');
  if (!parts) {
    return std::nullopt;
  }
  const auto first = ParseDecimal(parts->first);
  const auto second = ParseDecimal(parts->second);
  if (!first || !second) {
    return std::nullopt;
  }
  return std::pair{*first, *second};
}

// Checks one option's value and stores it; the problem when it does not fit.
using OptionSetter = std::function<std::optional<std::string>(std::string_view, SectionSettings&)>;

std::optional<OptionSetter> SetterFor(std::string_view name) {
  if (name == "--output" || name == "-o") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      if (text.empty()) {
        return "needs a file name";
      }
      s.outputPath = std::string(text);
      return std::nullopt;
    };
  }
  if (name == "--size") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto parts = SplitPair(text, 'x');
      const auto width = parts ? ParseOptionNumber<int>(parts->first) : std::nullopt;
      const auto height = parts ? ParseOptionNumber<int>(parts->second) : std::nullopt;
      if (!width || !height || *width < kSmallestPicture || *width > kLargestPicture ||
          *height < kSmallestPicture || *height > kLargestPicture) {
        return "needs WIDTHxHEIGHT in pixels, each from 200 to 20000, for example 1600x1000";
      }
      s.width = *width;
      s.height = *height;
      return std::nullopt;
    };
  }
  if (name == "--reduce") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto velocity = ParseDecimal(text);
      if (!velocity || *velocity < 0.0) {
        return "needs a velocity in km/s, or 0 for no reduction";
      }
      s.reduceVelocity = *velocity;
      return std::nullopt;
    };
  }
  if (name == "--time-range") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto range = ParseDecimalPair(text);
      if (!range || !(range->first < range->second)) {
        return "needs FROM,TO in seconds with FROM below TO, for example -1,12";
      }
      s.timeRange = TimeInterval{range->first, range->second};
      return std::nullopt;
    };
  }
  if (name == "--min-time") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto time = ParseDecimal(text);
      if (!time) {
        return "needs seconds";
      }
      s.minTime = *time;
      return std::nullopt;
    };
  }
  if (name == "--band") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto band = ParseDecimalPair(text);
      if (!band || !(band->first > 0.0) || !(band->first < band->second)) {
        return "needs LOW,HIGH in Hz with 0 < LOW < HIGH, for example 3,15";
      }
      s.band = BandLimits{band->first, band->second};
      return std::nullopt;
    };
  }
  if (name == "--gain") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      if (text == "normalise" || text == "normalize") {
        s.gain = TraceGain::kNormalise;
        return std::nullopt;
      }
      if (text == "agc") {
        s.gain = TraceGain::kAutomatic;
        return std::nullopt;
      }
      if (text.starts_with("agc=")) {
        const auto window = ParseDecimal(text.substr(4));
        if (window && *window > 0.0) {
          s.gain = TraceGain::kAutomatic;
          s.agcWindowSeconds = *window;
          return std::nullopt;
        }
      }
      return "needs normalise, agc or agc=SECONDS (a window longer than 0)";
    };
  }
  if (name == "--style") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      if (text == "wiggle") {
        s.style = DrawStyle::kWiggle;
      } else if (text == "grey" || text == "gray") {
        s.style = DrawStyle::kGrey;
      } else {
        return "needs wiggle or grey";
      }
      return std::nullopt;
    };
  }
  if (name == "--by") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      if (text == "range") {
        s.placement = TracePlacement::kByRange;
      } else if (text == "order") {
        s.placement = TracePlacement::kByOrder;
      } else {
        return "needs range or order";
      }
      return std::nullopt;
    };
  }
  if (name == "--clip") {
    return [](std::string_view text, SectionSettings& s) -> std::optional<std::string> {
      const auto clip = ParseDecimal(text);
      if (!clip || !(*clip > 0.0)) {
        return "needs an amplitude above 0, for example 0.5";
      }
      s.clip = *clip;
      return std::nullopt;
    };
  }
  return std::nullopt;
}

}  // namespace

SectionArguments ParseSectionArguments(std::span<const std::string_view> arguments) {
  SectionArguments result;
  auto fail = [&result](std::string problem) {
    result.action = SectionArguments::Action::kUsageError;
    result.problem = std::move(problem);
    return result;
  };
  std::vector<std::string_view> files;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || !argument.starts_with("-") || argument == "-") {
      files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      result.action = SectionArguments::Action::kHelp;
      return result;
    }
    if (argument == "--version") {
      result.action = SectionArguments::Action::kVersion;
      return result;
    }
    const auto equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const auto setter = SetterFor(name);
    if (!setter) {
      return fail("unknown option " + std::string(name));
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return fail(std::string(name) + " needs a value");
    }
    if (auto problem = (*setter)(value, result.settings)) {
      return fail(std::string(name) + " " + *problem);
    }
  }
  if (files.empty()) {
    return fail("no SEG-Y file given");
  }
  if (files.size() > 1) {
    return fail("one SEG-Y file at a time, not " + std::to_string(files.size()));
  }
  result.settings.inputPath = std::string(files.front());
  if (result.settings.outputPath.empty()) {
    result.settings.outputPath = DefaultOutputPath(result.settings.inputPath);
  }
  return result;
}

std::string DefaultOutputPath(const std::string& inputPath) {
  return std::filesystem::path(inputPath).replace_extension(".png").string();
}

std::string SectionUsage(std::string_view program) {
  const std::string p(program);
  return "Usage: " + p + " [OPTION]... FILE.sgy\n" +
         "Draws a record section of one SEG-Y file written by obscut as a PNG picture:\n"
         "one trace per shot, placed by range, with time reduced by a velocity.\n"
         "\n"
         "  -o, --output PNG      where to write the picture (default: FILE.png beside FILE)\n"
         "      --size WxH        picture size in pixels (default 1600x1000)\n"
         "      --reduce V        reduction velocity in km/s: time shown is t - |range|/V;\n"
         "                        0 for plain time (default 6)\n"
         "      --time-range A,B  reduced time shown, in seconds (default -1,15, or what\n"
         "                        of it the data cover)\n"
         "      --min-time S      seconds after the shot of each trace's first sample: the\n"
         "                        --min-time the file was cut with (default 0)\n"
         "      --band LOW,HIGH   zero-phase Butterworth band-pass in Hz (default: none)\n"
         "      --gain MODE       normalise: each trace's peak in the time shown is 1\n"
         "                        (default); agc[=SECONDS]: automatic gain control over a\n"
         "                        window of SECONDS (default 1)\n"
         "      --style STYLE     wiggle: wiggles with filled positive lobes (default);\n"
         "                        grey: a grey image, positive dark\n"
         "      --by PLACE        range: traces at their signed range in km (default);\n"
         "                        order: traces in file order\n"
         "      --clip C          amplitude drawn at full swing (one trace spacing) or full\n"
         "                        black; larger amplitudes are cut there (default 0.5 of\n"
         "                        a normalised peak, 2 with agc)\n"
         "  -h, --help            show this help and exit\n"
         "      --version         show the version and exit\n"
         "\n"
         "Every trace is debiased first: the samples are the recorder's counts about\n"
         "mid-scale, and zeros, where no data were recorded, are left out of the mean.\n"
         "\n"
         "Exit status: 0 when the picture was written, 1 when the file could not be read or\n"
         "the picture not written, 2 for a wrong command line.\n";
}

}  // namespace obscut
