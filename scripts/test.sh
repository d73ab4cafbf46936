#!/usr/bin/env bash
# Builds obscut and runs every test: the style check, then the suite as a normal build and
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then a short run of every fuzz
# target.
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

# Every fuzz target for 15 seconds over its seeds and the inputs of fuzz/regressions.
echo "== fuzz targets (smoke run)"
bash fuzz/run.sh 15 build/fuzz
