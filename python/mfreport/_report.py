"""Reports, tables and columns over the compiled devices."""

from __future__ import annotations

import enum
import os
import re
import sys
from dataclasses import dataclass
from types import TracebackType
from typing import (Any, Callable, Iterable, List, Mapping, NamedTuple, Optional, Sequence,
                    Tuple, Type, Union)

import numpy as np

from . import _core

__all__ = ["Align", "Column", "ColumnType", "Format", "Kind", "Model", "Program", "Report",
           "Table", "WriteError", "set_maker", "version"]


class WriteError(OSError):
    """The report, or a table of it, did not reach the file or the disk."""


class Kind(enum.IntEnum):
    """Output kinds, each with the file name extensions that select it."""

    extensions: Tuple[str, ...]

    def __new__(cls, value: int, *extensions: str) -> "Kind":
        member = int.__new__(cls, value)
        member._value_ = value
        member.extensions = extensions
        return member

    TEXT = 0, ".lis", ".txt"
    HTML = 1, ".html", ".htm", ".xhtml"
    XML_SS = 2
    XML_WP = 3
    TEXT_CSV = 4, ".csv"
    XLSX = 6, ".xlsx"
    DOCX = 7, ".docx"


# The extension a text device appends to the name it is given.
_APPENDED = {Kind.TEXT: ".LIS", Kind.TEXT_CSV: ".csv"}


class ColumnType(enum.IntEnum):
    INTEGER = 0
    REAL = 1
    STRING = 2


class Align(enum.IntEnum):
    LEFT = 0
    CENTER = 1
    RIGHT = 2


class Format(enum.IntEnum):
    FIXED = 0
    SCIENTIFIC = 1
    GENERAL = 2


_TYPE_NAMES = {"int": ColumnType.INTEGER, "integer": ColumnType.INTEGER,
               "real": ColumnType.REAL, "float": ColumnType.REAL,
               "str": ColumnType.STRING, "string": ColumnType.STRING, "text": ColumnType.STRING,
               int: ColumnType.INTEGER, float: ColumnType.REAL, str: ColumnType.STRING}


def _choice(value: Any, enum_type: Type[enum.IntEnum], what: str, column: str) -> int:
    if isinstance(value, enum_type):
        return int(value)
    if isinstance(value, str) and value.upper() in enum_type.__members__:
        return int(enum_type[value.upper()])
    if enum_type is ColumnType and value in _TYPE_NAMES:
        return int(_TYPE_NAMES[value])
    names = ", ".join(m.lower() for m in enum_type.__members__)
    raise ValueError(f"column {column!r}: {what} {value!r} is none of {names}")


_COLOUR = re.compile(r"[0-9A-Fa-f]{6}")


@dataclass(frozen=True)
class Column:
    """One column of a table.

    ``type`` is ``"integer"``, ``"real"`` or ``"string"`` (or ``int``, ``float``,
    ``str``, a :class:`ColumnType`); ``None`` takes it from the data. Values
    are shown in ``unit`` after multiplying by ``factor``; ``width``,
    ``decimals`` and ``format`` (``"fixed"``, ``"scientific"``, ``"general"``)
    set the number field, ``align`` (``"left"``, ``"center"``, ``"right"``)
    the cells' alignment, ``colour`` their background as six hexadecimal
    digits RRGGBB.
    """

    name: str
    description: str = ""
    type: Any = None
    unit: str = ""
    factor: float = 1.0
    width: Optional[int] = None
    decimals: Optional[int] = None
    format: Any = None
    align: Any = None
    colour: Optional[str] = None

    def __post_init__(self) -> None:
        if not isinstance(self.name, str) or not self.name:
            raise ValueError(f"a column needs a name, not {self.name!r}")
        if not isinstance(self.description, str) or not isinstance(self.unit, str):
            raise ValueError(f"column {self.name!r}: description and unit are texts")
        if self.type is not None:
            _choice(self.type, ColumnType, "type", self.name)
        if self.format is not None:
            _choice(self.format, Format, "format", self.name)
        if self.align is not None:
            _choice(self.align, Align, "alignment", self.name)
        for what, number in (("width", self.width), ("decimals", self.decimals)):
            if number is not None and (isinstance(number, bool) or not isinstance(number, int)
                                       or not 0 <= number <= 1024):
                raise ValueError(f"column {self.name!r}: {what} {number!r} is not 0 to 1024")
        try:
            factor = float(self.factor)
        except (TypeError, ValueError):
            raise ValueError(f"column {self.name!r}: factor {self.factor!r} is no number") from None
        if factor != factor or factor in (float("inf"), float("-inf")):
            raise ValueError(f"column {self.name!r}: factor {self.factor!r} is not finite")
        if self.colour is not None and (not isinstance(self.colour, str)
                                        or not _COLOUR.fullmatch(self.colour)):
            raise ValueError(f"column {self.name!r}: colour {self.colour!r} is not RRGGBB")

    def _typed(self, type_: int) -> "Column":
        return Column(self.name, self.description, ColumnType(type_), self.unit, self.factor,
                      self.width, self.decimals, self.format, self.align, self.colour)

    def _add_to(self, table: _core.Table) -> None:
        table.add_column(self.name, self.description,
                         _choice(self.type, ColumnType, "type", self.name), self.unit,
                         float(self.factor), -1 if self.width is None else self.width,
                         -1 if self.decimals is None else self.decimals,
                         -1 if self.format is None else _choice(self.format, Format, "format",
                                                                 self.name),
                         -1 if self.align is None else _choice(self.align, Align, "alignment",
                                                                self.name),
                         self.colour or "")


