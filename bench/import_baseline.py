#!/usr/bin/python3
"""MNE's EDF reader on the same file as bench_import: several runs, minimum and median wall
time, and the peak RSS the import added to the process."""
import resource
import statistics
import sys
import time

import mne


def main():
    path = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    mne.set_log_level("ERROR")
    before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        raw = mne.io.read_raw_edf(path, preload=True)
        times.append((time.perf_counter() - start) * 1000.0)
        del raw
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    print(f"mne_version {mne.__version__}")
    print(f"mne_min_ms {min(times):.1f}")
    print(f"mne_median_ms {statistics.median(times):.1f}")
    print(f"mne_peak_rss_mb {peak:.1f}")
    print(f"mne_rss_before_import_mb {before:.1f}")


if __name__ == "__main__":
    main()
