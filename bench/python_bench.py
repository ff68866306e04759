#!/usr/bin/env python3
"""Table streaming from Python: the mfreport package against the C++ library
and against XlsxWriter, in one run.

    python3 bench/python_bench.py [--cxx-bench PATH] [--records N] [--array-records N]
                                  [--xlsxwriter-records N] [--reps N]

1. The C++ benchmark's workload (R records of one text, two integer and seven
   fixed-point real columns) as numpy arrays through the package, against
   mfreport_bench's library figure for the same kind and the same R.
2. A float64 array of --array-records x 10 through the package, against the
   same C++ figure.
3. XlsxWriter in constant-memory mode writing the same workload, one
   write_row per record, against the package's workbook.

Cells per second are the medians over --reps runs; files go to $TMPDIR and
are removed. mfreport_bench must be a Release build (see bench/README.md).
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

import mfreport

KINDS = [("html", "html", ".html"), ("xmlss", "xml_ss", ".xml"), ("xmlwp", "xml_wp", ".xml"),
         ("text", "text", ".LIS"), ("csv", "text_csv", ".csv")]
COLUMNS = 10


def workload(records):
    """The C++ benchmark's table: names, record numbers, integers in
    -10000..10000, seven reals with a zero every 50 cells."""
    index = np.arange(records)
    rng = np.random.default_rng(20240601)
    data = {"Name": np.char.mod("N%06d", index), "Rec": (index + 1).astype(np.int32),
            "Int": rng.integers(-10000, 10001, records, dtype=np.int32)}
    for k in range(3, COLUMNS):
        values = (rng.random(records) * 1100 - 100) * 10.0 ** (k - 6)
        values[(index + k) % 50 == 0] = 0.0
        data[f"R{k}"] = values
    columns = [mfreport.Column("Name", "Record name", "string", width=8),
               mfreport.Column("Rec", "Record number", "integer"),
               mfreport.Column("Int", "Integer value", "integer")]
    columns += [mfreport.Column(f"R{k}", f"Real value {k}", "real", width=12, decimals=4,
                                format="fixed") for k in range(3, COLUMNS)]
    return data, columns


def timed_write(path, kind, data, columns):
    start = time.perf_counter()
    with mfreport.Report(path, kind, program="bench") as report:
        with report.table("BENCH", "Benchmark table", columns=columns) as table:
            table.write(data)
    elapsed = time.perf_counter() - start
    os.remove(report.path)
    return elapsed


def median_rate(cells, reps, run):
    return cells / statistics.median(run() for _ in range(reps))


def cxx_rates(bench, records, reps):
    out = subprocess.run([bench, "--records", str(records), "--reps", str(reps)], check=True,
                         capture_output=True, text=True).stdout
    rates = {}
    for line in out.splitlines():
        fields = line.split()
        if fields and fields[0] in {k for k, _, _ in KINDS} and fields[1].isdigit():
            rates[fields[0]] = float(fields[4])
    return rates


def xlsxwriter_rate(folder, data, records, reps):
    import xlsxwriter

    rows = list(zip(*(data[name].tolist() for name in data)))

    def run():
        path = os.path.join(folder, "bench.xlsx")
        start = time.perf_counter()
        book = xlsxwriter.Workbook(path, {"constant_memory": True})
        sheet = book.add_worksheet("BENCH")
        sheet.write_row(0, 0, list(data))
        for r, row in enumerate(rows, 1):
            sheet.write_row(r, 0, row)
        book.close()
        elapsed = time.perf_counter() - start
        os.remove(path)
        return elapsed

    return median_rate(records * COLUMNS, reps, run)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cxx-bench", default=os.path.join(os.path.dirname(here), "build-bench",
                                                            "bench", "mfreport_bench"))
    parser.add_argument("--records", type=int, default=200000)
    parser.add_argument("--array-records", type=int, default=1000000)
    parser.add_argument("--xlsxwriter-records", type=int, default=50000)
    parser.add_argument("--reps", type=int, default=5)
    args = parser.parse_args()
    if not os.access(args.cxx_bench, os.X_OK):
        sys.exit(f"no {args.cxx_bench}: build it as bench/README.md shows, or give --cxx-bench")

    folder = tempfile.mkdtemp(prefix="mfreport-pybench-")
    cxx = cxx_rates(args.cxx_bench, args.records, args.reps)
    data, columns = workload(args.records)
    array = np.random.default_rng(7).normal(size=(args.array_records, COLUMNS)) * 1e4
    print(f"workload: {args.records} records x {COLUMNS} columns; float64 array: "
          f"{args.array_records} x {COLUMNS}; median of {args.reps} runs; cells per second\n")
    print(f"{'kind':6} {'C++':>12} {'package':>12} {'ratio':>7} {'float64 arr':>12} {'ratio':>7}")
    package = {}
    for name, kind, extension in KINDS:
        path = os.path.join(folder, "bench" + extension)
        rate = median_rate(args.records * COLUMNS, args.reps,
                           lambda: timed_write(path, kind, data, columns))
        arrays = median_rate(args.array_records * COLUMNS, args.reps,
                             lambda: timed_write(path, kind, array, None))
        package[name] = rate
        base = cxx.get(name, float("nan"))
        print(f"{name:6} {base:12.0f} {rate:12.0f} {rate / base:6.2f}x {arrays:12.0f} "
              f"{arrays / base:6.2f}x")
    try:
        peer = xlsxwriter_rate(folder, workload(args.xlsxwriter_records)[0],
                               args.xlsxwriter_records, min(args.reps, 3))
    except ImportError:
        print("\nXlsxWriter is not installed (Debian: python3-xlsxwriter)")
    else:
        print(f"\nXlsxWriter, constant memory: {peer:.0f} cells/s on "
              f"{args.xlsxwriter_records} records")
        for name, _, _ in KINDS:
            print(f"  package {name:6} {package[name] / peer:6.1f}x XlsxWriter")
    os.rmdir(folder)


if __name__ == "__main__":
    main()
