#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' |
  xargs -0 -r clang-format --dry-run -Werror
