#!/usr/bin/env bash
# Times obscut-batch against the physical limit of the machine on synthetic surveys.
#
# For every case a survey is made once with obscut-synth (kept in the scratch folder and
# reused while its options stay the same), then the rounds alternate:
#   baseline: dd bs=1M of every recorder file to /dev/null, then dd bs=1M from /dev/zero
#             into files of the same sizes as obscut-batch's outputs (SEG-Y files and log);
#   obscut:   obscut-batch on the survey, its peak resident memory taken by /usr/bin/time.
# Both run with the page cache warm (one untimed run of each comes first).
#
#   bench/run.sh                                   # all cases, the build in build/release
#   bench/run.sh --batch build/before/build/src/batch/obscut-batch --label before
#   bench/run.sh --cases large --rounds 9
#
# See bench/README.md for the cases and the figures.
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(dirname "$script_dir")

batch=${OBSCUT_BATCH:-$repo/build/release/src/batch/obscut-batch}
synth=${OBSCUT_SYNTH:-}
scratch=${OBSCUT_BENCH_DIR:-${TMPDIR:-/tmp}/obscut-bench}
rounds=5
cases=small,large,search
label=""
python=/usr/bin/python3

usage() {
  cat <<EOF
Usage: bench/run.sh [OPTION]...
Times obscut-batch against dd on synthetic surveys and prints a markdown summary.

  --batch PATH    obscut-batch to time (env OBSCUT_BATCH;
                  default build/release/src/batch/obscut-batch)
  --synth PATH    obscut-synth that makes the surveys (env OBSCUT_SYNTH; default the
                  obscut-synth next to --batch's build, else build/release's)
  --dir DIR       scratch folder for surveys and outputs (env OBSCUT_BENCH_DIR;
                  default \${TMPDIR:-/tmp}/obscut-bench); never inside the source tree
  --rounds N      timed rounds of each side (default 5)
  --cases LIST    comma-separated, from small, large, search (default all three)
  --label TEXT    name of the build in the summary (default the --batch path)
  --help          show this help and exit

Cases:
  small   ~50 MB: 3 files of 2.5 h with 3 s gaps, 250 samples/s, shots every 60 s,
          window 0 to 60 s
  large   ~500 MB: 28 such files
  search  999 files of 3 minutes at 50 samples/s with 3 s gaps, 10 000 shots,
          window 0 to 10 s: the cost of finding each shot's file
EOF
}

while [[ $# -gt 0 ]]; do
  case $1 in
    --batch) batch=$2; shift 2 ;;
    --synth) synth=$2; shift 2 ;;
    --dir) scratch=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --cases) cases=$2; shift 2 ;;
    --label) label=$2; shift 2 ;;
    --help) usage; exit 0 ;;
    *) echo "bench/run.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done

batch=$(realpath "$batch")
if [[ -z $synth ]]; then
  synth=$(dirname "$(dirname "$(dirname "$batch")")")/tools/obscut-synth
  [[ -x $synth ]] || synth=$repo/build/release/tools/obscut-synth
fi
[[ -n $label ]] || label=$batch
for program in "$batch" "$synth"; do
  [[ -x $program ]] || { echo "bench/run.sh: $program is not an executable" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "bench/run.sh: needs /usr/bin/time (package time)" >&2; exit 2; }
