"""Engineering reports from Python: XHTML, SpreadsheetML 2003 workbooks,
WordprocessingML 2003 documents, paged print listings and semicolon-separated
files, written by the mfreport library.

A report is written in document order::

    import numpy as np
    import mfreport

    with mfreport.Report("forces.html", program="BeamCalc") as report:
        report.heading("Results", 1)
        with report.table("FORCES", "Element end forces",
                          columns=[mfreport.Column("N", "Normal force", unit="kN",
                                                   factor=0.001)]) as table:
            table.write(np.array([-1250.0, -2500.0]))

Numpy arrays, mappings of columns and pandas data frames are streamed record
by record in compiled code; memory does not grow with the number of rows.
"""

from ._core import Link
from ._report import (
    Align,
    Column,
    ColumnType,
    Format,
    Kind,
    Model,
    Program,
    Report,
    Table,
    WriteError,
    set_maker,
    version,
)

__all__ = [
    "Align",
    "Column",
    "ColumnType",
    "Format",
    "Kind",
    "Link",
    "Model",
    "Program",
    "Report",
    "Table",
    "WriteError",
    "set_maker",
    "version",
]

__version__ = version()
