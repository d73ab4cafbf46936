// obscut-batch: the conversion run from the command line.
#include <cstdio>
#include <string_view>
#include <vector>

#include "batch/batch_command.h"
#include "platform/system.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  return obscut::RunBatchCommand(arguments, stdout, stderr, obscut::IsTerminal(stderr));
}
