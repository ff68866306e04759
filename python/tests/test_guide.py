import os
import subprocess
import sys

import pytest

from conftest import SOURCE_DIR, csv_records


def test_the_guides_script_writes_every_kind(tmp_path):
    pytest.importorskip("pandas")
    script = os.path.join(SOURCE_DIR, "docs", "examples", "from_python.py")
    out = subprocess.run([sys.executable, script], cwd=tmp_path, check=True,
                         capture_output=True, text=True).stdout
    names = ["results.html", "results-workbook.xml", "results-document.xml", "results.LIS",
             "results.csv"]
    assert out.splitlines() == [f"wrote {name}" for name in names]
    assert sorted(os.listdir(tmp_path)) == sorted(names)
    records = csv_records(tmp_path / "results.csv")
    assert records[:4] == [["1", "HEA 200", "-125.40", "0.000E+00"],
                           ["2", "HEA 200", "-98.75", "1.148E+02"],
                           ["3", "CHS 114.3x6.3", "42.12", "-1.250E-03"],
                           ["4", "", "", "3.500E+00"]]
    assert records[5] == ["-1.05", "-2.10", "-3.15", "-4.20"]
    page = (tmp_path / "results.html").read_text(encoding="utf-8")
    assert '<a href="#1.1  Element end forces">' in page