mkdir -p "$scratch"
scratch=$(realpath "$scratch")
case $scratch/ in
  "$repo"/build/*) ;;
  "$repo"/*) echo "bench/run.sh: keep --dir out of the source tree (build/ is fine)" >&2; exit 2 ;;
esac

# The synth options of each case.
case_options() {
  case $1 in
    small) echo "--files 3 --file-seconds 9000 --gap 3 --sample-rate 250 --shot-interval 60 --seed 7" ;;
    large) echo "--files 28 --file-seconds 9000 --gap 3,2,4 --sample-rate 250 --shot-interval 60 --seed 7" ;;
    search) echo "--files 999 --file-seconds 180 --gap 3 --sample-rate 50 --shot-interval 18 --shots 10000 --seed 7" ;;
    *) echo "bench/run.sh: unknown case $1" >&2; exit 2 ;;
  esac
}
case_window() {
  case $1 in
    search) echo "--min-time 0 --max-time 10" ;;
    *) echo "--min-time 0 --max-time 60" ;;
  esac
}

now() { echo "$EPOCHREALTIME"; }

# Makes the survey of a case unless the same options made it already.
make_survey() {
  local name=$1 folder=$scratch/$1/survey options
  options=$(case_options "$name")
  if [[ -f $folder/.options && $(cat "$folder/.options") == "$options" ]]; then
    return
  fi
  rm -rf "$folder"
  mkdir -p "$folder"
  # shellcheck disable=SC2086  # the options are words
  "$synth" --out "$folder" $options >/dev/null
  echo "$options" >"$folder/.options"
}

run_obscut() {  # case, file receiving "seconds cpu_seconds peak_rss_kb"
  local name=$1 result=$2 folder=$scratch/$1
  local start end
  start=$(now)
  # shellcheck disable=SC2046,SC2086
  /usr/bin/time -f "%U %S %M" -o "$folder/rss" "$batch" --shot-table "$folder/survey/shots.txt" \
    --output "$folder/out/line" $(case_window "$name") "$folder"/survey/OBS* >/dev/null
  end=$(now)
  echo "$start $end $(cat "$folder/rss")" |
    awk '{ printf "%.6f %.2f %d\n", $2 - $1, $3 + $4, $5 }' >"$result"
}

# The dd commands of the baseline, for one case's folder.
baseline_commands() {
  local folder=$1 f size
  for f in "$folder"/survey/OBS*; do
    echo "dd if='$f' of=/dev/null bs=1M status=none"
  done
  while read -r size f; do
    echo "dd if=/dev/zero of='$folder/zero/$f' bs=1M count=$size iflag=count_bytes status=none"
  done <"$folder/output-sizes"
}

run_baseline() {  # case, file receiving "seconds cpu_seconds"
  local name=$1 result=$2 folder=$scratch/$1
  local start end
  start=$(now)
  /usr/bin/time -f "%U %S" -o "$folder/cpu" bash "$folder/baseline.sh"
  end=$(now)
  echo "$start $end $(cat "$folder/cpu")" |
    awk '{ printf "%.6f %.2f\n", $2 - $1, $3 + $4 }' >"$result"
}

summary=$scratch/summary.tsv
: >"$summary"
IFS=, read -r -a case_list <<<"$cases"
for name in "${case_list[@]}"; do
  folder=$scratch/$name
  make_survey "$name"
  rm -rf "$folder/out" "$folder/zero"
  mkdir -p "$folder/out" "$folder/zero"
  # Untimed warm-up: fills the page cache and tells the sizes of the outputs.
  run_obscut "$name" "$folder/warm"
  (cd "$folder/out" && find . -maxdepth 1 -type f -printf '%s %f\n') >"$folder/output-sizes"
  baseline_commands "$folder" >"$folder/baseline.sh"
  run_baseline "$name" "$folder/warm"
  input_bytes=$(cat "$folder"/survey/OBS* | wc -c)
  files=$(find "$folder/survey" -maxdepth 1 -name "OBS*" | wc -l)
  shots=$(($(wc -l <"$folder/survey/shots.txt") - 7))
  : >"$folder/times"
  for ((r = 1; r <= rounds; r++)); do
    run_baseline "$name" "$folder/one"
    echo "baseline $(cat "$folder/one")" >>"$folder/times"
    run_obscut "$name" "$folder/one"
    echo "obscut $(cat "$folder/one")" >>"$folder/times"
    echo "  $name round $r/$rounds: $(tail -n 2 "$folder/times" | tr '\n' ' ')" >&2
  done
  echo -e "$name\t$input_bytes\t$files\t$shots\t$folder/times" >>"$summary"
done

"$python" - "$summary" "$label" "$rounds" <<'EOF'
import statistics, sys
summary, label, rounds = sys.argv[1], sys.argv[2], sys.argv[3]
print()
print("Build: `%s`, %s rounds per side, alternating, page cache warm." % (label, rounds))
print()
print("| case | recorder data | files | shots | baseline median (range) "
      "| obscut-batch median (range) | obscut MB/s | peak RSS | obscut/baseline "
      "| CPU s baseline / obscut (ratio) |")
print("|---|---|---|---|---|---|---|---|---|---|")
for line in open(summary):
    name, size, files, shots, times = line.rstrip("\n").split("\t")
    base, ours, base_cpu, ours_cpu, rss = [], [], [], [], []
    for row in open(times):
        words = row.split()
        if words[0] == "baseline":
            base.append(float(words[1]))
            base_cpu.append(float(words[2]))
        else:
            ours.append(float(words[1]))
            ours_cpu.append(float(words[2]))
            rss.append(int(words[3]))
    mb = int(size) / 1e6
    b, o = statistics.median(base), statistics.median(ours)
    bc, oc = statistics.median(base_cpu), statistics.median(ours_cpu)
    print("| %s | %.0f MB | %s | %s | %.3f s (%.3f-%.3f) | %.3f s (%.3f-%.3f) | %.0f | %.1f MB "
          "| %.2f | %.2f / %.2f (%.2f) |"
          % (name, mb, files, shots, b, min(base), max(base), o, min(ours), max(ours), mb / o,
             max(rss) / 1024, o / b, bc, oc, oc / bc if bc > 0 else float("nan")))
EOF
