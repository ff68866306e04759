#!/bin/sh
# same_reports.sh DEMO OTHER_DEMO FOLDER: runs both demo programs in FOLDER,
# one after the other into the same output folder name, and compares every
# report they write byte for byte.
set -u
demo=$1 other=$2 folder=$3
rm -rf "$folder" && mkdir -p "$folder" && cd "$folder" || exit 1
export SOURCE_DATE_EPOCH=1796585527
"$demo" reports >/dev/null || { echo "the demo failed"; exit 1; }
mv reports expected
"$other" reports >/dev/null || { echo "$other failed"; exit 1; }
passed=0 failed=0
for report in report.html report-workbook.xml report-document.xml report.LIS report.csv; do
    if cmp "expected/$report" "reports/$report"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        diff "expected/$report" "reports/$report" | head -20
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
