"""Builds the extension from the library's sources one folder up."""

import os
import re
from glob import glob

from pybind11.setup_helpers import ParallelCompile, Pybind11Extension, build_ext
from setuptools import setup

here = os.path.dirname(os.path.abspath(__file__))
source = os.path.join(os.path.dirname(here), "src")
if not os.path.isdir(source):
    raise SystemExit("the package builds from the library's source tree: "
                     f"{source} is missing")

with open(os.path.join(source, "version.h"), encoding="utf-8") as header:
    parts = dict(re.findall(r"#define MFREPORT_VERSION_(MAJOR|MINOR|PATCH) (\d+)", header.read()))

# The library's headers are included as <mfreport/...>.
include = os.path.join(here, "build", "include")
os.makedirs(include, exist_ok=True)
link = os.path.join(include, "mfreport")
if not os.path.islink(link):
    os.symlink(source, link)

ParallelCompile("MFREPORT_BUILD_JOBS", default=2).install()

library = sorted(os.path.relpath(p, here) for p in glob(os.path.join(source, "*", "*.cpp")))

setup(
    version="{MAJOR}.{MINOR}.{PATCH}".format(**parts),
    ext_modules=[
        # The .xlsx package writes its ZIP through zlib's minizip.
        Pybind11Extension("mfreport._core", ["ext/core.cpp"] + library,
                          include_dirs=[include], libraries=["minizip", "z"], cxx_std=17)
    ],
    cmdclass={"build_ext": build_ext},
)
