#!/usr/bin/env bash
# Start-up to the first page shown, whole process, in a virtual display: the median of several
# runs with the word lists of the program's folder, and with a 150-page document on the command
# line (until its last page is shown). Also the resident memory after start-up.
# Usage: bench/startup.sh BUILD_FOLDER [RUNS]     (the build folder holds quirel and the word lists)
set -euo pipefail
build=$(readlink -f "$1")
runs=${2:-9}

inside() {
  local doc=$1 until=${2:-SHOWN}
  local times=()
  for _ in $(seq 1 "$runs"); do
    local start end
    start=$(date +%s%N)
    env "QUIREL_QUIT_WHEN_$until=1" "$build/quirel" $doc >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "median %d ms (runs: %d, min %d, max %d)\n", a[int((NR+1)/2)], NR, a[1], a[NR]}'
}

memory() {
  "$build/quirel" >/dev/null 2>&1 &
  local pid=$!
  sleep 3
  awk '/VmRSS/ {printf "resident after start-up: %.1f MB\n", $2/1024}' "/proc/$pid/status"
  kill $pid
}

if [[ ${3:-} == --inside-display ]]; then
  echo "empty document, word lists: $(ls "$build"/*.log 2>/dev/null | xargs -n1 basename | tr '\n' ' ')"
  echo "until the first page is shown:"
  inside ""
  echo "until the word lists are loaded too:"
  inside "" LOADED
  if [[ -f ${QUIREL_BENCH_DOCUMENT:-} ]]; then
    echo "with $(basename "$QUIREL_BENCH_DOCUMENT") on the command line:"
    inside "$QUIREL_BENCH_DOCUMENT"
  fi
  memory
else
  unset QUIREL_HOME
  xvfb-run -a -s "-screen 0 1024x900x24 -noreset" bash "$0" "$build" "$runs" --inside-display
fi
