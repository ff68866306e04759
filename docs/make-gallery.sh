#!/bin/sh
# Makes the pictures of docs/gallery/ from the demo report: the XHTML page in
# a browser, the workbooks and the documents as LibreOffice prints them, and the
# print listing and the semicolon-separated file as text pages.
#
#   docs/make-gallery.sh [DEMO]
#
# DEMO is the demo program (default: build/examples/mfreport-demo). Needs
# chromium, LibreOffice (soffice), pdftoppm (poppler-utils), enscript and
# ps2pdf (ghostscript), all from apt, and for the Python script's picture the
# package (PYTHON). The report's clock is fixed, so the
# pictures change only when the report or the tools do.
set -eu

docs=$(cd "$(dirname "$0")" && pwd)
demo=${1:-$docs/../build/examples/mfreport-demo}
gallery=$docs/gallery

for tool in chromium soffice pdftoppm enscript ps2pdf; do
    command -v "$tool" >/dev/null || { echo "make-gallery: $tool is missing" >&2; exit 1; }
done
[ -x "$demo" ] || { echo "make-gallery: no demo program at $demo (build it first)" >&2; exit 1; }
demo=$(realpath "$demo")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
reports=$work/reports
# From inside the work folder, so that the document names its figure
# reports/footbridge.png wherever the folder is.
(cd "$work" && SOURCE_DATE_EPOCH=1796585527 "$demo" reports >/dev/null)
mkdir -p "$gallery"

# The page in a browser: the top of the page, the width of a small window.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/chromium" --hide-scrollbars --window-size=820,1128 \
    --screenshot="$gallery/html.png" "file://$reports/report.html" >/dev/null 2>&1

# The workbook and the document as LibreOffice lays them out for print.
soffice --headless -env:UserInstallation="file://$work/libreoffice" --convert-to pdf \
    --outdir "$work" "$reports/report-workbook.xml" "$reports/report-document.xml" >/dev/null 2>&1
# The FORCES worksheet (the second page), its top left corner.
pdftoppm -f 2 -l 2 -singlefile -r 110 -x 75 -y 80 -W 630 -H 190 -png \
    "$work/report-workbook.pdf" "$gallery/workbook"
# The .xlsx workbook's FORCES worksheet, as LibreOffice prints it.
soffice --headless -env:UserInstallation="file://$work/libreoffice" --convert-to pdf \
    --outdir "$work" "$reports/report.xlsx" >/dev/null 2>&1
pdftoppm -f 2 -l 2 -singlefile -r 110 -x 40 -y 60 -W 800 -H 175 -png \
    "$work/report.pdf" "$gallery/xlsx"
# The document's first two pages.
for page in 1 2; do
    pdftoppm -f $page -l $page -singlefile -r 54 -png "$work/report-document.pdf" \
        "$gallery/document-$page"
done
# The .docx document's first two pages (a folder of its own: its PDF has the
# .xlsx workbook's name).
mkdir -p "$work/docx"
soffice --headless -env:UserInstallation="file://$work/libreoffice" --convert-to pdf \
    --outdir "$work/docx" "$reports/report.docx" >/dev/null 2>&1
for page in 1 2; do
    pdftoppm -f $page -l $page -singlefile -r 60 -png "$work/docx/report.pdf" "$gallery/docx-$page"
done

# A text file as a line printer or a text editor shows it: fixed-width type,
# one form feed a page.
listing() { # FILE PAGE OUTPUT
    enscript --quiet --no-header --landscape --font=Courier7.5 --margins=30:30:20:20 \
        -o "$work/text.ps" "$1"
    ps2pdf "$work/text.ps" "$work/text.pdf"
    pdftoppm -f "$2" -l "$2" -singlefile -r 100 -x 20 -y 30 -W 850 -H 275 -png "$work/text.pdf" "$3"
}
# The listing's page of element forces, after the banner page and the nodes.
listing "$reports/report.LIS" 3 "$gallery/listing"
listing "$reports/report.csv" 3 "$gallery/csv"

# The guide's Python script: its workbook's FORCES worksheet. PYTHON is an
# interpreter that imports the package (default: python3).
mkdir -p "$work/python"
(cd "$work/python" && SOURCE_DATE_EPOCH=1796585527 "${PYTHON:-python3}" \
    "$docs/examples/from_python.py" >/dev/null)
soffice --headless -env:UserInstallation="file://$work/libreoffice" --convert-to pdf \
    --outdir "$work/python" "$work/python/results-workbook.xml" >/dev/null 2>&1
pdftoppm -f 1 -l 1 -singlefile -r 110 -x 75 -y 80 -W 630 -H 150 -png \
    "$work/python/results-workbook.pdf" "$gallery/python-workbook"
ls -l "$gallery"
