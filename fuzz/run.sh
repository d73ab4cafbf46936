#!/usr/bin/env bash
# Builds the fuzz targets with clang, makes their seed corpora from obscut-synth surveys and
# runs each target for the given number of seconds, one after the other.
#
#   fuzz/run.sh SECONDS [BUILD_DIR] [TARGET...]
#
# BUILD_DIR defaults to build/fuzz. The corpus each target grows is kept in
# BUILD_DIR/fuzz-corpus/TARGET and used again by the next call; the seeds are made afresh in
# BUILD_DIR/fuzz-seeds, and the inputs in fuzz/regressions/TARGET are run first. An input
# that crashes, leaks or hangs is saved as BUILD_DIR/fuzz-artifacts/TARGET-*, and the script
# exits non-zero once every target has had its turn.
set -euo pipefail
cd "$(dirname "$0")/.."

if (($# < 1)); then
  echo "usage: $0 SECONDS [BUILD_DIR] [TARGET...]" >&2
  exit 2
fi
seconds=$1
build_dir=${2:-build/fuzz}
shift $(($# < 2 ? $# : 2))
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(recorder_header_fuzzer shot_table_fuzzer number_scanner_fuzzer whole_run_fuzzer)
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DOBSCUT_FUZZ=ON -DOBSCUT_BUILD_TESTS=OFF -DOBSCUT_BUILD_DESKTOP=OFF >/dev/null
cmake --build "$build_dir" -j2
python3 fuzz/make_seeds.py --synth "$build_dir/tools/obscut-synth" --out "$build_dir/fuzz-seeds"

# Inputs of at most this many bytes: a recorder header and some frames, a shot table of a few
# dozen lines, a line of numbers, or a small survey.
declare -A max_len=([recorder_header_fuzzer]=1024 [shot_table_fuzzer]=4096
                    [number_scanner_fuzzer]=512 [whole_run_fuzzer]=8192)

failed=()
for target in "${targets[@]}"; do
  corpus="$build_dir/fuzz-corpus/$target"
  artifacts="$build_dir/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  # New inputs go into the first folder only; the seeds and regressions are only read.
  inputs=("$corpus" "$build_dir/fuzz-seeds/$target")
  if [[ -d fuzz/regressions/$target ]]; then
    inputs+=("fuzz/regressions/$target")
  fi
  echo "== fuzzing $target for $seconds s"
  if ! "$build_dir/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
      -max_len="${max_len[$target]}" -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "${inputs[@]}"; then
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $build_dir/fuzz-artifacts)" >&2
  exit 1
fi
