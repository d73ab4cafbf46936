#include "batch/batch_options.h"

#include <optional>
#include <variant>

#include "run/settings_fields.h"

namespace obscut {
namespace {

BatchArguments UsageError(std::string problem) {
  BatchArguments result;
  result.action = BatchArguments::Action::kUsageError;
  result.problem = std::move(problem);
  return result;
}

const char* OptionName(NumberField field) {
  switch (field) {
    case NumberField::kMaxTime:
      return "--max-time";
    case NumberField::kMinTime:
      return "--min-time";
    case NumberField::kOutputChannel:
      break;
  }
  return "--channel";
}

}  // namespace

BatchArguments ParseBatchArguments(std::span<const std::string_view> arguments) {
  BatchArguments result;
  std::optional<std::string> shot_table;
  std::optional<std::string> output;
  NumberFieldTexts numbers{"60", "0", "0"};
  bool options_ended = false;

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      result.request.recorderFiles.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      result.action = BatchArguments::Action::kHelp;
      return result;
    }
    if (argument == "--version") {
      result.action = BatchArguments::Action::kVersion;
      return result;
    }
    if (argument == "--show-log") {
      result.request.showLog = true;
      continue;
    }
    if (argument == "--check") {
      result.request.checkOnly = true;
      continue;
    }

    const auto equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    std::string* target = nullptr;
    if (name == "--shot-table") {
      target = &shot_table.emplace();
    } else if (name == "--output") {
      target = &output.emplace();
    } else if (name == "--min-time") {
      target = &numbers.minTime;
    } else if (name == "--max-time") {
      target = &numbers.maxTime;
    } else if (name == "--channel") {
      target = &numbers.outputChannel;
    } else {
      return UsageError("unknown option " + std::string(name));
    }
    if (equals != std::string_view::npos) {
      *target = std::string(argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      *target = std::string(arguments[++i]);
    } else {
      return UsageError("option " + std::string(name) + " needs a value");
    }
  }

  if (!shot_table) {
    return UsageError("--shot-table is required");
  }
  if (!output) {
    return UsageError("--output is required");
  }
  const auto checked = CheckNumberFields(numbers);
  if (const auto* rejection = std::get_if<NumberFieldRejection>(&checked)) {
    return UsageError(std::string(OptionName(rejection->field)) + ": " + rejection->message);
  }
  const auto& values = std::get<NumberFieldValues>(checked);
  RunSettings& settings = result.request.settings;
  settings.shotTablePath = std::move(*shot_table);
  settings.outputPath = std::move(*output);
  settings.maxTime = values.maxTime;
  settings.minTime = values.minTime;
  settings.outputChannel = values.outputChannel;
  return result;
}

std::string BatchUsage(std::string_view program) {
  std::string p(program);
  return "Usage: " + p +
         " --shot-table FILE --output PATH [OPTION]... RECORDER_FILE...\n"
         "Cut the window after every shot of a shot table out of the continuous recording of\n"
         "an ocean-bottom seismometer and write it as one trace into SEG-Y files.\n"
         "\n"
         "  --shot-table FILE  the shot table: seven header lines, then one line per shot\n"
         "  --output PATH      base name of the SEG-Y files; \".sgy\" is added where missing,\n"
         "                     the files are named PATH without \".sgy\" + \"ch1.sgy\" to "
         "\"ch4.sgy\",\n"
         "                     and the log .tempOutAsciiInfo.txt goes into PATH's folder\n"
         "  --min-time S       window start in seconds after the shot (default 0)\n"
         "  --max-time S       window end in seconds after the shot (default 60)\n"
         "  --channel N        recorder channel 1 to 4, or 0 for all four (default 0)\n"
         "  --show-log         open the processing log in the text viewer at the end\n"
         "  --check            write nothing: report what the run would find and do\n"
         "  --help             show this help and exit\n"
         "  --version          show the version and exit\n"
         "  --                 end of options; every later argument is a recorder file\n"
         "\n"
         "Recorder files are processed in the order of the number in their names\n"
         "(OBS01234.001 is number 1234), whatever order they are given in.\n"
         "\n"
         "Exit status: 0 when the shot table was converted to its end, 1 when the run\n"
         "stopped (the reason is on standard error), 2 for a wrong command line.\n"
         "With --check: 0 when the run would finish, 1 when it would stop.\n";
}

}  // namespace obscut
