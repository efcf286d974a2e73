#!/usr/bin/python3
"""Regenerates the dose-response data sets and their reference fits.

Writes sets/<name>.txt (dose and response pairs, the input of `tessel fit`), then fits every set
with scipy's curve_fit (MINPACK through scipy) and R's minpack.lm::nlsLM, and writes
reference.json. Needs python3-scipy, r-base-core and r-cran-minpack.lm (Debian packages):

    apt-get install -y --no-install-recommends python3-scipy r-base-core r-cran-minpack.lm
    /usr/bin/python3 tests/data/fit/make_reference.py

Three references per set:
  sameSettings  curve_fit with the fit's own settings (lmdif, ftol = xtol = 1e-8, gtol = 0,
                epsfcn = 1e-8, factor = 100, maxfev = 100 (n + 1)) from the fit's own start.
  scipy         curve_fit with the analytic Jacobian run to the minimum (ftol = xtol = 1e-12):
                parameters, standard errors from its covariance, sum of squares.
  nlsLM         R's nlsLM run to the minimum from the same start: parameters, standard errors
                from summary(), sum of squares.
"""
import csv
import json
import math
import os
import shutil
import subprocess
import sys
import warnings

import numpy as np
from scipy.optimize import OptimizeWarning, curve_fit

HERE = os.path.dirname(os.path.abspath(__file__))
SETS = os.path.join(HERE, "sets")
LN10 = math.log(10.0)


def logistic(x, top, bottom, log_ec50, hill):
    return bottom + (top - bottom) / (1.0 + 10.0 ** ((log_ec50 - np.log10(x)) * hill))


def model(fix_hill):
    if fix_hill:
        return lambda x, t, b, l: logistic(x, t, b, l, 1.0)
    return logistic


def jacobian(fix_hill):
    def jac(x, *p):
        t, b, l = p[0], p[1], p[2]
        h = 1.0 if fix_hill else p[3]
        e = (10.0 ** l / x) ** h
        d = (e + 1.0) ** 2
        cols = [1.0 / (e + 1.0), 1.0 - 1.0 / (e + 1.0), e * (b - t) * h * LN10 / d]
        if not fix_hill:
            cols.append(np.log(10.0 ** l / x) * e * (b - t) / d)
        return np.column_stack(cols)
    return jac


def initial_estimates(x, y, fix_hill):
    """The fit's own starting values: Top the largest response, Bottom the smallest, LogEC50 at
    the largest response strictly below half-way (strict comparisons, earliest point wins)."""
    top = bottom = below = y[0]
    log_ec50 = math.log10(x[0])
    for xi, yi in zip(x[1:], y[1:]):
        if yi > top:
            top = yi
        if yi < bottom:
            bottom, log_ec50, below = yi, math.log10(xi), yi
    mid = (bottom + top) * 0.5
    for xi, yi in zip(x[1:], y[1:]):
        if yi > below and yi < mid:
            log_ec50, below = math.log10(xi), yi
    return [top, bottom, log_ec50] + ([] if fix_hill else [1.0])


def doses(low, high, count):
    return list(10.0 ** np.linspace(math.log10(low), math.log10(high), count))


def curve(xs, top, bottom, log_ec50, hill, noise=0.0, rng=None):
    ys = [float(logistic(x, top, bottom, log_ec50, hill)) for x in xs]
    if noise:
        ys = [v + float(rng.normal(0.0, noise)) for v in ys]
    return ys


def data_sets():
    rng = np.random.default_rng(20261205)
    s = []

    def add(name, xs, ys, fix_hill=False):
        s.append({"name": name, "x": [float(v) for v in xs], "y": [float(v) for v in ys],
                  "fixHill": fix_hill})

    xs7 = doses(1e-3, 1e3, 7)
    add("rising_exact", xs7, curve(xs7, 100, 0, 0.3, 1.0))
    xs8 = doses(1e-2, 1e5, 8)
    add("falling_exact", xs8, curve(xs8, 10, 90, 1.5, 1.5))
    xs12 = doses(1e-3, 1e2, 12)
    add("rising_noisy", xs12, curve(xs12, 105, 3, -0.5, 1.1, 3.0, rng))
    add("falling_noisy", xs12, curve(xs12, 12, 95, -1.0, 0.9, 2.5, rng))
    xs10 = doses(1e-4, 1e4, 10)
    add("shallow_slope", xs10, curve(xs10, 80, 10, 0.0, 0.4, 1.5, rng))
    xs9 = doses(0.1, 10, 9)
    add("steep_slope", xs9, curve(xs9, 50, 5, 0.1, 4.0, 0.8, rng))
    xr = [x for x in doses(1e-2, 1e3, 8) for _ in range(3)]
    add("replicates", xr, curve(xr, 60, 8, 0.7, 1.3, 4.0, rng))
    xs40 = doses(1e-6, 1e-1, 40)
    add("forty_points", xs40, curve(xs40, 2.5, 0.2, -3.4, 0.8, 0.08, rng))
    xs4 = doses(0.01, 100, 4)
    add("four_points", xs4, curve(xs4, 90, 10, 0.2, 1.2, 2.0, rng))
    xs3 = [0.1, 1.0, 10.0]
    add("three_points_fixed", xs3, [12.0, 47.0, 83.0], True)
    add("fixed_noisy", xs10, curve(xs10, 70, 5, 0.4, 1.0, 2.0, rng), True)
    xf = [x for x in doses(1e-2, 1e3, 6) for _ in range(2)]
    add("fixed_replicates", xf, curve(xf, 40, 2, 0.9, 1.0, 1.5, rng), True)
    add("fixed_falling", xs10, curve(xs10, 5, 75, -0.6, 1.0, 1.8, rng), True)
    add("all_equal", doses(0.1, 1000, 6), [42.0] * 6)
    add("negative_responses", xs12, curve(xs12, -5, -50, -1.2, 1.0, 1.2, rng))
    add("large_scale", xs10, curve(xs10, 2.4e6, 3.0e5, 1.0, 0.9, 4.0e4, rng))
    add("small_scale", xs10, curve(xs10, 3.1e-6, 2.0e-7, -0.8, 1.1, 5.0e-8, rng))
    xn = doses(1e-10, 1e-5, 11)
    add("nanomolar_doses", xn, curve(xn, 100, 0, -7.5, 1.0, 2.0, rng))
    xs6 = doses(0.3, 3000, 6)
    add("few_points_noisy", xs6, curve(xs6, 30, 1, 1.2, 1.6, 1.0, rng))
    y_out = curve(xs12, 100, 0, -0.5, 1.0, 1.0, rng)
    y_out[5] += 25.0
    add("outlier", xs12, y_out)
    xu = [0.01, 0.03, 0.1, 0.3, 1, 3, 10, 30, 100, 300, 1000]
    add("uneven_doses", xu[:2] + xu[5:], curve(xu[:2] + xu[5:], 88, 11, 0.6, 1.0, 1.0, rng))
    add("fixed_exact", xs7, curve(xs7, 60, 20, -0.7, 1.0), True)
    xu15 = doses(1e-1, 1e6, 15)
    add("wide_range", xu15, curve(xu15, 1.0, 0.0, 2.5, 0.7, 0.02, rng))
    return s


