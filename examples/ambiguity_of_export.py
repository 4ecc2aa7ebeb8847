#!/usr/bin/env python3
"""Reads the files of `vellumcairn select` and computes, for every array, the largest
auto-ambiguity away from the origin: how many dots of the array, moved by a shift (dx, dy)
other than (0, 0), land on dots of the array itself. Every Costas array gives 1 (or 0 for
order 1).

    python3 examples/ambiguity_of_export.py welch100.csv
    python3 examples/ambiguity_of_export.py welch100.npy

A csv file is read with pandas (the rows r1..rN and the flags column); an npy export with
numpy.load (FILE.npy and FILE_flags.npy beside it). Nothing is built or installed.
"""
import sys

import numpy as np
import pandas as pd


def load_csv(path):
    """The rows as a (count, N) integer array and the flag words, from a select csv file."""
    table = pd.read_csv(path, dtype={"flags": str}, keep_default_na=False)
    rows = table.filter(regex=r"^r\d+$").to_numpy(dtype=np.int64)
    flags = np.array([int(f, 16) if f else 0 for f in table["flags"]], dtype=np.uint32)
    return rows, flags


def load_npy(path):
    """The rows and the flag words of a select npy export (FILE.npy, FILE_flags.npy)."""
    rows = np.load(path).astype(np.int64)
    flags = np.load(path[: -len(".npy")] + "_flags.npy")
    return rows, flags


def max_off_origin(rows):
    """For each array (row), the largest auto-ambiguity count off the origin.

    A shift (dx, dy) with dx != 0 counts the columns c with rows[c + dx] - rows[c] == dy; the
    shifts -dx give the same counts, and dx == 0 counts nothing off the origin."""
    count, n = rows.shape
    best = np.zeros(count, dtype=np.int64)
    index = np.arange(count)[:, None] * (2 * n)
    for dx in range(1, n):
        differences = rows[:, dx:] - rows[:, :-dx] + n
        counts = np.bincount((index + differences).ravel(), minlength=count * 2 * n)
        best = np.maximum(best, counts.reshape(count, 2 * n).max(axis=1))
    return best


def main(paths):
    for path in paths:
        rows, flags = load_npy(path) if path.endswith(".npy") else load_csv(path)
        peaks = max_off_origin(rows)
        print(f"{path}: {len(rows)} arrays of order {rows.shape[1] if rows.size else 0}, "
              f"{np.count_nonzero(flags)} with method flags, largest off-origin "
              f"auto-ambiguity {peaks.max(initial=0)}, "
              f"{np.count_nonzero(peaks > 1)} arrays above 1")
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1:]))
