import os
import re

import pytest

# Reports made under a fixed clock are the same whatever the day.
os.environ["SOURCE_DATE_EPOCH"] = "1796585527"

SOURCE_DIR = os.environ.get("MFREPORT_SOURCE_DIR",
                            os.path.dirname(os.path.dirname(os.path.dirname(__file__))))


def csv_records(path):
    """The records of a semicolon-separated file, each a list of its fields
    without the blanks that pad them: the lines below a table's rule line."""
    records, inside = [], False
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines():
            if re.fullmatch(r" -+(; -+)*", line):
                inside = True
            elif not line.strip():
                inside = False
            elif inside:
                records.append([field.strip() for field in line.split(";")])
    return records


def csv_names(path):
    """The column names above the rule line of each table, in order."""
    lines = open(path, encoding="utf-8").read().splitlines()
    return [[n.strip() for n in lines[i - 1].split(";")]
            for i, line in enumerate(lines) if re.fullmatch(r" -+(; -+)*", line)]


def workbook_rows(path):
    """Each worksheet row as a list of (type, text) cells."""
    text = open(path, encoding="utf-8").read()
    return [re.findall(r'<Data ss:Type="(\w+)">([^<]*)</Data>', row)
            for row in re.findall(r"<Row[^>]*>(.*?)</Row>", text, re.S)]


@pytest.fixture
def here(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    return tmp_path
