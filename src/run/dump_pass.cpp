#include "run/dump_pass.h"

namespace obscut {

void DumpAsciiHeader(const RecorderFile& file, ProcessingLog& log) {
  log.Append(log_format::kDumpHeader, file.path().c_str());
  log.AppendBytes(file.header().asciiHeader());
}

}  // namespace obscut
