#include "base/string_printf.h"

#include <cstdio>

namespace obscut {

std::string StringPrintfV(const char* format, std::va_list arguments) {
  std::va_list measure;
  va_copy(measure, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) {
    return std::string();
  }
  // One more for the terminating NUL that vsnprintf writes; a "%c" of 0 stays in the text.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, arguments);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::string StringPrintf(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::string text = StringPrintfV(format, arguments);
  va_end(arguments);
  return text;
}

}  // namespace obscut
