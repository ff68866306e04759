#!/bin/sh
# Runs the demo program and parses every document it writes with xmllint
# (the XHTML DTD comes from the copy in tests/data/xhtml1).
set -u
demo=$1
out=$2
XML_CATALOG_FILES="$(cd "$(dirname "$0")" && pwd)/data/xhtml1/catalog.xml"
export XML_CATALOG_FILES
rm -rf "$out"
status=0
# --help is an option, never a directory name.
(cd "$(dirname "$out")" && "$demo" --help >/dev/null && [ ! -e --help ]) ||
    { echo "--help did not print the usage alone"; status=1; }
# A report that does not reach the disk makes the demo fail: with room for the
# figure, the page and the workbook but not the document, the last close fails.
(trap '' XFSZ; ulimit -f 40 && "$demo" "$out" >/dev/null 2>&1) &&
    { echo "a failed report went unnoticed"; status=1; }
rm -rf "$out"
"$demo" "$out" || exit 1
for file in "$out"/*.html "$out"/*.xml; do
    [ -e "$file" ] || continue
    case "$file" in
    *.html) messages=$(xmllint --noout --nonet --loaddtd "$file" 2>&1) ;;
    *) messages=$(xmllint --noout --nonet "$file" 2>&1) ;;
    esac
    if [ $? -ne 0 ] || [ -n "$messages" ]; then
        echo "$file is not well-formed:"
        echo "$messages" | head -20
        status=1
    else
        echo "$file: well-formed"
    fi
done
# The packages: a ZIP that a standard reader accepts, every XML part well-formed.
for file in "$out"/*.xlsx "$out"/*.docx; do
    [ -e "$file" ] || continue
    parts=$(mktemp -d)
    if ! python3 -m zipfile -e "$file" "$parts" >/dev/null 2>&1; then
        echo "$file is not a readable ZIP"
        status=1
    elif ! messages=$(find "$parts" -name '*.xml' -o -name '*.rels' | xargs xmllint --noout --nonet 2>&1) ||
        [ -n "$messages" ]; then
        echo "$file has a part that is not well-formed:"
        echo "$messages" | head -20
        status=1
    else
        echo "$file: every part well-formed"
    fi
    rm -rf "$parts"
done
exit $status
