// obscut-synth: writes a synthetic ocean-bottom seismometer survey to try the converter on.
#include <cstdio>
#include <exception>
#include <string_view>
#include <variant>
#include <vector>

#include "synth/survey_plan.h"
#include "synth/synth_options.h"
#include "synth/synthetic_survey.h"

namespace {
constexpr int kExitWritten = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr char kProgram[] = "obscut-synth";

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram, problem.c_str(),
               kProgram);
  return kExitUsage;
}
}  // namespace

int main(int argc, char** argv) {
  using namespace obscut;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const SynthArguments parsed = ParseSynthArguments(arguments);
  switch (parsed.action) {
    case SynthArguments::Action::kHelp:
      std::fputs(SynthUsage(kProgram).c_str(), stdout);
      return kExitWritten;
    case SynthArguments::Action::kUsageError:
      return UsageError(parsed.problem);
    case SynthArguments::Action::kRun:
      break;
  }
  auto plan = SurveyPlan::Make(parsed.options);
  if (const auto* problem = std::get_if<std::string>(&plan)) {
    return UsageError(*problem);
  }
  try {
    const auto written = WriteSyntheticSurvey(std::get<SurveyPlan>(plan), parsed.options);
    std::int64_t total = 0;
    for (const WrittenFile& file : written) {
      std::printf("%s  %lld bytes, %s\n", file.path.c_str(), static_cast<long long>(file.bytes),
                  file.description.c_str());
      total += file.bytes;
    }
    std::printf("%zu files, %lld bytes in all\n", written.size(), static_cast<long long>(total));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
    return kExitFailed;
  }
  return kExitWritten;
}
