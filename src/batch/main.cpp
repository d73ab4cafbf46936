// obscut-batch: the conversion run from the command line.
#include <cstdio>
#include <string_view>
#include <vector>

#include "batch/batch_front_end.h"
#include "batch/batch_options.h"
#include "platform/system.h"
#include "run/run_conversion.h"

namespace {
constexpr int kExitFinished = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;
constexpr char kProgram[] = "obscut-batch";
}  // namespace

int main(int argc, char** argv) {
  using namespace obscut;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  BatchArguments parsed = ParseBatchArguments(arguments);
  switch (parsed.action) {
    case BatchArguments::Action::kHelp:
      std::fputs(BatchUsage(kProgram).c_str(), stdout);
      return kExitFinished;
    case BatchArguments::Action::kVersion:
      std::printf("%s %s\n", kProgram, OBSCUT_VERSION);
      return kExitFinished;
    case BatchArguments::Action::kUsageError:
      std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                   parsed.problem.c_str(), kProgram);
      return kExitUsage;
    case BatchArguments::Action::kRun:
      break;
  }
  BatchFrontEnd front_end(std::move(parsed.request), stdout, stderr, IsTerminal(stderr));
  const RunOutcome outcome = RunConversionReportingFileErrors(front_end);
  return outcome == RunOutcome::kFinished ? kExitFinished : kExitStopped;
}
