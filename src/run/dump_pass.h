#pragma once

#include "recorder/recorder_file.h"
#include "run/processing_log.h"

namespace obscut {

// Writes the file's dump block into the log: the dump line naming the file, directly followed
// by the 320 bytes of its text header exactly as they stand, NUL and control bytes included.
void DumpAsciiHeader(const RecorderFile& file, ProcessingLog& log);

}  // namespace obscut
