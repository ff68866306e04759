#!/bin/sh
# Regenerates tests/data/fortran_edit_cases.txt with gfortran (not needed to build or test).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
gfortran -O0 -ffree-line-length-none -o "$tmp/cases" "$here/fortran_edit_cases.f90"
"$tmp/cases" >"$here/../data/fortran_edit_cases.txt"
