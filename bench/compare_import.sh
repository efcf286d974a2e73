#!/usr/bin/env bash
# Import of a one-hour, 8-channel, 1 kHz EDF+ file with 500 annotations: Strata's import beside
# MNE's read_raw_edf(preload=True) on the same file, in the same run. Prints min and median of
# each, their ratio, and peak RSS against the samples' size as 32-bit floats.
set -euo pipefail
# Debian's interpreter: python3-mne is installed for it, whatever python3 is first on PATH.
py=/usr/bin/python3
cd "$(dirname "$0")/.."
if ! "$py" -c "import mne" 2>/dev/null; then
  echo "compare_import: installing python3-mne for the baseline"
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends python3-mne
fi
if [ ! -x build-bench/bench/bench_import ]; then
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTESSEL_BENCH=ON >/dev/null
  cmake --build build-bench -j2 --target bench_import >/dev/null
fi
file=${TESSEL_BENCH_EDF:-/tmp/tessel-bench-1h.edf}
export TESSEL_BENCH_EDF=$file
[ -f "$file" ] || build-bench/bench/bench_import --make "$file"
runs=7

ours=$(build-bench/bench/bench_import --benchmark_format=json 2>/dev/null)
ours_min=$(python3 -c 'import json,sys; d=json.load(sys.stdin); print([b["real_time"] for b in d["benchmarks"] if b["aggregate_name"]=="min"][0])' <<<"$ours")
ours_median=$(python3 -c 'import json,sys; d=json.load(sys.stdin); print([b["real_time"] for b in d["benchmarks"] if b["aggregate_name"]=="median"][0])' <<<"$ours")
rss=$(build-bench/bench/bench_import --rss "$file")
mne_out=$("$py" bench/import_baseline.py "$file" "$runs")

get() { awk -v k="$1" '$1 == k { print $2 }'; }
mne_min=$(get mne_min_ms <<<"$mne_out")
mne_median=$(get mne_median_ms <<<"$mne_out")
peak=$(get peak_rss_mb <<<"$rss")
floats=$(get samples_as_float32_mb <<<"$rss")

echo "file: $file ($(du -m "$file" | cut -f1) MB), $runs runs each"
printf "strata import   min %8.1f ms   median %8.1f ms\n" "$ours_min" "$ours_median"
printf "mne %-10s  min %8.1f ms   median %8.1f ms\n" "$(get mne_version <<<"$mne_out")" "$mne_min" "$mne_median"
python3 - "$ours_min" "$ours_median" "$mne_min" "$mne_median" "$peak" "$floats" <<'PY'
import sys
om, omed, mm, mmed, peak, floats = map(float, sys.argv[1:])
print(f"ratio strata/mne  min {om / mm:.3f}   median {omed / mmed:.3f}   (target <= 0.5)")
print(f"strata peak RSS {peak:.1f} MB = {peak / floats:.2f} x the samples as float32 "
      f"({floats:.1f} MB; target <= 1.5)")
PY
echo "mne peak RSS $(get mne_peak_rss_mb <<<"$mne_out") MB (the interpreter and MNE themselves: $(get mne_rss_before_import_mb <<<"$mne_out") MB)"
