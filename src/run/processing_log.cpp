#include "run/processing_log.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>

#include "base/string_printf.h"
#include "platform/file_error.h"
#include "platform/system.h"

namespace obscut {

std::string LogPathFor(const std::string& outputPath) {
  const auto separator = outputPath.rfind(kFolderSeparator);
  if (separator == std::string::npos) {
    return kLogFileName;
  }
  return outputPath.substr(0, separator) + kFolderSeparator + kLogFileName;
}

bool ProcessingLog::Open(const std::string& path) {
  int error_number = 0;
  path_ = path;
  file_ = OpenFileHandle(path, FileMode::kCreateBinary, error_number);
  return file_ != nullptr;
}

void ProcessingLog::Close() {
  std::FILE* file = file_.release();
  if (file == nullptr) {
    return;
  }
  errno = 0;
  if (std::fclose(file) != 0) {
    Fail(errno);
  }
}

void ProcessingLog::Fail(int error_number) {
  // Nothing more goes into a log that has lost text; the run ends with the error.
  file_.reset();
  throw FileError::FromErrno(path_, error_number != 0 ? error_number : EIO);
}

void ProcessingLog::Append(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const std::string text = StringPrintfV(format, arguments);
  va_end(arguments);
  WriteText(text);
}

void ProcessingLog::AppendBytes(std::span<const std::uint8_t> bytes) {
  WriteText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void ProcessingLog::WriteText(std::string_view text) {
  if (!file_) {
    return;
  }
  // Text mode: every line feed is stored as carriage return and line feed.
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t feed = text.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? text.size() : feed;
    errno = 0;
    if (std::fwrite(text.data() + start, 1, end - start, file_.get()) != end - start) {
      Fail(errno);
    }
    if (feed == std::string_view::npos) {
      break;
    }
    if (std::fwrite("\r\n", 1, 2, file_.get()) != 2) {
      Fail(errno);
    }
    start = feed + 1;
  }
}

}  // namespace obscut
