"""Results of a frame analysis, from a data frame and a numpy array, into
every kind of report."""

import numpy as np
import pandas as pd

import mfreport

forces = pd.DataFrame({
    "Elem": [1, 2, 3, 4],
    "Section": ["HEA 200", "HEA 200", "CHS 114.3x6.3", None],
    "N": [-125400.0, -98750.0, 42125.0, np.nan],   # N; shown in kN
    "M": [0.0, 114.75, -1.25e-3, 3.5],             # kNm
})
# Deflection of 7 nodes in 4 load cases, in m; shown in mm.
deflection = -0.0021 * np.outer(np.sin(np.linspace(0.0, 3.14159, 7)), np.arange(1, 5))

columns = [
    mfreport.Column("Elem", "Element number"),
    mfreport.Column("Section", "Cross-section", width=14),
    mfreport.Column("N", "Normal force", unit="kN", factor=0.001, width=10, decimals=2,
                    format="fixed"),
    mfreport.Column("M", "Bending moment", unit="kNm", width=12, decimals=3,
                    format="scientific", colour="FFF2CC"),
]
cases = [mfreport.Column(f"u{lc}", f"Deflection, load case {lc}", "real", unit="mm",
                         factor=1000.0, width=8, decimals=2, format="fixed")
         for lc in range(1, 5)]


def body(report):
    report.heading("Results", 1)
    report.paragraph("Linear static analysis, load combination ULS-1.")
    with report.table("FORCES", "Element end forces", columns,
                      notes=["Positive normal force is tension."]) as table:
        table.write(forces)
    with report.table("DEFLECT", "Deflection per load case", cases) as table:
        table.write(deflection)
    report.heading("Conclusion", 1)
    report.bullet_list(["All members satisfy the ultimate limit state."])


program = mfreport.Program("BeamCalc", "Plane frame analysis", "2.4.1", "01-NOV-2026")
model = mfreport.Model("Footbridge", "Two spans of 12 m", "bridge.mdl", "JD", "05-DEC-2026")
for name, kind in [("results.html", None), ("results-workbook.xml", "xml_ss"),
                   ("results-document.xml", "xml_wp"), ("results.LIS", None),
                   ("results.csv", None)]:
    with mfreport.Report(name, kind, program=program, model=model) as report:
        report.write(body, contents=True)
    print("wrote", report.path)
