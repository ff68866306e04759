"""The .docx documents as their readers get them.

usage: docx_clients.py python-docx DEMO
       docx_clients.py libreoffice DEMO SAMPLE

python-docx reads every paragraph of the demo's report.docx with its style and
every cell of its tables. LibreOffice converts the demo's document and the
sample document (mfreport-docx-sample: a table of 200 records among many
headings) to PDF and text: every body text, the page header with the logo, the
footer with "Page X of Y", the figure at its size, contents page numbers equal
to the pages where the headings print, head rows on every page of the long
table; and LibreOffice's own .docx export of the demo keeps the header, the
footer, the fields and the pictures.
"""
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# The demo's headings as written, with their heading styles.
HEADINGS = [
    ("1  Model", "Heading 1"),
    ("1.1  Materials and sections", "Heading 2"),
    ("1.2  Geometry", "Heading 2"),
    ("1.2.1  Node coordinates", "Heading 3"),
    ("2  Results", "Heading 1"),
    ("2.1  Forces", "Heading 2"),
    ("2.1.1  Element end forces", "Heading 3"),
    ("2.2  Displacements", "Heading 2"),
    ("2.2.1  Displacement envelope per load case", "Heading 3"),
    ("3  Conclusion", "Heading 1"),
]
PARAGRAPHS = [
    "Contents",
    "The footbridge is a two-span steel truss of 24 m, modelled with beam elements "
    "in the vertical plane.",
    "Results of the linear static analysis, load combination ULS-1.",
    "Steel", "S355, E = 210 000 N/mm2", "Chords", "HEA 200", "Diagonals", "CHS 114.3x6.3",
    "Coordinates in the global system; origin at the west abutment.",
    "Load combination ULS-1: 1.35 G + 1.5 Q.",
    "Positive normal force N is tension.",
    "All members satisfy the ultimate limit state.",
    "The largest deflection is below span/400.",
]
# The node table as its cells read: head (name and unit) and the records.
NODES = [
    ["Node", "X\n[mm]", "Y\n[mm]", "Z\n[mm]", "Support"],
    ["1", "0", "0", "0", "pinned"],
    ["2", "6000.0", "0", "0", "<none>"],
    ["3", "12000.0", "0", "0", "roller"],
    ["4", "18000.0", "0", "0", "<none>"],
    ["5", "24000.0", "0", "0", "pinned"],
    ["6", "6000.0", "1500.0", "0", ""],
    ["7", "18000.0", "1500.0", "0", ""],
]


def demo_document(demo, folder):
    subprocess.run([demo, folder], check=True, stdout=subprocess.DEVNULL)
    return os.path.join(folder, "report.docx")


def check_python_docx(path, problems):
    import docx

    document = docx.Document(path)
    styles = [(p.text, p.style.name) for p in document.paragraphs]
    headings = [(t, s) for t, s in styles if s.startswith("Heading")]
    if headings != HEADINGS:
        problems.append(f"headings {headings}")
    texts = [t for t, _ in styles]
    for text in PARAGRAPHS:
        if text not in texts:
            problems.append(f"no paragraph {text!r}")
    captions = [t for t, s in styles if s == "Caption"]
    if len(captions) != 1 or not captions[0].endswith(
            " : Figure 1: elevation of the footbridge model."):
        problems.append(f"captions {captions}")
    if len(document.inline_shapes) != 1 or document.inline_shapes[0].width <= 0:
        problems.append("the figure is no inline picture")
    tables = document.tables
    if len(tables) != 3:
        problems.append(f"{len(tables)} tables, expected 3")
        return
    # Numbers fill their field width, as in the other kinds.
    nodes = [[cell.text.strip() for cell in row.cells] for row in tables[0].rows]
    if nodes != NODES:
        problems.append(f"node table {nodes}")
    forces = [[cell.text.strip() for cell in row.cells] for row in tables[1].rows]
    if forces[0][:3] != ["Elem", "Node i", "Node j"] or forces[1][:3] != ["1", "1", "2"]:
        problems.append(f"force table {forces[:2]}")
    # The folded envelope: a record on two rows, the second indented by one.
    envelope = [[cell.text.strip() for cell in row.cells] for row in tables[2].rows]
    if [row[0] for row in envelope[:4]] != ["Node", "", "1", ""] or envelope[1][1] != "u6\n[mm]":
        problems.append(f"envelope table {envelope[:5]}")
    section = document.sections[0]
    header = " ".join(c.text for t in section.header.tables for r in t.rows for c in r.cells)
    for text in ["BeamCalc", "2.4.1", "Model Id:", "footbridge-b12.mdl"]:
        if text not in header:
            problems.append(f"header lacks {text!r}")
    if "Page" not in section.footer.paragraphs[0].text:
        problems.append("footer lacks Page")


