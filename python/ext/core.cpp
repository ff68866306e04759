// The compiled half of the Python package: devices, contents passes and tables
// over the class interface, and the column-wise record writer that streams
// numpy arrays without a Python object per cell.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "mfreport/mfreport.h"

namespace py = pybind11;

namespace {

// A cell value that links to an anchor of the same document.
struct Link {
    py::object value;
    std::string anchor;
};

// A device of the library, or a contents pass over one.
class Device {
public:
    explicit Device(std::unique_ptr<mfDevice> device) : device_(std::move(device)) {}

    mfDevice* get() const {
        if (!device_) {
            throw py::value_error("the report is closed");
        }
        return device_.get();
    }
    // Deletes the device: a contents pass gives the heading numbers back.
    void release() { device_.reset(); }

private:
    std::unique_ptr<mfDevice> device_;
};

std::unique_ptr<Device> openDevice(int kind, const std::string& path,
                                   const std::vector<std::string>& program,
                                   const std::vector<std::string>& model) {
    if (program.size() != 4 || model.size() != 5) {
        throw py::value_error("a program has 4 fields and a model 5");
    }
    const mfReportClient client(program[0], program[1], program[2], program[3]);
    const mfReportHeader header(model[0], model[1], model[2], model[3], model[4]);
    std::unique_ptr<mfDevice> device;
    try {
        device.reset(
            mfDevice::createDevice(client, path, static_cast<mfDevice::ReportType>(kind), header));
    } catch (const std::runtime_error& e) {
        PyErr_SetString(PyExc_OSError, e.what());
        throw py::error_already_set();
    }
    if (!device) {
        throw py::value_error("no device of kind " + std::to_string(kind));
    }
    return std::make_unique<Device>(std::move(device));
}

// Where the values of one column come from.
enum class Source { Float, Int, UInt, Bool, Unicode, Bytes, Object };

struct ColumnSource {
    const char* data = nullptr;
    py::ssize_t stride = 0;
    py::ssize_t itemsize = 0;
    Source source = Source::Float;
    const bool* missing = nullptr; // true where the cell stays blank
    py::ssize_t missing_stride = 0;
    mfTableColumn::col_type type = mfTableColumn::REAL;
};

constexpr bool fitsInt(long long value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

// UTF-8 of the UCS-4 text of a numpy "U" cell, trailing NULs dropped.
void appendUtf8(std::string& out, const char* cell, py::ssize_t itemsize) {
    py::ssize_t count = itemsize / 4;
    auto codeAt = [cell](py::ssize_t i) {
        std::uint32_t code;
        std::memcpy(&code, cell + 4 * i, 4);
        return code;
    };
    while (count > 0 && codeAt(count - 1) == 0) {
        --count;
    }
    for (py::ssize_t i = 0; i < count; ++i) {
        std::uint32_t c = codeAt(i);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

// Writes one cell in the column's type. `text` is scratch space reused from
// cell to cell, so that a text cell allocates only when it outgrows it.
class CellWriter {
public:
    explicit CellWriter(mfTable& table) : table_(table) {}

    bool real(int column, mfTableColumn::col_type type, double value) {
        if (std::isnan(value)) {
            return true;
        }
        if (type == mfTableColumn::INTEGER && value == std::trunc(value) &&
            std::fabs(value) <= 2147483647.0) {
            return table_.insertValue(column, static_cast<int>(value));
        }
        if (type == mfTableColumn::STRING) {
            char digits[32];
            const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
            return text(column, digits, static_cast<size_t>(end - digits));
        }
        return table_.insertValue(column, value);
    }

    bool integer(int column, mfTableColumn::col_type type, long long value) {
        if (type == mfTableColumn::REAL) {
            return table_.insertValue(column, static_cast<double>(value));
        }
        if (type == mfTableColumn::STRING) {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
            return text(column, digits, static_cast<size_t>(end - digits));
        }
        if (fitsInt(value)) {
            return table_.insertValue(column, static_cast<int>(value));
        }
        return table_.insertValue(column, value);
    }

    bool unsignedInteger(int column, mfTableColumn::col_type type, unsigned long long value) {
        if (value <= static_cast<unsigned long long>(std::numeric_limits<long long>::max())) {
            return integer(column, type, static_cast<long long>(value));
        }
        if (type == mfTableColumn::REAL) {
            return table_.insertValue(column, static_cast<double>(value));
        }
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return text(column, digits, static_cast<size_t>(end - digits));
    }

    bool boolean(int column, mfTableColumn::col_type type, bool value) {
        if (type == mfTableColumn::STRING) {
            return value ? text(column, "True", 4) : text(column, "False", 5);
        }
        return integer(column, type, value ? 1 : 0);
    }

    bool text(int column, const char* bytes, size_t size) {
        text_.assign(bytes, size);
        return table_.insertValue(column, text_);
    }

    bool unicode(int column, const char* cell, py::ssize_t itemsize) {
        text_.clear();
        appendUtf8(text_, cell, itemsize);
        return table_.insertValue(column, text_);
    }

    bool bytes(int column, const char* cell, py::ssize_t itemsize) {
        size_t size = static_cast<size_t>(itemsize);
        while (size > 0 && cell[size - 1] == '\0') {
            --size;
        }
        return text(column, cell, size);
    }

    // A Python object: None is a blank cell; the GIL must be held.
    bool object(int column, mfTableColumn::col_type type, PyObject* value) {
        if (value == Py_None) {
            return true;
        }
        if (PyBool_Check(value)) {
            return boolean(column, type, value == Py_True);
        }
        if (PyFloat_Check(value)) {
            return real(column, type, PyFloat_AS_DOUBLE(value));
        }
        if (PyLong_Check(value)) {
            int overflow = 0;
            const long long number = PyLong_AsLongLongAndOverflow(value, &overflow);
            if (overflow == 0 && !(number == -1 && PyErr_Occurred())) {
                return integer(column, type, number);
            }
            PyErr_Clear();
            return wide(column, type, value);
        }
        if (PyUnicode_Check(value)) {
            Py_ssize_t size = 0;
            if (const char* utf8 = PyUnicode_AsUTF8AndSize(value, &size)) {
                return text(column, utf8, static_cast<size_t>(size));
            }
            PyErr_Clear();
            const py::bytes encoded = py::reinterpret_steal<py::object>(
                PyUnicode_AsEncodedString(value, "utf-8", "replace"));
            const std::string_view view(encoded);
            return text(column, view.data(), view.size());
        }
        if (PyBytes_Check(value)) {
            return text(column, PyBytes_AS_STRING(value),
                        static_cast<size_t>(PyBytes_GET_SIZE(value)));
        }
        if (py::isinstance<Link>(value)) {
            const Link& link = py::cast<const Link&>(value);
            return object(column, type, link.value.ptr());
        }
        if (PyIndex_Check(value)) {
            const py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(value));
            if (number) {
                return object(column, type, number.ptr());
            }
            PyErr_Clear();
        }
        if (type != mfTableColumn::STRING && PyNumber_Check(value)) {
            const double number = PyFloat_AsDouble(value);
            if (!(number == -1.0 && PyErr_Occurred())) {
                return real(column, type, number);
            }
            PyErr_Clear();
        }
        return shown(column, value);
    }

    // An integer beyond 64 bits: its digits in a text column, else a double.
    bool wide(int column, mfTableColumn::col_type type, PyObject* value) {
        if (type != mfTableColumn::STRING) {
            const double number = PyLong_AsDouble(value);
            if (!(number == -1.0 && PyErr_Occurred())) {
                return table_.insertValue(column, number);
            }
            PyErr_Clear();
        }
        return shown(column, value);
    }

    bool shown(int column, PyObject* value) {
        const std::string text = py::str(value);
        return table_.insertValue(column, text);
    }

    bool cell(int column, const ColumnSource& c, py::ssize_t row) {
        if (c.missing != nullptr &&
            *reinterpret_cast<const bool*>(reinterpret_cast<const char*>(c.missing) +
                                           row * c.missing_stride)) {
            return true;
        }
        const char* p = c.data + row * c.stride;
        switch (c.source) {
        case Source::Float:
            return real(column, c.type, c.itemsize == 8 ? load<double>(p) : load<float>(p));
        case Source::Int:
            return integer(column, c.type, loadSigned(p, c.itemsize));
        case Source::UInt:
            return unsignedInteger(column, c.type, loadUnsigned(p, c.itemsize));
        case Source::Bool:
            return boolean(column, c.type, *p != 0);
        case Source::Unicode:
            return unicode(column, p, c.itemsize);
        case Source::Bytes:
            return bytes(column, p, c.itemsize);
        case Source::Object:
            return object(column, c.type, *reinterpret_cast<PyObject* const*>(p));
        }
        return false;
    }

private:
    template <typename T>
    static T load(const char* p) {
        T value;
        std::memcpy(&value, p, sizeof value);
        return value;
    }

    static long long loadSigned(const char* p, py::ssize_t size) {
        switch (size) {
        case 1:
            return load<std::int8_t>(p);
        case 2:
            return load<std::int16_t>(p);
        case 4:
            return load<std::int32_t>(p);
        default:
            return load<std::int64_t>(p);
        }
    }

    static unsigned long long loadUnsigned(const char* p, py::ssize_t size) {
        switch (size) {
        case 1:
            return load<std::uint8_t>(p);
        case 2:
            return load<std::uint16_t>(p);
        case 4:
            return load<std::uint32_t>(p);
        default:
            return load<std::uint64_t>(p);
        }
    }

    mfTable& table_;
    std::string text_;
};

Source sourceOf(const py::array& values) {
    const char kind = values.dtype().kind();
    const py::ssize_t size = values.itemsize();
    switch (kind) {
    case 'f':
        if (size == 4 || size == 8) {
            return Source::Float;
        }
        break;
    case 'i':
    case 'u':
        if (size == 1 || size == 2 || size == 4 || size == 8) {
            return kind == 'i' ? Source::Int : Source::UInt;
        }
        break;
    case 'b':
        return Source::Bool;
    case 'U':
        return Source::Unicode;
    case 'S':
        return Source::Bytes;
    case 'O':
        return Source::Object;
    default:
        break;
    }
    throw py::value_error(std::string("values of dtype ") + std::string(py::str(values.dtype())) +
                          " cannot be written");
}

// A table of a device; answers false once its device is gone.
class Table {
public:
    explicit Table(std::unique_ptr<mfTable> table) : table_(std::move(table)) {}

    mfTable& get() const {
        if (!table_) {
            throw py::value_error("the table is finished");
        }
        return *table_;
    }

    int addColumn(const std::string& name, const std::string& description, int type,
                  const std::string& unit, double factor, int width, int decimals, int format,
                  int align, const std::string& colour) {
        if (type < mfTableColumn::INTEGER || type > mfTableColumn::STRING) {
            throw py::value_error("column " + name + ": no type " + std::to_string(type));
        }
        mfTableColumn column(name, description, static_cast<mfTableColumn::col_type>(type));
        if (!unit.empty() || factor != 1.0) {
            column.setUnits(unit, factor);
        }
        if (width >= 0 || decimals >= 0 || format >= 0) {
            column.setWidth(width >= 0 ? static_cast<size_t>(width) : column.width(),
                            decimals >= 0 ? static_cast<size_t>(decimals) : column.decimals(),
                            format >= 0 ? static_cast<mfTableColumn::fmt_type>(format)
                                        : column.format_type());
        }
        if (align >= 0) {
            column.setAdjust(static_cast<mfTableColumn::adj_type>(align));
        }
        if (!colour.empty()) {
            column.setBackgroundColor(colour);
        }
        return get().addColumn(column);
    }

    // One record from a sequence of Python values; None leaves a cell blank.
    bool row(const py::sequence& values) {
        mfTable& table = get();
        const size_t count = static_cast<size_t>(py::len(values));
        if (count > table.column_size()) {
            throw py::value_error("a record of " + std::to_string(count) + " values for " +
                                  std::to_string(table.column_size()) + " columns");
        }
        CellWriter writer(table);
        bool ok = table.begin_record();
        for (size_t i = 0; i < count && ok; ++i) {
            const py::object value = values[i];
            const int column = static_cast<int>(i);
            const auto type = table.column_at(i)->type();
            if (py::isinstance<Link>(value)) {
                const Link& link = value.cast<const Link&>();
                ok = insertLinked(table, column, type, link);
            } else {
                ok = writer.object(column, type, value.ptr());
            }
        }
        if (PyErr_Occurred()) {
            throw py::error_already_set();
        }
        return ok && table.end_record();
    }

    // Records from whole columns: each array is 1-D of the same length; a
    // mask, where given, marks the cells left blank. Answers the number of
    // records written and whether every call succeeded.
    std::pair<py::ssize_t, bool> writeColumns(const std::vector<py::array>& columns,
                                              const std::vector<std::optional<py::array>>& masks) {
        mfTable& table = get();
        if (columns.size() != table.column_size()) {
            throw py::value_error(std::to_string(columns.size()) + " arrays for " +
                                  std::to_string(table.column_size()) + " columns");
        }
        if (masks.size() != columns.size()) {
            throw py::value_error("one mask or None per column");
        }
        std::vector<ColumnSource> sources(columns.size());
        py::ssize_t rows = -1;
        bool objects = false;
        for (size_t j = 0; j < columns.size(); ++j) {
            const py::array& values = columns[j];
            if (values.ndim() != 1) {
                throw py::value_error("column arrays must be 1-D");
            }
            if (rows >= 0 && values.shape(0) != rows) {
                throw py::value_error("column arrays of different lengths");
            }
            rows = values.shape(0);
            ColumnSource& c = sources[j];
            c.data = static_cast<const char*>(values.data());
            c.stride = values.strides(0);
            c.itemsize = values.itemsize();
            c.source = sourceOf(values);
            c.type = table.column_at(j)->type();
            objects = objects || c.source == Source::Object;
            if (masks[j]) {
                const py::array& mask = *masks[j];
                if (mask.ndim() != 1 || mask.shape(0) != rows || mask.dtype().kind() != 'b') {
                    throw py::value_error("a mask is a 1-D bool array as long as its column");
                }
                c.missing = static_cast<const bool*>(mask.data());
                c.missing_stride = mask.strides(0);
            }
        }
        if (rows < 0) {
            return {0, true};
        }
        std::pair<py::ssize_t, bool> result;
        if (objects) {
            result = stream(table, sources, rows);
            if (PyErr_Occurred()) {
                throw py::error_already_set();
            }
        } else {
            py::gil_scoped_release unlocked;
            result = stream(table, sources, rows);
        }
        return result;
    }

    void release() { table_.reset(); }

private:
    static bool insertLinked(mfTable& table, int column, mfTableColumn::col_type type,
                             const Link& link) {
        PyObject* value = link.value.ptr();
        const std::string* anchor = &link.anchor;
        if (value == Py_None) {
            return true;
        }
        if (type == mfTableColumn::INTEGER && PyLong_Check(value) && !PyBool_Check(value)) {
            const long long number = PyLong_AsLongLong(value);
            if (!PyErr_Occurred() && fitsInt(number)) {
                return table.insertValue(column, static_cast<int>(number), anchor);
            }
            PyErr_Clear();
        }
        if (type == mfTableColumn::REAL && (PyFloat_Check(value) || PyLong_Check(value))) {
            const double number = PyFloat_AsDouble(value);
            if (!PyErr_Occurred()) {
                return table.insertValue(column, number, anchor);
            }
            PyErr_Clear();
        }
        return table.insertValue(column, std::string(py::str(link.value)), anchor);
    }

    static std::pair<py::ssize_t, bool>
    stream(mfTable& table, const std::vector<ColumnSource>& sources, py::ssize_t rows) {
        CellWriter writer(table);
        const int count = static_cast<int>(sources.size());
        for (py::ssize_t r = 0; r < rows; ++r) {
            bool ok = table.begin_record();
            for (int j = 0; j < count && ok; ++j) {
                ok = writer.cell(j, sources[static_cast<size_t>(j)], r);
            }
            if (!ok || !table.end_record()) {
                return {r, false};
            }
        }
        return {rows, true};
    }

    std::unique_ptr<mfTable> table_;
};

} // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "Devices and tables of the mfreport library.";

    py::class_<Link>(m, "Link", "A cell value shown as a link to an anchor of the document.")
        .def(py::init([](py::object value, std::string anchor) {
                 return Link{std::move(value), std::move(anchor)};
             }),
             py::arg("value"), py::arg("anchor"))
        .def_readonly("value", &Link::value)
        .def_readonly("anchor", &Link::anchor)
        .def("__repr__", [](const Link& link) {
            return "Link(" + std::string(py::repr(link.value)) + ", " +
                   std::string(py::repr(py::str(link.anchor))) + ")";
        });

    py::class_<Table>(m, "Table")
        .def("add_column", &Table::addColumn)
        .def("set_colour", [](Table& t, const std::string& c) { t.get().setBackgroundColor(c); })
        .def("set_wrapping",
             [](Table& t, int width, int indent) { t.get().setWrapping(width, indent); })
        .def("print_abbreviations", [](Table& t) { t.get().printAbbreviations(); })
        .def("begin", [](Table& t) { return t.get().begin_table(); })
        .def("row", &Table::row)
        .def("write_columns", &Table::writeColumns)
        .def("end", [](Table& t) { return t.get().end_table(); })
        .def("release", &Table::release);

    py::class_<Device>(m, "Device")
        .def(py::init(&openDevice), py::arg("kind"), py::arg("path"), py::arg("program"),
             py::arg("model"))
        .def("heading", [](Device& d, const std::string& text,
                           int level) { return d.get()->addHeading(text, level); })
        .def("paragraph",
             [](Device& d, const std::string& text) { return d.get()->addParagraph(text); })
        .def("list", [](Device& d, const std::vector<std::string>& items,
                        int style) { return d.get()->addList(items, style); })
        .def("figure", [](Device& d, const std::string& file,
                          const std::string& caption) { return d.get()->addFigure(file, caption); })
        .def("page_break", [](Device& d) { return d.get()->addPageBreak(); })
        .def("begin_toc", [](Device& d) { return d.get()->beginTOC(); })
        .def("end_toc", [](Device& d) { return d.get()->endTOC(); })
        .def("kind", [](Device& d) { return static_cast<int>(d.get()->report_type()); })
        .def("last_heading_level", [](Device& d) { return d.get()->last_heading_level(); })
        .def("flush", [](Device& d) { return d.get()->flush(); })
        .def("close",
             [](Device& d) {
                 mfDevice* device = d.get();
                 py::gil_scoped_release unlocked;
                 return device->close();
             })
        .def("contents",
             [](Device& d) {
                 return std::make_unique<Device>(std::make_unique<mfTOCDevice>(d.get()));
             })
        .def("add_table",
             [](Device& d, const std::string& name, const std::string& description, int level,
                const std::vector<std::string>& notes) -> std::unique_ptr<Table> {
                 mfTableHeader header(name, description, level);
                 for (const std::string& note : notes) {
                     header.addNote(note);
                 }
                 std::unique_ptr<mfTable> table(d.get()->addTable(header));
                 if (!table) {
                     return nullptr;
                 }
                 return std::make_unique<Table>(std::move(table));
             })
        .def("release", &Device::release);

    m.def("set_maker", &mfreport::setMaker, py::arg("name"), py::arg("suite"));
    m.def("version", [] { return std::string(MFREPORT_VERSION_STRING); });
}
