// The processing log ".tempOutAsciiInfo.txt": a dump of every recorder file's text header,
// then a line for each notable event of each shot.
//
// Every message starts with one or two line feeds and none ends with one. The file is
// written with CR LF for every line feed (header bytes included) on every platform, so a log
// is byte for byte the same wherever it was made.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/printf_check.h"
#include "platform/file_handle.h"

namespace obscut {

inline constexpr char kLogFileName[] = ".tempOutAsciiInfo.txt";

// The log's messages. Their arguments are formatted by printf rules; paths and other user
// text only ever travel as arguments, never as part of a format.
namespace log_format {
inline constexpr char kDumpHeader[] = "\n\nDump of the ascii header for file %s";
inline constexpr char kDateNotRecognised[] =
    "\n total days not recognizable in datafile.%3d for shot #%5d";
inline constexpr char kStartsBefore[] = "\nShot %d starts before the first sample of %s";
inline constexpr char kExtendsBeyond[] = "\nShot %d extends beyond the last sample of %s";
inline constexpr char kMeetsLastFile[] = "\n  Shot %d meets the last datafile %s";
inline constexpr char kMatched[] = "\nShot %d is matched to %s";
inline constexpr char kAlsoMatched[] = "\n  Shot %d is also matched to %s";
}  // namespace log_format

// The log's place: the folder of `outputPath` (the text before its last folder separator)
// followed by the log's name; without a separator, the current folder.
std::string LogPathFor(const std::string& outputPath);

class ProcessingLog {
 public:
  // Creates the file, or empties an existing one. False when it cannot be created.
  [[nodiscard]] bool Open(const std::string& path);

  // Appends printf-formatted text. The log is the user's only record of the run, so a
  // write the system refuses (a full disk, say) raises FileError naming the log, and the
  // run ends as on any other file error instead of finishing with a log that lacks lines.
  void Append(const char* format, ...) OBSCUT_PRINTF_FORMAT(2, 3);

  // Appends bytes as they are, as a sequence of "%c" would (NUL bytes included). Raises
  // FileError as Append does.
  void AppendBytes(std::span<const std::uint8_t> bytes);

  // Flushes and closes the file; nothing can be written after it. Raises FileError naming
  // the log when what is still buffered cannot be written.
  void Close();

  bool is_open() const { return file_ != nullptr; }

 private:
  void WriteText(std::string_view text);
  [[noreturn]] void Fail(int error_number);

  std::string path_;
  FileHandle file_;
};

// The message that stops a run whose log would replace one of its input files.
inline std::string LogWouldOverwriteInput(const std::string& logPath) {
  return "Log file " + logPath + " would overwrite an input file";
}

}  // namespace obscut