def soffice(args, folder):
    subprocess.run(["soffice", f"-env:UserInstallation=file://{folder}/profile", "--headless"]
                   + args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=240)


def pdf_pages(pdf):
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True,
                          capture_output=True, text=True).stdout
    return text.split("\f")[:-1]


def normal(line):
    return " ".join(line.split())


def check_contents(pages, problems, name):
    """Every contents entry's number is the page where its heading prints."""
    entries = []
    for line in pages[0].splitlines():
        m = re.match(r"^(\d+(?:\.\d+)*) (.*?) ?\.{3,} ?(\d+)$", normal(line))
        if m:
            entries.append(m.groups())
    if not entries:
        problems.append(f"{name}: no contents entries")
    for number, title, shown in entries:
        printed = [k + 1 for k, page in enumerate(pages)
                   if f"{number} {title}" in (normal(line) for line in page.splitlines())]
        if printed[:1] != [int(shown)]:
            problems.append(f"{name}: {number} {title} shows page {shown}, prints on {printed}")
    return entries


def check_libreoffice(demo, sample, folder, problems):
    path = demo_document(demo, os.path.join(folder, "demo"))
    soffice(["--convert-to", "pdf", "--outdir", folder, path], folder)
    pdf = os.path.join(folder, "report.pdf")
    pages = pdf_pages(pdf)
    count = len(pages)
    body = " ".join(normal(line) for page in pages for line in page.splitlines())
    for text in PARAGRAPHS + [h.replace("  ", " ") for h, _ in HEADINGS]:
        if text not in body:
            problems.append(f"demo: no text {text!r}")
    for k, page in enumerate(pages):
        lines = [normal(line) for line in page.splitlines() if line.strip()]
        if not any("Model Id:" in line for line in lines[:8]) or "BeamCalc" not in page:
            problems.append(f"demo: page {k + 1} has no page header")
        if not lines or not lines[-1].endswith(f"Page {k + 1} of {count}"):
            problems.append(f"demo: page {k + 1} footer {lines[-1:]}")
    if len(check_contents(pages, problems, "demo")) != len(HEADINGS):
        problems.append("demo: not every heading has a contents entry")
    # The logo on every page and the figure, at non-zero sizes.
    images = subprocess.run(["pdfimages", "-list", pdf], check=True, capture_output=True,
                            text=True).stdout.splitlines()[2:]
    sizes = [(int(f[3]), int(f[4])) for f in (line.split() for line in images)]
    if len(sizes) < count + 1 or any(w <= 0 or h <= 0 for w, h in sizes):
        problems.append(f"demo: images {sizes}")
    if not any(w > 200 for w, _ in sizes):
        problems.append(f"demo: the figure is missing from {sizes}")
    check_figure_size(path, problems)

    # The long table: its head on every page it spans.
    soffice(["--convert-to", "pdf", "--outdir", folder, sample], folder)
    pages = pdf_pages(os.path.join(folder, os.path.basename(sample)[:-5] + ".pdf"))
    check_contents(pages, problems, "sample")
    first = [k for k, page in enumerate(pages) if "1.1 Table LONG of 200 records" in
             [normal(line) for line in page.splitlines()]]
    records = {}
    for k, page in enumerate(pages):
        for line in page.splitlines():
            m = re.match(r"^(\d+) (-[\d.]+ ){7}", normal(line) + " ")
            if m and k >= first[-1]:
                records.setdefault(int(m.group(1)), k)
    last = records.get(200)
    if first[-1:] == [] or last is None or last <= first[-1]:
        problems.append(f"sample: the long table spans no pages ({first}, {last})")
    else:
        for k in range(first[-1], last + 1):
            heads = [line for line in pages[k].splitlines()
                     if normal(line) == "Elem N1 N2 N3 N4 N5 N6 N7 Remark"]
            if not heads:
                problems.append(f"sample: page {k + 1} of the long table has no head row")

    # LibreOffice's own .docx export keeps header, footer, fields and pictures.
    out = os.path.join(folder, "export")
    os.makedirs(out)
    soffice(["--convert-to", 'docx:MS Word 2007 XML', "--outdir", out, path], folder)
    with zipfile.ZipFile(os.path.join(out, "report.docx")) as package:
        names = package.namelist()
        parts = {n: package.read(n).decode("utf-8", "replace") for n in names
                 if n.endswith(".xml")}
    headers = [p for n, p in parts.items() if re.match(r"word/header\d*\.xml$", n)]
    footers = [p for n, p in parts.items() if re.match(r"word/footer\d*\.xml$", n)]
    if not any("BeamCalc" in p and "<pic:pic" in p for p in headers):
        problems.append("export: no header with the logo")
    if not any("NUMPAGES" in p and "PAGE" in p for p in footers):
        problems.append("export: no footer with its page fields")
    document = parts.get("word/document.xml", "")
    # LibreOffice keeps the contents field and its linked entries (their page
    # numbers it writes as text) and the headings' bookmarks.
    if ("> TOC " not in document or '<w:hyperlink w:anchor="2_1_1__Element_end_forces"' not in document
            or 'w:name="2_1_1__Element_end_forces"' not in document):
        problems.append("export: the contents field, its links or the bookmarks are gone")
    if "<pic:pic" not in document or not any(n.startswith("word/media/") for n in names):
        problems.append("export: the figure is gone")


