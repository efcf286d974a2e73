#!/usr/bin/python3
"""Fits per second of scipy's curve_fit on the 12-point run that bench_fit fits.

Same model, same start (the fit's own initial estimates), curve_fit's Levenberg-Marquardt
(MINPACK lmdif underneath) with its covariance, as a user of scipy would call it.
Prints one line: "scipy_curve_fit_fits_per_second <value>".
"""
import math
import os
import sys
import time

try:
    import numpy as np
    from scipy.optimize import curve_fit
except ImportError:
    sys.exit("fit_baseline: needs python3-scipy (apt-get install python3-scipy)")

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "tests", "data", "fit", "sets", "rising_noisy.txt")


def logistic(x, top, bottom, log_ec50, hill):
    return bottom + (top - bottom) / (1.0 + 10.0 ** ((log_ec50 - np.log10(x)) * hill))


def initial_estimates(x, y):
    """The fit's own start: Top the largest response, Bottom the smallest, LogEC50 at the
    largest response strictly below half-way, Hill slope 1."""
    top = bottom = below = y[0]
    log_ec50 = math.log10(x[0])
    for xi, yi in zip(x[1:], y[1:]):
        top = max(top, yi)
        if yi < bottom:
            bottom, log_ec50, below = yi, math.log10(xi), yi
    mid = (bottom + top) * 0.5
    for xi, yi in zip(x[1:], y[1:]):
        if below < yi < mid:
            log_ec50, below = math.log10(xi), yi
    return [top, bottom, log_ec50, 1.0]


def main():
    xy = np.loadtxt(DATA, comments="#")
    x, y = xy[:, 0], xy[:, 1]
    assert len(x) == 12
    p0 = initial_estimates(list(x), list(y))
    fits = 0
    # CPU time of this process, as Google Benchmark reports for bench_fit: the machine's other
    # load then counts against neither side.
    start = time.process_time()
    while True:
        curve_fit(logistic, x, y, p0=p0, method="lm")
        fits += 1
        elapsed = time.process_time() - start
        if elapsed >= 2.0 and fits >= 50:
            break
    print("scipy_curve_fit_fits_per_second %.1f" % (fits / elapsed))


if __name__ == "__main__":
    main()
