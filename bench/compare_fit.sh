#!/usr/bin/env bash
# Runs bench_fit and scipy's curve_fit on the same 12 points, one after the other in this run,
# and prints fits per second of each and their ratio.
# Needs the bench build (make bench, or cmake -DTESSEL_BENCH=ON into build-bench) and
# python3-scipy (installed here when missing; it is a baseline tool, not a build dependency).
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build-bench/bench/bench_fit
if [ ! -x "$bench" ]; then
  echo "compare_fit: $bench not built; run make bench first" >&2
  exit 1
fi
if ! /usr/bin/python3 -c "import scipy" 2>/dev/null; then
  echo "compare_fit: installing python3-scipy for the baseline" >&2
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends python3-scipy >&2
fi
ours=$("$bench" --benchmark_filter=BM_FitRunFourParameter --benchmark_min_time=2 \
  --benchmark_format=json | /usr/bin/python3 -c '
import json, sys
b = json.load(sys.stdin)["benchmarks"][0]
print(b["items_per_second"])')
theirs=$(/usr/bin/python3 bench/fit_baseline.py | awk '{print $2}')
/usr/bin/python3 - "$ours" "$theirs" <<'PY'
import sys
ours, theirs = float(sys.argv[1]), float(sys.argv[2])
print("tessel FitRun (12 points, 4 parameters): %.0f fits/s" % ours)
print("scipy curve_fit (same points, same model): %.0f fits/s" % theirs)
print("ratio: %.0fx" % (ours / theirs))
PY