def fit_same_settings(x, y, fix_hill, p0):
    n = len(p0)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        try:
            p, _, info, _, ier = curve_fit(model(fix_hill), x, y, p0=p0, method="lm", ftol=1e-8,
                                           xtol=1e-8, gtol=0.0, epsfcn=1e-8, factor=100,
                                           maxfev=100 * (n + 1), full_output=True)
            return {"params": list(p), "converged": ier in (1, 2, 3, 4), "nfev": int(info["nfev"]),
                    "info": int(ier)}
        except (RuntimeError, ValueError, TypeError):
            return {"params": None, "converged": False, "nfev": 0, "info": 0}


def fit_scipy_minimum(x, y, fix_hill, p0):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", OptimizeWarning)
        try:
            p, cov = curve_fit(model(fix_hill), x, y, p0=p0, jac=jacobian(fix_hill), method="lm",
                               ftol=1e-12, xtol=1e-12, maxfev=100000)
        except (RuntimeError, ValueError, TypeError):
            return {"params": None, "se": None, "ss": None, "converged": False}
    r = np.asarray(y) - model(fix_hill)(np.asarray(x), *p)
    se = [float(math.sqrt(v)) if np.isfinite(v) and v >= 0 else None for v in np.diag(cov)]
    return {"params": list(map(float, p)), "se": se, "ss": float(r @ r), "converged": True}


def run_nlslm(sets, starts):
    if shutil.which("Rscript") is None:
        sys.exit("make_reference: Rscript not found; install r-base-core and r-cran-minpack.lm")
    manifest = os.path.join(HERE, "nlslm_manifest.csv")
    out = os.path.join(HERE, "nlslm_results.csv")
    with open(manifest, "w", newline="") as f:
        w = csv.writer(f)
        w.writerow(["name", "file", "fixHill", "top", "bottom", "logEC50", "hill"])
        for s, p0 in zip(sets, starts):
            w.writerow([s["name"], os.path.join(SETS, s["name"] + ".txt"), int(s["fixHill"])] +
                       [repr(v) for v in p0] + ([] if len(p0) == 4 else ["1"]))
    subprocess.run(["Rscript", os.path.join(HERE, "nlslm_reference.R"), manifest, out],
                   check=True)
    results = {}
    with open(out) as f:
        for raw in csv.DictReader(f):
            row = {k: v.strip() for k, v in raw.items()}  # R pads formatted columns
            def num(key):
                v = row[key]
                return None if v in ("", "NA", "NaN", "Inf", "-Inf") else float(v)
            ok = row["converged"] == "TRUE"
            k = 3 if row["fixHill"] == "1" else 4
            keys = ["top", "bottom", "logEC50", "hill"][:k]
            results[row["name"]] = {
                "params": [num(key) for key in keys] if ok else None,
                "se": [num("se_" + key) for key in keys] if ok else None,
                "ss": num("ss") if ok else None, "converged": ok}
    os.remove(manifest)
    os.remove(out)
    return results


def main():
    os.makedirs(SETS, exist_ok=True)
    sets = data_sets()
    starts = []
    for s in sets:
        with open(os.path.join(SETS, s["name"] + ".txt"), "w") as f:
            f.write("# dose\tresponse (%s)\n" % s["name"])
            for x, y in zip(s["x"], s["y"]):
                f.write("%.17g\t%.17g\n" % (x, y))
        starts.append(initial_estimates(s["x"], s["y"], s["fixHill"]))
    nls = run_nlslm(sets, starts)
    out = []
    for s, p0 in zip(sets, starts):
        out.append({"name": s["name"], "file": "sets/%s.txt" % s["name"], "fixHill": s["fixHill"],
                    "points": len(s["x"]), "initial": p0,
                    "sameSettings": fit_same_settings(s["x"], s["y"], s["fixHill"], p0),
                    "scipy": fit_scipy_minimum(s["x"], s["y"], s["fixHill"], p0),
                    "nlsLM": nls[s["name"]]})
    with open(os.path.join(HERE, "reference.json"), "w") as f:
        json.dump({"parameterOrder": ["top", "bottom", "logEC50", "hillSlope"], "sets": out}, f,
                  indent=1, allow_nan=False)
        f.write("\n")
    print("make_reference: %d sets" % len(out))


if __name__ == "__main__":
    main()