def check_figure_size(path, problems):
    """The figure's extent is its pixels at 96 to the inch (or the text width)."""
    with zipfile.ZipFile(path) as package:
        body = package.read("word/document.xml").decode()
        media = [n for n in package.namelist() if n.startswith("word/media/image")]
        png = package.read(media[0]) if media else b""
    extent = re.search(r'<wp:extent cx="(\d+)" cy="(\d+)"/>', body)
    if len(png) < 24 or not extent:
        problems.append("demo: no figure to measure")
        return
    width = int.from_bytes(png[16:20], "big")
    height = int.from_bytes(png[20:24], "big")
    cx, cy = int(extent.group(1)), int(extent.group(2))
    widest = (11906 - 2 * 1134) * 635
    scale = min(1.0, widest / (width * 9525))
    if abs(cx - width * 9525 * scale) > 9525 or abs(cy - height * 9525 * scale) > 9525:
        problems.append(f"demo: figure {cx} x {cy} EMU for {width} x {height} pixels")


def main():
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        if sys.argv[1] == "python-docx":
            check_python_docx(demo_document(sys.argv[2], folder), problems)
        else:
            check_libreoffice(sys.argv[2], os.path.abspath(sys.argv[3]), folder, problems)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["libreoffice"] and len(sys.argv) == 4:
        sys.exit(main())
    if sys.argv[1:2] == ["python-docx"] and len(sys.argv) == 3:
        sys.exit(main())
    sys.exit(__doc__)
