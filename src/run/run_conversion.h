// One conversion run, from the choice of recorder files to the finished output.
#pragma once

#include "run/front_end.h"

namespace obscut {

enum class RunOutcome {
  kFinished,   // the shot table was converted to its end; the main window closes
  kCancelled,  // the user left a dialog without OK; nothing was written
  kStopped,    // a message stopped the run, or a file error abandoned it
};

// Runs the steps of a conversion in their fixed order: recorder files, their order, the
// settings, the log, the header dumps, the shot table, then every shot line. Raises
// FileError when a file cannot be opened, read, positioned or written; every file of the run
// is closed by the time it leaves.
RunOutcome RunConversion(FrontEnd& ui);

// RunConversion as a front end starts it: a FileError is reported through the front end and
// the run counts as stopped.
RunOutcome RunConversionReportingFileErrors(FrontEnd& ui);

}  // namespace obscut
