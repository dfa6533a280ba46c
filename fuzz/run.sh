#!/usr/bin/env bash
# Runs the fuzz drivers one after another and prints a table of executions, coverage and findings.
#
#   fuzz/run.sh FUZZ_BUILD GAME_DIR SECONDS [DRIVER...]
#
# With FUZZ_RUNS=N a driver stops after N executions, or after SECONDS, whichever comes first.
#
# Each driver reads the committed corpus fuzz/corpus/NAME and writes what it finds new into
# FUZZ_BUILD/corpus/NAME, which is seeded once from the built content in GAME_DIR. A crash, leak,
# time-out or out-of-memory input is left in FUZZ_BUILD/findings/ and makes the exit status 1.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$1"
game="$2"
seconds="$3"
shift 3
drivers=("$@")
if [ ${#drivers[@]} -eq 0 ]; then
  drivers=(ArchiveDb ImageRecord FontRecord ParticleTemplate GuiReader Config LevelFile LevelSetArchive ShareScreen
    ScoreLine ScoreRequest ReplayFile CheckpointFile)
fi

# The longest input a driver is given: enough for every structure its reader knows, short enough
# that a mutation costs little.
max_len() {
  case "$1" in
    ArchiveDb | LevelFile | FontRecord | ImageRecord) echo 16384 ;;
    GuiReader) echo 2048 ;;  # a form with children of every kind and all their properties
    # A whole level's replay; longer inputs only repeat steps, and drifted to bodies of 150 KB
    # that cost 10 ms each.
    ReplayFile) echo 1024 ;;
    *) echo 4096 ;;
  esac
}

# The sanitizer's allocator made a third of some drivers' time: a stack of 30 frames taken and
# stored for every block, each new block filled, and 256 MB of freed blocks held back, so that
# every block was fresh memory to fault in. Five frames still name the reader's function; 16 MB
# still holds every block of thousands of inputs for a use after free to find.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=5:quarantine_size_mb=16:max_malloc_fill_size=0}"

bash "$here/seed.sh" "$game" "$build/corpus"
mkdir -p "$build/findings"
status=0
printf '| driver | seconds | executions | exec/s | coverage (edges) | features | findings |\n'
printf '|---|---:|---:|---:|---:|---:|---:|\n'
for name in "${drivers[@]}"; do
  driver="$build/fuzz/fuzz_$name"
  work="$build/corpus/$name"
  mkdir -p "$work" "$here/corpus/$name"
  log="$build/findings/$name.log"
  set +e
  nice -n 10 "$driver" -max_total_time="$seconds" ${FUZZ_RUNS:+-runs="$FUZZ_RUNS"} -max_len="$(max_len "$name")" -timeout=10 \
    -rss_limit_mb=2048 -malloc_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$name-" "$work" "$here/corpus/$name" > "$log" 2>&1
  code=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  findings=$(find "$build/findings" -maxdepth 1 -name "$name-*" | wc -l)
  printf '| `fuzz_%s` | %s | %s | %s | %s | %s | %s |\n' "$name" "$seconds" "${runs:-?}" "${rate:-?}" \
    "${cov:-?}" "${ft:-?}" "$findings"
  if [ "$code" -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "fuzz_$name failed (status $code); its log: $log" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit $status
