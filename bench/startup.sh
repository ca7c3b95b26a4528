#!/usr/bin/env bash
# Whole-process start-up cost of glyphex-cli beside `fc-match sans`, which pays the same
# fontconfig start and nothing else: one hyperfine run holds every command, so that
# the ratio of medians compares runs on the same machine under the same load.
#
#   bench/startup.sh [GLYPHEX_CLI] [RUNS]
#
#   GLYPHEX_CLI  the binary to time (default build/release/src/glyphex-cli)
#   RUNS         timed runs per command (default 100, after 10 warm-up runs)
#
# Timed: fc-match sans; the export of All, tile size 16, DejaVu Sans at height 20,
# gradient, PNG, once into tmpfs (/dev/shm) and once onto the disk (build/, where the
# save's fsync costs wall time); the tmpfs export again with its font catalog cache
# removed before every run (export-cold: fontconfig starts and the cache is rewritten);
# and `glyphex-cli fonts`. The other commands share one catalog cache, warm after the
# first run; both caches live in temporary folders, never the user's. Prints each
# command's median and its ratio to fc-match's.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
cli=${1:-$repo/build/release/src/glyphex-cli}
runs=${2:-100}
[ -x "$cli" ] || {
  echo "startup.sh: no glyphex-cli at $cli (build the release preset first)" >&2
  exit 2
}
command -v hyperfine >/dev/null || {
  echo "startup.sh: hyperfine is needed (scripts/bootstrap installs it)" >&2
  exit 2
}

shm=$(mktemp -d /dev/shm/glyphex-bench.XXXXXX)
disk=$(mktemp -d "$repo/build/glyphex-bench.XXXXXX")
csv=$(mktemp)
trap 'rm -rf "$shm" "$disk" "$csv"' EXIT
export XDG_CACHE_HOME=$shm/cache
cold=$shm/cold-cache

export_args="--export all --tile-size 16 --height 20 --font 'DejaVu Sans'"
# One preparation per command; only export-cold's does anything.
hyperfine -N --style basic -w 10 -r "$runs" --export-csv "$csv" \
  -p true -p true -p true -p "rm -rf $cold" -p true \
  -n fc-match "fc-match sans" \
  -n export-tmpfs "$cli export $shm/sheet.png $export_args" \
  -n export-disk "$cli export $disk/sheet.png $export_args" \
  -n export-cold "env XDG_CACHE_HOME=$cold $cli export $shm/cold.png $export_args" \
  -n fonts "$cli fonts" >/dev/null

# The CSV's columns: command, mean, stddev, median, user, system, min, max (seconds).
awk -F, 'NR == 1 { next }
  { name[NR] = $1; median[NR] = $4 * 1000; if ($1 == "fc-match") base = median[NR] }
  END {
    printf "%-14s %10s %8s\n", "command", "median ms", "x fc-match"
    for (i = 2; i <= NR; ++i) printf "%-14s %10.2f %8.2f\n", name[i], median[i], median[i] / base
  }' "$csv"
