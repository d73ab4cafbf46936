#include "run/processing_log.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

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
  file_ = OpenFileHandle(path, FileMode::kCreateBinary, error_number);
  return file_ != nullptr;
}

void ProcessingLog::Append(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length > 0) {
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    WriteText(std::string_view(text.data(), static_cast<std::size_t>(length)));
  }
  va_end(args);
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
    std::fwrite(text.data() + start, 1, end - start, file_.get());
    if (feed == std::string_view::npos) {
      break;
    }
    std::fwrite("\r\n", 1, 2, file_.get());
    start = feed + 1;
  }
}

}  // namespace obscut
