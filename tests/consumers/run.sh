#!/usr/bin/env bash
# Builds the consumer program three ways, as outside projects take the
# library: find_package after an install into a temporary prefix, pkg-config,
# and add_subdirectory. None of them may need GoogleTest.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

no_gtest() { # the configured project must not have looked for GoogleTest
    if grep -qi 'gtest' "$1/CMakeCache.txt"; then
        echo "$1: GoogleTest was looked for"
        exit 1
    fi
}

echo "== install into $work/prefix"
cmake -S "$source_dir" -B "$work/lib" -DCMAKE_BUILD_TYPE=Release -DMFREPORT_BUILD_TESTS=OFF \
    -DMFREPORT_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$work/lib" -j2 >/dev/null
cmake --install "$work/lib" --prefix "$work/prefix" >/dev/null

echo "== find_package"
cmake -S "$here/find_package" -B "$work/fp" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/fp" >/dev/null
no_gtest "$work/fp"
"$work/fp/consumer" "$work/fp.html"

echo "== pkg-config"
flags=$(PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig:$work/prefix/lib/$(gcc -print-multiarch 2>/dev/null)/pkgconfig" \
        pkg-config --cflags --libs mfreport)
"${CXX:-c++}" -std=c++17 "$here/consumer.cpp" $flags -o "$work/pc-consumer"
"$work/pc-consumer" "$work/pc.html"

echo "== C: find_package"
cmake -S "$here/find_package_c" -B "$work/fp-c" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/fp-c" >/dev/null
"$work/fp-c/consumer" "$work/fp-c.html"

pc_path="$work/prefix/lib/pkgconfig:$work/prefix/lib/$(gcc -print-multiarch 2>/dev/null)/pkgconfig"
echo "== C: pkg-config"
flags=$(PKG_CONFIG_PATH="$pc_path" pkg-config --cflags --libs mfreport)
"${CC:-cc}" -std=c99 "$here/consumer.c" $flags -o "$work/pc-c-consumer"
"$work/pc-c-consumer" "$work/pc-c.html"

if command -v gfortran >/dev/null; then
    echo "== Fortran: pkg-config"
    flags=$(PKG_CONFIG_PATH="$pc_path" pkg-config --cflags --libs mfreport-fortran)
    gfortran "$here/consumer.f90" $flags -o "$work/pc-fortran-consumer"
    "$work/pc-fortran-consumer" "$work/pc-fortran.html"

    echo "== Fortran: find_package"
    cmake -S "$here/find_package_fortran" -B "$work/fp-fortran" \
        -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
    cmake --build "$work/fp-fortran" >/dev/null
    "$work/fp-fortran/consumer" "$work/fp-fortran.html"
fi

echo "== add_subdirectory"
cmake -S "$here/add_subdirectory" -B "$work/sub" -DMFREPORT_SOURCE_DIR="$source_dir" >/dev/null
cmake --build "$work/sub" -j2 >/dev/null
no_gtest "$work/sub"
if [ -e "$work/sub/mfreport/tests" ] || [ -e "$work/sub/mfreport/examples" ]; then
    echo "add_subdirectory built the tests or examples"
    exit 1
fi
"$work/sub/consumer" "$work/sub.html"
