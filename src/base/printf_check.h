// Lets the compiler check printf-style formats against their arguments.
#pragma once

#if defined(__GNUC__) || defined(__clang__)
#define OBSCUT_PRINTF_FORMAT(format_index, first_argument) \
  __attribute__((format(printf, format_index, first_argument)))
#else
#define OBSCUT_PRINTF_FORMAT(format_index, first_argument)
#endif
