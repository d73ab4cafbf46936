// The shot table reader: the seven header lines, then every shot line to the end of the table
// or the first line in error. The reader works on files, so the input goes into a scratch file.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "fuzz_scratch.h"
#include "recorder/shot_table.h"

using namespace obscut;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::FuzzScratch& scratch = fuzz::FuzzScratch::Get();
  scratch.Write("shots.txt", std::span(data, size));

  std::optional<ShotTable> table = ShotTable::OpenShotTable(scratch.File("shots.txt"));
  if (!table) {
    std::abort();  // the file was just written
  }
  if (table->ReadShotTableHeader()) {
    std::int64_t lines = 0;
    while (table->ReadShotRecord() == ShotTable::ReadResult::kShot) {
      // Every shot line takes at least one byte of the file.
      if (++lines > table->bytesRead() || table->bytesRead() > table->length()) {
        std::abort();
      }
    }
  }
  table->Close();
  return 0;
}
