// obscut-section: a record-section picture of one SEG-Y file written by obscut.
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "section/offscreen_gui.h"
#include "section/prepared_section.h"
#include "section/section_options.h"
#include "section/section_picture.h"
#include "section/segy_section_reader.h"

namespace {
constexpr int kExitWritten = 0;
constexpr int kExitFileProblem = 1;
constexpr int kExitUsage = 2;
constexpr char kProgram[] = "obscut-section";

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
  return status;
}
}  // namespace

int main(int argc, char** argv) {
  using namespace obscut;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const SectionArguments parsed = ParseSectionArguments(arguments);
  switch (parsed.action) {
    case SectionArguments::Action::kHelp:
      std::fputs(SectionUsage(kProgram).c_str(), stdout);
      return kExitWritten;
    case SectionArguments::Action::kVersion:
      std::printf("%s %s\n", kProgram, OBSCUT_VERSION);
      return kExitWritten;
    case SectionArguments::Action::kUsageError:
      std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                   parsed.problem.c_str(), kProgram);
      return kExitUsage;
    case SectionArguments::Action::kRun:
      break;
  }
  const SectionSettings& settings = parsed.settings;

  auto read = ReadSegySection(settings.inputPath);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    return Fail(kExitFileProblem, *problem);
  }
  const auto prepared = PrepareSection(std::get<SegySection>(read), settings);
  if (const auto* problem = std::get_if<std::string>(&prepared)) {
    return Fail(kExitUsage, "--band: " + *problem);
  }

  UseOffscreenPlatformUnlessChosen();
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  const QImage picture = DrawSection(std::get<PreparedSection>(prepared), settings.style,
                                     settings.width, settings.height);
  QImageWriter writer(QString::fromStdString(settings.outputPath), "png");
  if (!writer.write(picture)) {
    return Fail(kExitFileProblem,
                "cannot write " + settings.outputPath + ": " + writer.errorString().toStdString());
  }
  std::printf("%s\n", settings.outputPath.c_str());
  return kExitWritten;
}
