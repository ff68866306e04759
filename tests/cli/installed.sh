#!/bin/sh
# Installs the build tree into a temporary prefix and runs the installed tool.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
printf 'Force\n1.5\n' >"$prefix/in.csv"
"$prefix/bin/mfreport" -o "$prefix/out.html" "$prefix/in.csv"
grep -q '<td align="right">    1.5</td>' "$prefix/out.html"
echo "installed: $prefix/bin/mfreport"