class Program(NamedTuple):
    """The program that writes the report."""

    name: str
    description: str = ""
    version: str = ""
    date: str = ""


class Model(NamedTuple):
    """The model or data set the report is about."""

    name: str = ""
    description: str = ""
    file: str = ""
    sign: str = ""
    date: str = ""


def _kind_of(path: str, kind: Union[Kind, str, int, None]) -> Kind:
    if kind is None:
        extension = os.path.splitext(path)[1].lower()
        for member in Kind:
            if extension in member.extensions:
                return member
        if extension == ".xml":
            raise ValueError(f"{path}: an .xml file may be a workbook or a document: "
                             "give kind='xml_ss' or kind='xml_wp'")
        raise ValueError(f"cannot tell the kind of report from the name {path}: give kind=")
    if isinstance(kind, str):
        if kind.upper() in Kind.__members__:
            return Kind[kind.upper()]
    elif isinstance(kind, int) and not isinstance(kind, bool) and kind in Kind._value2member_map_:
        return Kind(kind)
    names = ", ".join(m.lower() for m in Kind.__members__)
    raise ValueError(f"no report kind {kind!r}: one of {names}")


def _fields(value: Any, record: Type[Any], what: str) -> List[str]:
    if value is None:
        value = record()
    elif isinstance(value, str):
        value = record(value)
    elif not isinstance(value, record):
        value = record(*value)
    if not all(isinstance(field, str) for field in value):
        raise ValueError(f"the {what}'s fields are texts: {value!r}")
    return list(value)


def _default_program() -> Program:
    script = os.path.basename(sys.argv[0]) if sys.argv and sys.argv[0] else ""
    return Program(os.path.splitext(script)[0] or "python")


