#!/usr/bin/env bash
# What writing all three descriptors adds to a whole-process export: the export of All,
# tile size 16, DejaVu Sans at height 20, gradient, PNG, with no descriptor and with
# fnt, json and c, each into tmpfs (/dev/shm) and onto the disk (build/, where every
# file's fsync costs wall time). One hyperfine run holds every command, so that the
# ratio of medians compares runs on the same machine under the same load.
#
#   bench/descriptors.sh [GLYPHEX_CLI] [RUNS]
#
#   GLYPHEX_CLI  the binary to time (default build/release/src/glyphex-cli)
#   RUNS         timed runs per command (default 100, after 10 warm-up runs)
#
# Prints each command's median and, for the runs with descriptors, the share they add.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
cli=${1:-$repo/build/release/src/glyphex-cli}
runs=${2:-100}
[ -x "$cli" ] || {
  echo "descriptors.sh: no glyphex-cli at $cli (build the release preset first)" >&2
  exit 2
}
command -v hyperfine >/dev/null || {
  echo "descriptors.sh: hyperfine is needed (scripts/bootstrap installs it)" >&2
  exit 2
}

shm=$(mktemp -d /dev/shm/glyphex-bench.XXXXXX)
disk=$(mktemp -d "$repo/build/glyphex-bench.XXXXXX")
csv=$(mktemp)
trap 'rm -rf "$shm" "$disk" "$csv"' EXIT

export_args="--export all --tile-size 16 --height 20 --font 'DejaVu Sans'"
all="--descriptor fnt --descriptor json --descriptor c"
hyperfine -N --style basic -w 10 -r "$runs" --export-csv "$csv" \
  -n tmpfs "$cli export $shm/sheet.png $export_args" \
  -n tmpfs+descriptors "$cli export $shm/sheet.png $export_args $all" \
  -n disk "$cli export $disk/sheet.png $export_args" \
  -n disk+descriptors "$cli export $disk/sheet.png $export_args $all" >/dev/null

# The CSV's columns: command, mean, stddev, median, user, system, min, max (seconds).
awk -F, 'NR == 1 { next }
  { name[NR] = $1; median[NR] = $4 * 1000 }
  END {
    printf "%-18s %10s %8s\n", "command", "median ms", "added"
    for (i = 2; i <= NR; ++i) {
      if (i % 2 == 0) printf "%-18s %10.2f\n", name[i], median[i]
      else printf "%-18s %10.2f %7.1f%%\n", name[i], median[i], 100 * (median[i] / median[i - 1] - 1)
    }
  }' "$csv"
