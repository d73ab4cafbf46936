#include "batch/batch_command.h"

#include <string>
#include <utility>
#include <vector>

#include "batch/batch_front_end.h"
#include "batch/batch_options.h"
#include "run/preflight.h"
#include "run/preflight_report.h"
#include "run/run_conversion.h"

namespace obscut {
namespace {
constexpr char kProgram[] = "obscut-batch";

// The preflight report on `out`, from the files and settings a run would get.
int RunBatchCheck(BatchFrontEnd& front_end, std::FILE* out) {
  const std::vector<std::string> recorderFiles = front_end.SelectRecorderFiles().value();
  const RunSettings settings = front_end.AskRunSettings(RunPresets()).value();
  const PreflightFindings findings = RunPreflight(recorderFiles, settings);
  std::fputs(FormatPreflightReport(findings).c_str(), out);
  std::fflush(out);
  return findings.stopMessage ? kBatchExitStopped : kBatchExitFinished;
}
}  // namespace

int RunBatchCommand(std::span<const std::string_view> arguments, std::FILE* out, std::FILE* err,
                    bool show_progress) {
  BatchArguments parsed = ParseBatchArguments(arguments);
  switch (parsed.action) {
    case BatchArguments::Action::kHelp:
      std::fputs(BatchUsage(kProgram).c_str(), out);
      return kBatchExitFinished;
    case BatchArguments::Action::kVersion:
      std::fprintf(out, "%s %s\n", kProgram, OBSCUT_VERSION);
      return kBatchExitFinished;
    case BatchArguments::Action::kUsageError:
      std::fprintf(err, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                   parsed.problem.c_str(), kProgram);
      return kBatchExitUsage;
    case BatchArguments::Action::kRun:
      break;
  }
  const bool checkOnly = parsed.request.checkOnly;
  BatchFrontEnd front_end(std::move(parsed.request), out, err, show_progress);
  if (checkOnly) {
    return RunBatchCheck(front_end, out);
  }
  const RunOutcome outcome = RunConversionReportingFileErrors(front_end);
  return outcome == RunOutcome::kFinished ? kBatchExitFinished : kBatchExitStopped;
}

}  // namespace obscut
