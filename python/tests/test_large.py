import os
import subprocess
import sys

import pytest

# Run in a process of its own, so that its peak memory is the table's alone.
SCRIPT = r"""
import os, sys
import numpy as np
import mfreport

def peak_kib():
    with open("/proc/self/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])

data = np.random.default_rng(7).normal(size=(1_000_000, 10)) * 1e4
peaks = []
for rows in (10_000, 1_000_000):
    with mfreport.Report(sys.argv[1], "xml_ss") as report:
        with report.table("BIG", "Many records") as table:
            table.write(data[:rows])
    assert table.records == rows
    peaks.append(peak_kib())
    size = os.path.getsize(sys.argv[1])
    os.remove(sys.argv[1])
print(peaks[0], peaks[1], size)
"""


@pytest.mark.large
def test_million_rows_in_flat_memory(tmp_path):
    if not os.path.exists("/proc/self/status"):
        pytest.skip("no /proc to read the peak memory from")
    out = subprocess.run([sys.executable, "-c", SCRIPT, str(tmp_path / "big.xml")],
                         check=True, capture_output=True, text=True).stdout
    small, large, size = map(int, out.split())
    assert size > 10_000_000 * 20  # every cell is in the file
    # A hundred times the records: the peak grows by less than 8 MiB.
    assert large - small < 8 * 1024, (small, large)
