import math

import numpy as np
import pytest

import mfreport
from conftest import csv_names, csv_records, workbook_rows

NUMERIC = [np.int8, np.int16, np.int32, np.int64, np.uint8, np.uint16, np.uint32, np.uint64,
           np.float16, np.float32, np.float64, np.longdouble]


@pytest.mark.parametrize("dtype", NUMERIC)
def test_every_numeric_dtype(here, dtype):
    values = np.array([[0, 1], [7, 100], [120, 3]], dtype=dtype)
    with mfreport.Report("r.xml", "xml_ss") as report:
        with report.table("T", "Values") as t:
            t.write(values)
    rows = workbook_rows("r.xml")
    assert rows[0] == [("String", "C1"), ("String", "C2")]
    assert [[(k, float(v)) for k, v in row] for row in rows[1:]] == [
        [("Number", 0.0), ("Number", 1.0)], [("Number", 7.0), ("Number", 100.0)],
        [("Number", 120.0), ("Number", 3.0)]]
    integer = np.dtype(dtype).kind in "iu"
    assert all(("." not in v and "E" not in v) == integer for row in rows[1:] for _, v in row)


def test_extreme_integers_and_strided_arrays(here):
    wide = np.array([np.iinfo(np.int64).min, -2147483648, 2147483647, np.iinfo(np.uint64).max // 2],
                    dtype=np.int64)
    big = np.array([0, 1, 2, np.iinfo(np.uint64).max], dtype=np.uint64)
    grid = np.arange(24.0).reshape(4, 6)[:, ::2]  # not contiguous
    with mfreport.Report("r.xml", "xml_ss") as report:
        with report.table("W", "Wide", columns=[mfreport.Column("I", type="string"),
                                                 mfreport.Column("U", type="string")]) as t:
            t.write({"I": wide, "U": big})
        with report.table("G", "Grid") as t:
            t.write(grid)
    rows = workbook_rows("r.xml")
    assert [[v for _, v in row] for row in rows[1:5]] == [
        ["-9223372036854775808", "0"], ["-2147483648", "1"], ["2147483647", "2"],
        ["9223372036854775807", "18446744073709551615"]]
    assert [[float(v) for _, v in row] for row in rows[6:]] == grid.tolist()


def test_strings_of_every_width_and_encoding(here):
    text = np.array(["pier A", "", "Zürich – 5 µm", "x" * 300, "😀"])
    raw = np.array([b"ab", b"", b"c\x00d", b"e", b"f"])
    with mfreport.Report("r.xml", "xml_ss") as report:
        with report.table("S", "Strings", columns=["T", "B"]) as t:
            t.write({"T": text, "B": raw})
    rows = workbook_rows("r.xml")[1:]
    assert [row[0] for row in rows] == [("String", "pier A"), ("String", ""),
                                        ("String", "Zürich – 5 µm"), ("String", "x" * 300),
                                        ("String", "😀")]
    assert [row[1][1] for row in rows] == ["ab", "", "c\x00d".replace("\x00", "\ufffd"),
                                           "e", "f"]


def test_row_rows_and_links(here):
    with mfreport.Report("r.html") as report:
        with report.table("T", "Values", columns=[
                mfreport.Column("Node", type=int), mfreport.Column("X", type=float),
                mfreport.Column("Name", type=str)]) as t:
            t.row(mfreport.Link(3, "NODES"), 1.5, "a")
            t.rows([(np.int64(4), np.float32(2.5), None), (5, float("nan"))])
            with pytest.raises(ValueError):
                t.row(1, 2.0, "x", "too many")
        assert t.records == 3
    page = open("r.html", encoding="utf-8").read()
    assert '<a href="#NODES">' in page


def test_columns_take_types_from_the_first_row(here):
    with mfreport.Report("r.csv") as report:
        with report.table("T", "Values") as t:
            t.row(1, 2.5, "a", True)
            t.row(2, 3, "b", False)
        assert [c.type for c in t.columns] == [mfreport.ColumnType.INTEGER,
                                              mfreport.ColumnType.REAL,
                                              mfreport.ColumnType.STRING,
                                              mfreport.ColumnType.STRING]
    records = csv_records("r.csv")
    assert [[r[0], float(r[1]), r[2], r[3]] for r in records] == [[
        "1", 2.5, "a", "True"], ["2", 3.0, "b", "False"]]


def test_units_and_formats(here):
    columns = [
        mfreport.Column("N", "Normal force", "real", unit="kN", factor=0.001, width=10,
                        decimals=2, format="fixed"),
        mfreport.Column("M", "Bending moment", mfreport.ColumnType.REAL, unit="kNm", width=12,
                        decimals=3, format=mfreport.Format.SCIENTIFIC, colour="FFF2CC"),
        mfreport.Column("L", "Length", float, width=10, decimals=3, format="fixed",
                        align="left"),
    ]
    with mfreport.Report("r.csv") as report:
        with report.table("F", "Forces", columns=columns) as t:
            t.write(np.array([[-1250.0, 114.75, 347433.737], [42125.0, -1.25e-3, 1.0]]))
    assert csv_names("r.csv") == [["N", "M", "L"]]
    assert csv_records("r.csv") == [["-1.25", "1.148E+02", "347433.737"],
                                    ["42.12", "-1.250E-03", "1.000"]]
    text = open("r.csv", encoding="utf-8").read()
    assert "Normal force(kN)" in text and "Bending moment(kNm)" in text
    with mfreport.Report("r.html") as report:
        with report.table("F", "Forces", columns=columns) as t:
            t.write(np.array([[-1250.0, 114.75, 1.0]]))
    page = open("r.html", encoding="utf-8").read()
    assert "N [kN]" in page and "M [kNm]" in page and "FFF2CC" in page


@pytest.mark.parametrize("column", [
    dict(name=""), dict(name="A", type="complex"), dict(name="A", format="engineering"),
    dict(name="A", align="justified"), dict(name="A", width=-1), dict(name="A", decimals=2000),
    dict(name="A", width=2.5), dict(name="A", factor="kN"), dict(name="A", factor=math.nan),
    dict(name="A", colour="#FFFFFF"), dict(name="A", colour="red"),
])
def test_bad_columns_raise_value_error(column):
    with pytest.raises(ValueError):
        mfreport.Column(**column)


def test_bad_tables_and_data_raise_value_error(here):
    with mfreport.Report("r.html") as report:
        with pytest.raises(ValueError):
            report.table("T", "x", columns=[])
        with pytest.raises(ValueError):
            report.table("T", "x", colour="blue")
        with pytest.raises(ValueError):
            report.table("T", "x", wrap=(0, 1))
        with report.table("T", "Values", columns=["A", "B"]) as t:
            with pytest.raises(ValueError, match="B"):
                t.write({"A": np.zeros(2), "C": np.zeros(2)})
            with pytest.raises(ValueError):
                t.write({"A": np.zeros(2), "B": np.zeros(3)})
            with pytest.raises(ValueError):
                t.write(np.zeros((2, 2, 2)))
            t.write(np.zeros((2, 2)))
            with pytest.raises(ValueError):
                t.write(np.zeros((2, 3)))
        with pytest.raises(ValueError):
            t.row(1, 2)


pd = pytest.importorskip("pandas")


def test_data_frame_with_mixed_dtypes_and_missing_values(here):
    frame = pd.DataFrame({
        "Elem": np.array([1, 2, 3], dtype=np.int32),
        "N": [-125.4, np.nan, 42.125],
        "Support": ["pinned", None, "roller"],
        "Count": pd.array([5, None, 7], dtype="Int64"),
        "Ok": [True, False, True],
        "When": pd.to_datetime(["2026-12-05", None, "2026-12-07"]),
        "Label": pd.array(["a", pd.NA, "c"], dtype="string"),
    })
    with mfreport.Report("r.csv") as report:
        with report.table("F", "Frame", columns=[
                "Elem", mfreport.Column("N", width=10, decimals=2, format="fixed"), "Support",
                "Count", "Ok", "When", "Label"]) as t:
            t.write(frame)
        assert [c.type for c in t.columns] == [0, 1, 2, 0, 2, 2, 2]
    assert csv_records("r.csv") == [
        ["1", "-125.40", "pinned", "5", "True", "2026-12-05", "a"],
        ["2", "", "", "", "False", "", ""],
        ["3", "42.12", "roller", "7", "True", "2026-12-07", "c"],
    ]


def test_frame_columns_picked_by_name(here):
    frame = pd.DataFrame({"a": [1, 2], "b": [0.5, 1.5], "c": ["x", "y"]})
    with mfreport.Report("r.csv") as report:
        with report.table("F", "Frame", columns=["c", "a"]) as t:
            t.write(frame)
            t.write(frame.iloc[::-1])
    assert csv_records("r.csv") == [["x", "1"], ["y", "2"], ["y", "2"], ["x", "1"]]
