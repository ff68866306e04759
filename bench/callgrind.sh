#!/bin/sh
# Marginal instructions per cell of the library and of each kind's own limit
# writer, by callgrind (repeatable where wall time is not): the instructions of
# R = 12000 records less those of R = 2000, divided by the 100000 cells between
# them; then the library's instructions over the limit's.
#
# The package kinds (xlsx, docx) count the deflating of their parts, which
# their limits share. The kind "lxw" runs libxlsxwriter's constant-memory mode
# (when the benchmark was built with it) in the library's column and the xlsx
# kind in the limit's: its ratio is how many instructions libxlsxwriter spends
# per instruction of the xlsx kind.
#
# The kind "tool" runs the command-line tool (BUILD/cli/mfreport, or $MFREPORT_TOOL)
# on the workload as a CSV file into a semicolon-separated report, against the
# library writing that kind from memory.
#
#   bench/callgrind.sh BUILD/bench/mfreport_bench [KIND...]
set -eu
bench=$1
shift
kinds=${*:-html xmlss xmlwp text csv xlsx docx tool}
tool=${MFREPORT_TOOL:-$(dirname "$bench")/../cli/mfreport}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Instructions of one run of the benchmark with the given arguments.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file="$scratch/out" "$bench" "$@" \
        2>"$scratch/log" >/dev/null
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$scratch/log"
}

perCell() {
    low=$(instructions --records 2000 "$@")
    high=$(instructions --records 12000 "$@")
    echo $(((high - low) / 100000))
}

# Instructions of the tool converting the workload of the given records.
toolInstructions() {
    "$bench" --make-csv "$scratch/in.csv" --records "$1"
    valgrind --tool=callgrind --callgrind-out-file="$scratch/out" "$tool" --kind text_csv \
        -o "$scratch/report.csv" "$scratch/in.csv" 2>"$scratch/log" >/dev/null
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$scratch/log"
}

toolPerCell() {
    low=$(toolInstructions 2000)
    high=$(toolInstructions 12000)
    echo $(((high - low) / 100000))
}

printf '%-6s %12s %12s %7s\n' kind library limit ratio
for kind in $kinds; do
    if [ "$kind" = tool ]; then
        # The tool's limit is the library writing the same kind.
        library=$(toolPerCell)
        limit=$(perCell --only library --kind csv)
    elif [ "$kind" = lxw ]; then
        library=$(perCell --only xlsxwriter)
        limit=$(perCell --only library --kind xlsx)
    else
        library=$(perCell --only library --kind "$kind")
        limit=$(perCell --only limit --kind "$kind")
    fi
    printf '%-6s %12s %12s %7s\n' "$kind" "$library" "$limit" \
        "$(awk -v a="$library" -v b="$limit" 'BEGIN { printf "%.2f", a / b }')"
done
