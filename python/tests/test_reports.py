import os
import zipfile

import numpy as np
import pytest

import mfreport
from conftest import csv_records, workbook_rows


def forces(report):
    report.heading("Results", 1)
    report.paragraph("Linear static analysis.")
    with report.table("FORCES", "Element end forces",
                      columns=[mfreport.Column("Elem", "Element number"),
                               mfreport.Column("N", "Normal force", unit="kN", factor=0.001,
                                               width=10, decimals=2, format="fixed")]) as t:
        t.write({"Elem": np.array([1, 2]), "N": np.array([-1250.0, 2500.0])})


@pytest.mark.parametrize("name, kind, written", [
    ("r.html", None, "r.html"),
    ("r.htm", None, "r.htm"),
    ("r.xml", "xml_ss", "r.xml"),
    ("r.xml", mfreport.Kind.XML_WP, "r.xml"),
    ("r.LIS", None, "r.LIS"),
    ("r.lis", None, "r.lis"),
    ("r.txt", None, "r.txt"),
    ("r.csv", None, "r.csv"),
    ("r", "text", "r.LIS"),
    ("r", 4, "r.csv"),
])
def test_every_kind_from_one_script(here, name, kind, written):
    with mfreport.Report(name, kind, program=mfreport.Program("BeamCalc", "Frames", "2.4.1"),
                         model="Footbridge") as report:
        forces(report)
    assert report.path == written
    assert sorted(os.listdir(here)) == [written]
    data = open(written, encoding="utf-8").read()
    assert "-1.25" in data and "2.50" in data
    if report.kind in (mfreport.Kind.HTML, mfreport.Kind.XML_WP):
        assert "Linear static analysis." in data and "1  Results" in data


def test_workbook_package_from_its_extension(here):
    with mfreport.Report("r.xlsx", program=mfreport.Program("BeamCalc", "Frames", "2.4.1"),
                         model="Footbridge") as report:
        forces(report)
    assert report.kind is mfreport.Kind.XLSX and report.kind == 6
    assert report.path == "r.xlsx"
    with zipfile.ZipFile("r.xlsx") as package:
        assert package.testzip() is None
        sheet = package.read("xl/worksheets/sheet1.xml").decode("utf-8")
    assert "-1.25" in sheet and ">Elem<" in sheet


def test_document_package_from_its_extension(here):
    with mfreport.Report("r.docx", model="Footbridge") as report:
        assert report.heading("Results") is True
        forces(report)
    assert report.kind is mfreport.Kind.DOCX and report.kind == 7
    with zipfile.ZipFile("r.docx") as package:
        assert package.testzip() is None
        body = package.read("word/document.xml").decode("utf-8")
    assert "1  Results" in body and "-1.25" in body


def test_content_of_the_text_kinds_answers_false(here):
    with mfreport.Report("r.csv") as report:
        assert report.heading("Results") is False
        assert report.paragraph("x") is False
    with mfreport.Report("r.html") as report:
        assert report.heading("Results") is True
        assert report.bullet_list(["a", "b"]) is True


def test_kind_names_and_bad_kinds(here):
    assert mfreport.Report("a", "HTML").kind is mfreport.Kind.HTML
    assert mfreport.Report("b", "text_csv").path == "b.csv"
    for kind in ("pdf", 5, -1, 2.0, True):
        with pytest.raises(ValueError):
            mfreport.Report("c.html", kind)
    with pytest.raises(ValueError, match="xml_ss"):
        mfreport.Report("d.xml")
    with pytest.raises(ValueError, match="kind"):
        mfreport.Report("e.pdf")
    with pytest.raises(ValueError, match="kind"):
        mfreport.Report("results")


