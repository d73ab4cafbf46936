// The command line of obscut-batch.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_settings.h"

namespace obscut {

struct BatchRequest {
  RunSettings settings;                    // paths exactly as given, numbers checked
  std::vector<std::string> recorderFiles;  // in the order given
  bool showLog = false;
  bool checkOnly = false;  // report on the run without running it
};

struct BatchArguments {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  BatchRequest request;
  std::string problem;  // for kUsageError: what is wrong, naming the option
};

// Options may stand anywhere among the recorder files; "--" ends them, and a lone "-" is a
// file name. Values follow their
// option as the next argument or after "=" ("--max-time=30"). The three numbers are checked
// as the settings dialog checks them.
BatchArguments ParseBatchArguments(std::span<const std::string_view> arguments);

std::string BatchUsage(std::string_view program);

}  // namespace obscut
