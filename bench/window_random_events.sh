#!/usr/bin/env bash
# A long random run of a user's events over the window: 20,000 keys (paste keys among
# them), clicks, wheel turns and drags on the offscreen platform, with a fixed seed,
# the run that the test suite makes 3,000 events long. Prints the time it took and exits
# non-zero when the window did not come through (a crash ends it with the signal).
#
#   bench/window_random_events.sh [EVENTS] [SEED]
#
#   EVENTS  how many events (default 20000)
#   SEED    the random seed (default the test suite's)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd -P)
runner=$repo/build/release/tests/qt/glyphex_qt_random_events_tests
[ -x "$runner" ] || {
  echo "window_random_events.sh: no $runner (build the release preset first)" >&2
  exit 2
}
export GLYPHEX_RANDOM_EVENTS=${1:-20000}
[ -n "${2:-}" ] && export GLYPHEX_RANDOM_SEED=$2
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
QT_QPA_PLATFORM=offscreen "$runner" >"$log" 2>&1 || status=$?
grep -E "QINFO|FAIL|Totals|signal" "$log" | sed 's/^QINFO  : [^ ]* //' || true
[ "$status" -eq 0 ] || echo "window_random_events.sh: the run ended with status $status" >&2
exit "$status"