def test_lists_and_figures_in_the_page(here):
    with mfreport.Report("r.html") as report:
        report.bullet_list(["first", "second"])
        report.numbered_list(["alpha", "beta"])
        report.pair_list([("Steel", "S355"), ("Chords", "HEA 200")])
        report.figure("bridge.png", "Figure 1")
        assert report.page_break() is False
    page = open("r.html", encoding="utf-8").read()
    assert "<p>" in page and "first<br/>" in page and "second<br/>" in page
    assert "1. alpha<br/>" in page and "2. beta<br/>" in page
    assert "Steel" in page and "HEA 200" in page
    assert '<p><img src="bridge.png" alt="bridge.png" /></p>' in page
    assert "<p>Figure 1</p>" in page


def test_two_pass_contents_numbers_lines_as_headings(here):
    passes = []

    def body(report):
        passes.append(report.in_contents)
        report.heading("Model", 1)
        report.paragraph("only in the report")
        report.heading("Geometry", 2)
        with report.table("NODES", "Node coordinates", level=3) as t:
            t.row(1, 0.5)
        report.heading("Results", 1)

    with mfreport.Report("r.html") as report:
        report.write(body, contents=True)
    assert passes == [True, False]
    page = open("r.html", encoding="utf-8").read()
    for numbered, level in (("1  Model", 1), ("1.1  Geometry", 2),
                            ("1.1.1  Node coordinates", 3), ("2  Results", 1)):
        line = ("<br/>" + "&nbsp;" * 6 * level +
                f'<a href="#{numbered}">{numbered}</a>')
        assert line in page
        assert f'<a id="{numbered}" />' in page
    assert page.count("only in the report") == 1


def test_contents_in_the_workbook_leaves_the_tables(here):
    def body(report):
        report.heading("Results", 1)
        with report.table("T", "Values", columns=["A"]) as t:
            t.write(np.array([1.5, 2.5]))

    with mfreport.Report("r.xml", "xml_ss") as report:
        report.write(body, contents=True)
    rows = workbook_rows("r.xml")
    assert rows[0] == [("String", "A")]
    assert [(t, float(v)) for [(t, v)] in rows[1:]] == [("Number", 1.5), ("Number", 2.5)]


def test_unwritable_path_raises_oserror(here):
    with pytest.raises(OSError, match="Unable to open file"):
        mfreport.Report(os.path.join("no", "such", "folder", "r.html"))
    with mfreport.Report("busy.html"):
        with pytest.raises(OSError):
            mfreport.Report("busy.html")


@pytest.mark.parametrize("kind", ["html", "xml_ss", "xml_wp"])
def test_full_disk_at_close_raises_write_error(kind):
    if not os.path.exists("/dev/full"):
        pytest.skip("no /dev/full")
    report = mfreport.Report("/dev/full", kind)
    report.heading("Results", 1)
    with pytest.raises(mfreport.WriteError):
        report.close()
    report.close()  # a second close does nothing
    with pytest.raises(mfreport.WriteError):
        with mfreport.Report("/dev/full", kind) as report:
            with report.table("T", "Values") as t:
                t.write(np.zeros((10, 3)))


def test_an_error_in_the_block_is_not_hidden_by_close():
    with pytest.raises(KeyError):
        with mfreport.Report("/dev/full", "html"):
            raise KeyError("mine")


def test_program_and_model_shown_in_the_title_block(here):
    with mfreport.Report("r.html", program=("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026"),
                         model=mfreport.Model("Footbridge B-12", file="b12.mdl")):
        pass
    page = open("r.html", encoding="utf-8").read()
    assert "BeamCalc" in page and "2.4.1" in page and "Footbridge B-12" in page
    with pytest.raises(ValueError):
        mfreport.Report("s.html", program=("BeamCalc", 2))


def test_text_file_reaches_the_name_asked_for(here):
    with mfreport.Report("forces.txt") as report:
        forces(report)
    assert os.listdir(here) == ["forces.txt"]
    assert [r[1] for r in csv_records_of_listing("forces.txt")] == ["-1.25", "2.50"]


def csv_records_of_listing(path):
    # The listing's records have the same fields, two blanks apart.
    out = []
    for line in open(path, encoding="utf-8").read().splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[0] in ("1", "2"):
            out.append(parts)
    return out
