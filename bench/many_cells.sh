#!/usr/bin/env bash
# Time per cell of a whole-process export of every character Unifont maps (about 57,000
# cells in 16 x 16 px cells, on the pages of the grid chosen from the map) beside the
# default 256-cell export, in one hyperfine run so that both see the same load. Both write
# PNG into tmpfs (/dev/shm).
#
#   bench/many_cells.sh [GLYPHEX_CLI] [RUNS]
#
#   GLYPHEX_CLI  the binary to time (default build/release/src/glyphex-cli)
#   RUNS         timed runs per command (default 10, after 2 warm-up runs)
#
# Prints each command's median, its cells and the time per cell; exits 1 when the large
# export's time per cell exceeds the default's.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
cli=${1:-$repo/build/release/src/glyphex-cli}
runs=${2:-10}
[ -x "$cli" ] || {
  echo "many_cells.sh: no glyphex-cli at $cli (build the release preset first)" >&2
  exit 2
}
command -v hyperfine >/dev/null || {
  echo "many_cells.sh: hyperfine is needed (scripts/bootstrap installs it)" >&2
  exit 2
}

shm=$(mktemp -d /dev/shm/glyphex-bench.XXXXXX)
csv=$(mktemp)
trap 'rm -rf "$shm" "$csv"' EXIT

large="--font Unifont --charmap font --cell 16x16 --height 16 --export all"
# The number of cells the large export draws, from its JSON descriptor.
"$cli" export "$shm/count.png" $large --descriptor json >/dev/null
cells=$(grep -c '"codePoint"' "$shm/count.json")

hyperfine -N --style basic -w 2 -r "$runs" --export-csv "$csv" \
  -n default "$cli export $shm/default.png" \
  -n every-unifont-char "$cli export $shm/large.png $large" >/dev/null

# The CSV's columns: command, mean, stddev, median, user, system, min, max (seconds).
awk -F, -v cells="$cells" 'NR == 1 { next }
  { name[NR] = $1; median[NR] = $4 * 1000; n[NR] = NR == 2 ? 256 : cells }
  END {
    printf "%-20s %10s %8s %12s\n", "command", "median ms", "cells", "us per cell"
    for (i = 2; i <= NR; ++i) {
      per[i] = median[i] * 1000 / n[i]
      printf "%-20s %10.2f %8d %12.1f\n", name[i], median[i], n[i], per[i]
    }
    exit per[3] > per[2]
  }' "$csv"
