"""The C++ demo's report written through the package: the same calls give the
same bytes in every kind."""

import math
import os
import shutil
import subprocess

import pytest

import mfreport
from conftest import SOURCE_DIR

NODES = [(1, 0.0, 0.0, 0.0, "pinned"), (2, 6.0, 0.0, 0.0, "<none>"),
         (3, 12.0, 0.0, 0.0, "roller"), (4, 18.0, 0.0, 0.0, "<none>"),
         (5, 24.0, 0.0, 0.0, "pinned"), (6, 6.0, 1.5, 0.0, ""), (7, 18.0, 1.5, 0.0, "")]
ELEMENTS = [(1, 1, 2, -125.40, 38.25, 0.0), (2, 2, 3, -98.75, -12.5, 114.75),
            (3, 3, 4, -98.75, 12.5, 114.75), (4, 4, 5, -125.40, -38.25, 0.0),
            (5, 2, 6, 42.125, 0.0, -1.25e-3), (6, 4, 7, 42.125, 0.0, 1.25e-3)]


def write_report(report, figure):
    C = mfreport.Column
    report.heading("Model", 1)
    report.paragraph("The footbridge is a two-span steel truss of 24 m, modelled with "
                     "beam elements in the vertical plane.")
    report.heading("Materials and sections", 2)
    report.pair_list([("Steel", "S355, E = 210 000 N/mm2"), ("Chords", "HEA 200"),
                      ("Diagonals", "CHS 114.3x6.3")])
    report.figure(figure, "Figure 1: elevation of the footbridge model.")
    report.heading("Geometry", 2)
    coordinate = dict(type="real", unit="mm", factor=1000.0, width=10, decimals=1,
                      format="fixed")
    with report.table("NODES", "Node coordinates", level=3, notes=[
            "Coordinates in the global system; origin at the west abutment."], columns=[
            C("Node", "Node number", "integer"), C("X", "Global X coordinate", **coordinate),
            C("Y", "Global Y coordinate", **coordinate),
            C("Z", "Global Z coordinate", **coordinate),
            C("Support", "Support condition", "string")]) as table:
        table.rows(NODES)
    report.heading("Results", 1)
    report.paragraph("Results of the linear static analysis, load combination ULS-1.")
    report.heading("Forces", 2)
    force = dict(type="real", unit="kN", width=10, decimals=2, format="fixed")
    with report.table("FORCES", "Element end forces", level=3, notes=[
            "Load combination ULS-1: 1.35 G + 1.5 Q.", "Positive normal force N is tension."],
            columns=[C("Elem", "Element number", "integer"),
                     C("Node i", "Start node", "integer"), C("Node j", "End node", "integer"),
                     C("N", "Normal force", **force), C("V", "Shear force", **force),
                     C("M", "Bending moment", "real", unit="kNm", width=12, decimals=3,
                       format="scientific", colour="FFF2CC")],
            colour="E8F0FF", abbreviations=True) as table:
        for e, i, j, n, v, m in ELEMENTS:
            table.row(e, mfreport.Link(i, "NODES"), mfreport.Link(j, "NODES"), n, v, m)
    report.heading("Displacements", 2)
    u = dict(type="real", unit="mm", factor=1000.0, width=8, decimals=2, format="fixed")
    with report.table("ENVELOPE", "Displacement envelope per load case", level=3, notes=[
            "Wide table: folded after six cells, continuation rows indented by one."],
            columns=[C("Node", "Node number", "integer")] +
            [C(f"u{lc}", f"Displacement, load case {lc}", **u) for lc in range(1, 11)],
            wrap=(6, 1)) as table:
        for node, x, _, _, support in NODES:
            table.row(node, *(0.0 if support[:1] in ("p", "r")
                              else -0.0021 * lc * math.sin(x / 24.0 * 3.14159)
                              for lc in range(1, 11)))
    report.page_break()
    report.heading("Conclusion", 1)
    report.bullet_list(["All members satisfy the ultimate limit state.",
                        "The largest deflection is below span/400."])


def write_document(path, kind, figure):
    program = mfreport.Program("BeamCalc", "Linear static analysis of plane frames", "2.4.1",
                               "01-NOV-2026")
    model = mfreport.Model("Footbridge B-12", "Steel footbridge, two spans of 12 m",
                           "footbridge-b12.mdl", "JD", "05-DEC-2026")
    with mfreport.Report(path, kind, program=program, model=model) as report:
        report.paragraph("Contents")
        report.write(lambda r: write_report(r, figure), contents=True)


FILES = ["report.html", "report-workbook.xml", "report-document.xml", "report.LIS",
         "report.csv"]


def test_demo_report_byte_for_byte(tmp_path, monkeypatch):
    demo = os.environ.get("MFREPORT_DEMO")
    if not demo:
        pytest.skip("the C++ demo is not built (MFREPORT_DEMO)")
    (tmp_path / "cpp").mkdir()
    (tmp_path / "py" / "reports").mkdir(parents=True)
    # A run-time preloaded into the interpreter is none of the demo's.
    env = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}
    subprocess.run([demo, "reports"], cwd=tmp_path / "cpp", check=True, stdout=subprocess.DEVNULL,
                   env=dict(env, SOURCE_DATE_EPOCH="1796585527"))
    monkeypatch.chdir(tmp_path / "py")
    shutil.copy(os.path.join(SOURCE_DIR, "examples", "footbridge.png"), "reports")
    write_document("reports/report.html", "html", "footbridge.png")
    write_document("reports/report-workbook.xml", "xml_ss", "footbridge.png")
    write_document("reports/report-document.xml", "xml_wp", "reports/footbridge.png")
    write_document("reports/report", "text", "footbridge.png")
    write_document("reports/report", "text_csv", "footbridge.png")
    for name in FILES:
        cpp = (tmp_path / "cpp" / "reports" / name).read_bytes()
        py = (tmp_path / "py" / "reports" / name).read_bytes()
        assert py == cpp, name