class Report:
    """A report file of one kind, written in document order.

    ``kind`` is a :class:`Kind` or its name (``"html"``, ``"xml_ss"``,
    ``"xml_wp"``, ``"text"``, ``"text_csv"``); without it the file name's
    extension decides (``.html .htm .xhtml``, ``.lis .txt``, ``.csv``).
    ``program`` is a :class:`Program` or its name (default: the script's
    name), ``model`` a :class:`Model` or its name. Raises ``OSError`` when
    the file cannot be made and ``ValueError`` for a kind it cannot tell.

    Used as a context manager the report is closed on leaving the block, and
    :class:`WriteError` raised when it did not reach the disk. Content
    operations answer ``False`` where the kind has no such element (the text
    kinds write tables only).
    """

    def __init__(self, path: Union[str, "os.PathLike[str]"],
                 kind: Union[Kind, str, int, None] = None, *,
                 program: Union[Program, str, Sequence[str], None] = None,
                 model: Union[Model, str, Sequence[str], None] = None) -> None:
        path = os.fspath(path)
        if not isinstance(path, str):
            path = os.fsdecode(path)
        self.kind = _kind_of(path, kind)
        appended = _APPENDED.get(self.kind)
        device_path, self.path, self._rename = path, path, False
        if appended is not None:
            if path.endswith(appended):
                device_path = path[:-len(appended)]
            elif os.path.splitext(path)[1].lower() in self.kind.extensions:
                self._rename = True
            else:
                self.path = path + appended
        self._written = device_path + appended if appended is not None else path
        program_fields = _fields(program if program is not None else _default_program(),
                                 Program, "program")
        model_fields = _fields(model, Model, "model")
        self._report = _core.Device(int(self.kind), device_path, program_fields, model_fields)
        self._device = self._report
        self._closed = False
        self._in_contents = False

    # -- context manager

    def __enter__(self) -> "Report":
        return self

    def __exit__(self, kind: Optional[Type[BaseException]], error: Optional[BaseException],
                 trace: Optional[TracebackType]) -> None:
        if error is None:
            self.close()
        else:
            try:
                self.close()
            except WriteError:
                pass

    # -- document content

    @property
    def in_contents(self) -> bool:
        """True while :meth:`write` runs its body for the table of contents."""
        return self._in_contents

    def heading(self, text: str, level: int = 1) -> bool:
        """A numbered heading (levels 1 to 5; other levels stay unnumbered)."""
        return self._device.heading(text, level)

    def paragraph(self, text: str) -> bool:
        return self._device.paragraph(text)

    def bullet_list(self, items: Iterable[str]) -> bool:
        """A plain list, one item per line."""
        return self._device.list(list(items), 1)

    def numbered_list(self, items: Iterable[str]) -> bool:
        """A plain list whose items are numbered 1., 2., ..."""
        return self._device.list([f"{i}. {item}" for i, item in enumerate(items, 1)], 1)

    def pair_list(self, pairs: Iterable[Any]) -> bool:
        """A two-column list of term and explanation: pairs, or a flat list of
        terms and explanations one after the other."""
        items: List[str] = []
        for entry in pairs:
            if isinstance(entry, str):
                items.append(entry)
            else:
                items.extend(entry)
        return self._device.list(items, 2)

    def figure(self, path: Union[str, "os.PathLike[str]"], caption: str = "") -> bool:
        """A figure from an image file (the word-processing kind embeds it)."""
        return self._device.figure(os.fspath(path), caption)

    def page_break(self) -> bool:
        return self._device.page_break()

    def table(self, name: str, title: str, columns: Optional[Sequence[Union[Column, str]]] = None,
              *, level: Optional[int] = None, notes: Sequence[str] = (),
              colour: Optional[str] = None, wrap: Optional[Tuple[int, int]] = None,
              abbreviations: bool = False) -> "Table":
        """A table named ``name`` (its anchor and worksheet) under the heading
        ``title`` at ``level`` (default: one below the last heading).

        ``columns`` are :class:`Column` objects or names; columns without a
        type, or all columns when none are given, take theirs from the first
        data written. ``colour`` is the table's background, ``wrap`` folds
        wide tables (cells per row, blank cells before each continuation
        row), ``abbreviations`` lists the columns' names and descriptions
        above the table.
        """
        if level is None:
            level = min(self._report.last_heading_level() + 1, 5)
        if colour is not None and (not isinstance(colour, str) or not _COLOUR.fullmatch(colour)):
            raise ValueError(f"table {name!r}: colour {colour!r} is not RRGGBB")
        if wrap is not None and (len(wrap) != 2 or int(wrap[0]) < 1 or int(wrap[1]) < 0):
            raise ValueError(f"table {name!r}: wrap {wrap!r} is not (cells >= 1, indent >= 0)")
        declared = None
        if columns is not None:
            declared = [c if isinstance(c, Column) else Column(c) for c in columns]
            if not declared:
                raise ValueError(f"table {name!r} has no columns")
        native = self._device.add_table(name, title, level, list(notes))
        return Table(self, native, name, title, level, declared, colour, wrap, abbreviations)

    # -- the two-pass table of contents

    def write(self, body: Callable[["Report"], Any], *, contents: bool = False) -> None:
        """Runs ``body(report)``; with ``contents=True`` first once more for
        the table of contents, whose linked lines stand where this call is.

        In the contents pass headings become contents lines, tables only
        count their headings and take no data, and everything else is left
        out; :attr:`in_contents` tells ``body`` which pass runs. The body
        must make the same headings and tables in both passes.
        """
        if contents:
            self._report.begin_toc()
            self._device = self._report.contents()
            self._in_contents = True
            try:
                body(self)
            finally:
                self._device.release()
                self._device = self._report
                self._in_contents = False
            self._report.end_toc()
        body(self)

    # -- ending

    def flush(self) -> bool:
        """Writes what is buffered, for a program that computes long between
        records."""
        return self._device.flush()

    def close(self) -> None:
        """Ends the report and puts it on stable storage; raises
        :class:`WriteError` when any byte did not reach the disk. A second
        call does nothing."""
        if self._closed:
            return
        self._closed = True
        ok = self._report.close()
        if self._rename and os.path.exists(self._written):
            os.replace(self._written, self.path)
        if not ok:
            raise WriteError(f"{self.path}: the report did not reach the disk")


