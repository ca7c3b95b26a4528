#!/usr/bin/env bash
# Time and peak memory of one large export: --grid 256x256 --cell 64x64, a sheet of
# 16384 x 16384 pixels with the default 256 cells in use, written as PNG into tmpfs
# (/dev/shm). The budget: peak resident memory at most the sheet's pixels at 4 bytes a
# pixel plus 64 MiB (1 GiB + 64 MiB here). Each run is measured by /usr/bin/time -v.
#
#   bench/large_sheet.sh [GLYPHEX_CLI] [RUNS] [-- EXTRA EXPORT OPTIONS]
#
#   GLYPHEX_CLI  the binary to time (default build/release/src/glyphex-cli)
#   RUNS         runs (default 3); the smallest wall time and largest peak are shown
#
# Prints each run's wall time and peak, then the best time, the worst peak and whether it
# is within the budget; exits 1 when it is not.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
cli=${1:-$repo/build/release/src/glyphex-cli}
runs=${2:-3}
shift $(($# < 2 ? $# : 2))
[ "${1:-}" = "--" ] && shift
[ -x "$cli" ] || {
  echo "large_sheet.sh: no glyphex-cli at $cli (build the release preset first)" >&2
  exit 2
}
[ -x /usr/bin/time ] || {
  echo "large_sheet.sh: /usr/bin/time (Debian package time) is needed" >&2
  exit 2
}

shm=$(mktemp -d /dev/shm/glyphex-bench.XXXXXX)
trap 'rm -rf "$shm"' EXIT

width=16384 height=16384
budget_kib=$((width * height * 4 / 1024 + 64 * 1024))
best_s="" worst_kib=0
for ((i = 1; i <= runs; ++i)); do
  /usr/bin/time -v -o "$shm/time" "$cli" export "$shm/sheet.png" --grid 256x256 --cell 64x64 \
    "$@" >/dev/null 2>"$shm/stderr" || {
    cat "$shm/stderr" >&2
    exit 1
  }
  wall=$(awk -F': ' '/Elapsed/ { n = split($2, p, ":"); s = 0
    for (k = 1; k <= n; ++k) s = s * 60 + p[k]; print s }' "$shm/time")
  kib=$(awk -F': ' '/Maximum resident/ { print $2 }' "$shm/time")
  printf 'run %d: %6.2f s, peak %7.1f MiB\n' "$i" "$wall" "$(echo "$kib / 1024" | bc -l)"
  if [ -z "$best_s" ] || [ "$(echo "$wall < $best_s" | bc)" = 1 ]; then best_s=$wall; fi
  ((kib > worst_kib)) && worst_kib=$kib
done
printf 'best %.2f s, worst peak %.1f MiB, budget %.1f MiB\n' "$best_s" \
  "$(echo "$worst_kib / 1024" | bc -l)" "$(echo "$budget_kib / 1024" | bc -l)"
((worst_kib <= budget_kib))
