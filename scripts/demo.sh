#!/usr/bin/env bash
# Builds obscut, makes a small synthetic survey in ./sample-survey, converts it with
# obscut-batch and draws the hydrophone channel's record section with obscut-section.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build_dir=build/release
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" -j2 --target obscut-synth obscut-batch obscut-section

survey=sample-survey
output_dir="$survey/out"
rm -rf "$survey"

# Three 10-minute files at 100 samples/s, starting on 29 February 1996 a quarter of an hour
# before midnight: a 5-second gap after the first file and a 2-second gap after the second,
# a shot every minute. Some shot windows run on across a file end, over a gap and over
# midnight into 1 March.
echo "== making the sample survey in $survey"
"$build_dir/tools/obscut-synth" --out "$survey" --files 3 --file-seconds 600 \
  --sample-rate 100 --gap 5,2 --shot-interval 60 --start "29 Feb 96 23:45:00" --seed 1

echo
echo "== checking it with obscut-batch --check (writes nothing)"
mkdir -p "$output_dir"
"$build_dir/src/batch/obscut-batch" --check --shot-table "$survey/shots.txt" \
  --output "$output_dir/line1" --min-time 0 --max-time 60 --channel 0 \
  "$survey"/OBS*.001 || true

echo
echo "== converting it with obscut-batch (window 0 to 60 s after each shot, all channels)"
status=0
"$build_dir/src/batch/obscut-batch" --shot-table "$survey/shots.txt" \
  --output "$output_dir/line1" --min-time 0 --max-time 60 --channel 0 \
  "$survey"/OBS*.001 || status=$?

# The hydrophone (channel 1) by range, time reduced by 6 km/s, band-passed 3-15 Hz: the
# refracted arrivals line up near 2 s, the direct water wave and its multiple curve down
# on both sides of the station.
section_png="$output_dir/line1ch1.png"
if [[ -f $output_dir/line1ch1.sgy ]]; then
  echo
  echo "== drawing the record section of channel 1 with obscut-section"
  "$build_dir/src/section/obscut-section" --band 3,15 --output "$section_png" \
    "$output_dir/line1ch1.sgy" || status=$?
fi

echo
echo "== results"
echo "sample survey:  $PWD/$survey (recorder files OBS0000*.001, shot table shots.txt)"
echo "output folder:  $PWD/$output_dir"
log="$output_dir/.tempOutAsciiInfo.txt"
if [[ -f $log ]]; then
  echo "processing log: $PWD/$log"
  if grep -q "Shot " "$log"; then
    echo "  shots matched within one file:        $(grep -c "is matched to" "$log" || true)"
    echo "  shots continued into the next file:   $(grep -c "is also matched to" "$log" || true)"
  fi
fi
shopt -s nullglob
outputs=("$output_dir"/*.sgy)
if ((${#outputs[@]})); then
  echo "SEG-Y files:"
  for file in "${outputs[@]}"; do
    echo "  $PWD/$file"
  done
fi
if [[ -f $section_png ]]; then
  echo "record section: $PWD/$section_png"
fi
exit "$status"
