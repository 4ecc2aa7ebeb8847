"""The exports of `vellumcairn select` read back by examples/ambiguity_of_export.py (pandas for
csv, numpy.load for npy) and compared with the CSV file of the interactive run of the same
selection: the same arrays in the same order, the flag words alike in both exports, and every
array's largest off-origin auto-ambiguity 1, as for every Costas array.

    python3 select_exports_test.py VELLUMCAIRN MAKE_DATABASE EXAMPLES_DIR
"""
import importlib.util
import os
import subprocess
import sys
import tempfile

import numpy as np
import pandas as pd

vellumcairn, make_database, examples = sys.argv[1:4]
example_spec = importlib.util.spec_from_file_location(
    "ambiguity_of_export", os.path.join(examples, "ambiguity_of_export.py"))
example = importlib.util.module_from_spec(example_spec)
example_spec.loader.exec_module(example)

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def read_free_form_csv(path):
    with open(path) as csv:
        return np.array([[int(v) for v in line.split(",")] for line in csv if line.strip()],
                        dtype=np.int64)


def interactive_rows(folder, menu):
    """The rows of the interactive run's CSV file, the menu driven through standard input."""
    answers = "Y\n10\n" + os.path.join(folder, "db") + "/\n11\nrun.txt\n7\n" + menu + "0\nY\n"
    run = subprocess.run([vellumcairn], input=answers, capture_output=True, text=True, cwd=folder)
    check(run.returncode == 0, "interactive run: " + run.stderr)
    return read_free_form_csv(os.path.join(folder, "run.csv"))


def compare(folder, name, arguments, menu):
    for stale in ("Vellumcairn_Options.txt", "run.txt", "run.csv", "run_polynomials.csv"):
        if os.path.exists(os.path.join(folder, stale)):
            os.remove(os.path.join(folder, stale))
    expected = interactive_rows(folder, menu)
    csv_file = os.path.join(folder, name + ".csv")
    npy_file = os.path.join(folder, name + ".npy")
    for out, form in ((csv_file, "csv"), (npy_file, "npy")):
        run = subprocess.run([vellumcairn, "select", "--database", "db", *arguments, "--format",
                              form, "--out", out], capture_output=True, text=True, cwd=folder)
        check(run.returncode == 0, name + " " + form + ": " + run.stderr)
        check(run.stdout.splitlines()[-1].startswith("Wrote %d " % len(expected)),
              name + " " + form + " closing line: " + run.stdout)
    csv_rows, csv_flags = example.load_csv(csv_file)
    npy_rows, npy_flags = example.load_npy(npy_file)
    check(np.load(npy_file).dtype == np.int16, name + ": npy rows are int16")
    check(np.load(npy_file[:-4] + "_flags.npy").dtype == np.uint32, name + ": flags are uint32")
    check(len(expected) > 0, name + ": the interactive run wrote arrays")
    check(np.array_equal(csv_rows, expected), name + ": csv rows differ from the interactive run")
    check(np.array_equal(npy_rows, expected), name + ": npy rows differ from the interactive run")
    check(np.array_equal(csv_flags, npy_flags), name + ": the flag words differ")
    check(bool(np.all(example.max_off_origin(npy_rows) == 1)), name + ": an ambiguity above 1")
    if "--polynomials" in arguments:
        expected = read_free_form_csv(os.path.join(folder, "run_polynomials.csv"))
        table = pd.read_csv(csv_file).filter(regex=r"^c\d+$").to_numpy(dtype=np.int64)
        check(len(expected) > 0 and np.array_equal(table, expected),
              name + ": csv coefficients differ from the interactive run's polynomials file")
        check(np.array_equal(np.load(npy_file[:-4] + "_polynomials.npy"), expected),
              name + ": npy coefficients differ from the interactive run's polynomials file")


with tempfile.TemporaryDirectory() as folder:
    build = subprocess.run([make_database, "--out", "db", "--searched", "3-10", "--generated",
                            "2-10"], capture_output=True, text=True, cwd=folder)
    check(build.returncode == 0, "make_database: " + build.stderr)
    # The menu keeps the field order 131 of its defaults (order 129); select is given it.
    compare(folder, "essential9", ["--order", "9", "--kind", "essential", "--polynomials",
                                   "--field", "131"],
            "2\n9\n5\n2\n8\n")
    compare(folder, "welch0_10", ["--order", "10", "--method", "1"], "2\n10\n3\n4\n1\n")
    compare(folder, "searched7", ["--searched", "--order", "7", "--kind", "symmetrical"],
            "1\n2\n7\n5\n3\n")

# The maximum counts what is not a Costas array too: 0 1 2 3 moved by (1, 1) keeps 3 dots.
check(example.max_off_origin(np.array([[0, 1, 2, 3], [0, 2, 3, 1]])).tolist() == [3, 1],
      "max_off_origin of a diagonal and of a Costas array")
sys.exit(1 if failures else 0)