class Table:
    """A table of a report, made by :meth:`Report.table`; a context manager
    that ends the table on leaving the block. Rows go in with :meth:`row`,
    :meth:`rows` and :meth:`write`; a record the report did not take raises
    :class:`WriteError`."""

    def __init__(self, report: Report, native: Optional[_core.Table], name: str, title: str,
                 level: int, columns: Optional[List[Column]], colour: Optional[str],
                 wrap: Optional[Tuple[int, int]], abbreviations: bool) -> None:
        self._report = report
        self._native = native
        self.name = name
        self.title = title
        self.level = level
        self._columns = columns
        self._colour = colour
        self._wrap = wrap
        self._abbreviations = abbreviations
        self._begun = False
        self._ended = False
        self.records = 0
        if native is None:
            # Contents pass: the table's heading still counts.
            report._device.heading(title, level)

    @property
    def columns(self) -> Optional[List[Column]]:
        return None if self._columns is None else list(self._columns)

    def __enter__(self) -> "Table":
        return self

    def __exit__(self, kind: Optional[Type[BaseException]], error: Optional[BaseException],
                 trace: Optional[TracebackType]) -> None:
        if error is None:
            self.end()
        elif self._native is not None and not self._ended:
            self._ended = True
            self._native.end()

    def _begin(self, names: Optional[Sequence[str]], types: Sequence[int]) -> None:
        assert self._native is not None
        if self._columns is None:
            if names is None:
                names = [f"C{i}" for i in range(1, len(types) + 1)]
            self._columns = [Column(str(n)) for n in names]
        if len(types) != len(self._columns):
            raise ValueError(f"table {self.name!r}: {len(types)} values for "
                             f"{len(self._columns)} columns")
        self._columns = [c if c.type is not None else c._typed(t)
                         for c, t in zip(self._columns, types)]
        for column in self._columns:
            column._add_to(self._native)
        if self._colour is not None:
            self._native.set_colour(self._colour)
        if self._wrap is not None:
            self._native.set_wrapping(int(self._wrap[0]), int(self._wrap[1]))
        if self._abbreviations:
            self._native.print_abbreviations()
        self._begun = True
        if not self._native.begin():
            raise WriteError(f"{self._report.path}: table {self.name!r} could not begin: the "
                             "file could not be written, or a column is one this kind cannot "
                             "lay out")

    def _check_open(self) -> bool:
        if self._ended:
            raise ValueError(f"table {self.name!r} has ended")
        return self._native is not None

    def row(self, *values: Any) -> None:
        """One record: a value per column in column order (fewer leave the
        last cells blank); ``None`` and NaN are blank cells, a
        :class:`Link` links its value to an anchor."""
        if not self._check_open():
            return
        if not self._begun:
            self._begin(None, [_type_of_value(v) for v in values])
        assert self._native is not None
        if not self._native.row(values):
            raise WriteError(f"{self._report.path}: a record of table {self.name!r} "
                             "was not written")
        self.records += 1

    def rows(self, rows: Iterable[Sequence[Any]]) -> None:
        """One record per item of ``rows``, each a sequence as for :meth:`row`."""
        if not self._check_open():
            return
        for values in rows:
            self.row(*values)

    def write(self, data: Any) -> None:
        """Records from whole columns, written in compiled code: a 2-D array
        (one column per array column), a 1-D array for a table of one
        column, a structured array, a mapping of column names to 1-D
        arrays, or a data frame (anything with ``columns`` and ``iloc``).
        Declared columns take the data's columns of their names from a
        mapping or a frame. Missing values (NaN, None, pandas' NA and NaT)
        are blank cells.
        """
        if not self._check_open():
            return
        names, arrays, masks = _columns_of(data, self._columns)
        if not self._begun:
            self._begin(names, [_type_of_array(a) for a in arrays])
        elif len(arrays) != len(self._columns or ()):
            raise ValueError(f"table {self.name!r}: {len(arrays)} data columns for "
                             f"{len(self._columns or ())} columns")
        assert self._native is not None
        written, ok = self._native.write_columns(arrays, masks)
        self.records += written
        if not ok:
            raise WriteError(f"{self._report.path}: table {self.name!r} stopped after "
                             f"{written} of {len(arrays[0]) if arrays else 0} records")

    def end(self) -> None:
        """Ends the table (a table without records shows its head, or, in
        the workbook, nothing); later calls do nothing."""
        if self._ended:
            return
        self._ended = True
        if self._native is None:
            return
        if not self._begun:
            self._begin(None, [ColumnType.STRING] * len(self._columns or ()))
        if not self._native.end():
            raise WriteError(f"{self._report.path}: table {self.name!r} could not end")


