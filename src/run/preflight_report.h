// The preflight findings as a report for people: recorder files, shot table, trace length,
// what the shots would get and how the run would end.
#pragma once

#include <string>

#include "run/preflight.h"

namespace obscut {

// Lines end with a line feed. Paths of recorder files are shown by their file names.
std::string FormatPreflightReport(const PreflightFindings& findings);

// Shot numbers in table order, consecutive numbers joined into runs: "1-5, 9, 12-13".
std::string ShotRuns(const std::vector<std::int16_t>& shotNumbers);

}  // namespace obscut
