#!/usr/bin/env bash
# What the three font files add to a whole-process export, and what the distance-field
# sheet costs beside the mono one: the export of All, tile size 16, DejaVu Sans at height
# 20, PNG, into tmpfs (/dev/shm), as a colored sheet with and without --font-file-out
# bdf, psf and otb, and as the mono and the sdf output of the default 256 cells. One
# hyperfine run holds every command, so that the ratios of medians compare runs on the
# same machine under the same load.
#
#   bench/font_files.sh [GLYPHEX_CLI] [RUNS]
#
#   GLYPHEX_CLI  the binary to time (default build/release/src/glyphex-cli)
#   RUNS         timed runs per command (default 100, after 10 warm-up runs)
#
# Prints each command's median and, for the second of each pair, its ratio to the first.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
cli=${1:-$repo/build/release/src/glyphex-cli}
runs=${2:-100}
[ -x "$cli" ] || {
  echo "font_files.sh: no glyphex-cli at $cli (build the release preset first)" >&2
  exit 2
}
command -v hyperfine >/dev/null || {
  echo "font_files.sh: hyperfine is needed (scripts/bootstrap installs it)" >&2
  exit 2
}

shm=$(mktemp -d /dev/shm/glyphex-bench.XXXXXX)
csv=$(mktemp)
trap 'rm -rf "$shm" "$csv"' EXIT

export_args="--export all --tile-size 16 --height 20 --font 'DejaVu Sans'"
fonts="--font-file-out bdf --font-file-out psf --font-file-out otb"
hyperfine -N --style basic -w 10 -r "$runs" --export-csv "$csv" \
  -n export "$cli export $shm/sheet.png $export_args" \
  -n export+font-files "$cli export $shm/sheet.png $export_args $fonts" \
  -n mono "$cli export $shm/sheet.png $export_args --output mono" \
  -n sdf "$cli export $shm/sheet.png $export_args --output sdf" >/dev/null

# The CSV's columns: command, mean, stddev, median, user, system, min, max (seconds).
awk -F, 'NR == 1 { next }
  { name[NR] = $1; median[NR] = $4 * 1000 }
  END {
    printf "%-18s %10s %8s\n", "command", "median ms", "ratio"
    for (i = 2; i <= NR; ++i) {
      if (i % 2 == 0) printf "%-18s %10.2f\n", name[i], median[i]
      else printf "%-18s %10.2f %8.2f\n", name[i], median[i], median[i] / median[i - 1]
    }
  }' "$csv"
