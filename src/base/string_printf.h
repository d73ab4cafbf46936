// printf-style formatting into a std::string of whatever length the result needs.
#pragma once

#include <cstdarg>
#include <string>

#include "base/printf_check.h"

namespace obscut {

std::string StringPrintf(const char* format, ...) OBSCUT_PRINTF_FORMAT(1, 2);
std::string StringPrintfV(const char* format, std::va_list arguments);

}  // namespace obscut