def _type_of_value(value: Any) -> int:
    if isinstance(value, _core.Link):
        value = value.value
    if isinstance(value, (bool, np.bool_)):
        return ColumnType.STRING
    if isinstance(value, (int, np.integer)):
        return ColumnType.INTEGER
    if isinstance(value, (float, np.floating)):
        return ColumnType.REAL
    return ColumnType.STRING


def _type_of_array(values: np.ndarray) -> int:
    kind = values.dtype.kind
    if kind in "iu":
        return ColumnType.INTEGER
    if kind == "f":
        return ColumnType.REAL
    return ColumnType.STRING


def _plain(values: Any) -> Tuple[np.ndarray, Optional[np.ndarray]]:
    """A 1-D array the compiled writer reads, and a mask of missing cells."""
    mask = None
    dtype = getattr(values, "dtype", None)
    if dtype is not None and not isinstance(dtype, np.dtype):
        # A pandas extension dtype (Int64, Float64, boolean, string, ...).
        missing = np.asarray(values.isna(), dtype=bool)
        numpy_dtype = getattr(dtype, "numpy_dtype", None)
        if numpy_dtype is not None and numpy_dtype.kind in "biuf":
            array = values.to_numpy(dtype=numpy_dtype, na_value=numpy_dtype.type(0))
        else:
            array = values.to_numpy(dtype=object)
        return array, (missing if missing.any() else None)
    array = np.asarray(values.to_numpy() if hasattr(values, "to_numpy") else values)
    if array.ndim != 1:
        raise ValueError(f"a data column must be 1-D, not of shape {array.shape}")
    kind = array.dtype.kind
    if kind == "f" and array.dtype.itemsize not in (4, 8):
        array = array.astype(np.float64)
    elif kind in "mMcV":
        missing = np.isnat(array) if kind in "mM" else None
        if kind == "M":
            # Dates alone where every time is midnight; NaT would force the full time.
            shown = np.datetime_as_string(array[~missing], unit="auto")
            array = np.zeros(array.shape, dtype=shown.dtype)
            array[~missing] = shown
        else:
            array = array.astype(str)
        if missing is not None and missing.any():
            mask = missing
    elif kind == "O" and hasattr(values, "isna"):
        missing = np.asarray(values.isna(), dtype=bool)
        if missing.any():
            mask = missing
    return array, mask


def _columns_of(data: Any, declared: Optional[List[Column]]
                ) -> Tuple[Optional[List[str]], List[np.ndarray], List[Optional[np.ndarray]]]:
    if hasattr(data, "columns") and hasattr(data, "iloc"):
        names = [str(c) for c in data.columns]
        positions = {n: i for i, n in reversed(list(enumerate(names)))}
        picked = _pick(names, positions, declared)
        series = [data.iloc[:, positions[n]] for n in picked]
    elif isinstance(data, Mapping):
        names = [str(k) for k in data]
        keyed = {str(k): v for k, v in data.items()}
        picked = _pick(names, keyed, declared)
        series = [keyed[n] for n in picked]
    else:
        array = np.asarray(data)
        if array.dtype.names:
            names = list(array.dtype.names)
            picked = _pick(names, dict.fromkeys(names), declared)
            series = [array[n] for n in picked]
        elif array.ndim == 1:
            picked, series = None, [array]
        elif array.ndim == 2:
            picked, series = None, [array[:, j] for j in range(array.shape[1])]
        else:
            raise ValueError(f"table data of shape {array.shape}: give 1-D or 2-D arrays")
    arrays: List[np.ndarray] = []
    masks: List[Optional[np.ndarray]] = []
    for values in series:
        array, mask = _plain(values)
        arrays.append(array)
        masks.append(mask)
    if len({len(a) for a in arrays}) > 1:
        raise ValueError("data columns of different lengths")
    return picked, arrays, masks


def _pick(names: List[str], present: Mapping[str, Any], declared: Optional[List[Column]]
          ) -> List[str]:
    if declared is None:
        return names
    missing = [c.name for c in declared if c.name not in present]
    if missing:
        raise ValueError(f"no data for the column(s) {', '.join(missing)}")
    return [c.name for c in declared]


def set_maker(name: str, suite: str) -> bool:
    """Sets the maker's name and suite word that later reports show (the
    listing's program heading and banner, the document's footer); ``False``
    for an empty text."""
    return _core.set_maker(name, suite)


def version() -> str:
    """The library's version."""
    return _core.version()
