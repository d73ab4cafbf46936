#!/usr/bin/env bash
# Builds obscut and runs every test: the style check, then the suite as a normal build and
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-format.sh

for variant in release sanitize; do
  build_dir="build/$variant"
  if [[ $variant == sanitize ]]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOBSCUT_SANITIZE=ON
  else
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build "$build_dir" -j2
  echo "== tests ($variant build)"
  ctest --test-dir "$build_dir" -j2 --output-on-failure --no-tests=error
done
