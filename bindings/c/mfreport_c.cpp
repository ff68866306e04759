// The C interface: each function checks its handles, calls the class
// interface and turns every exception and every false answer into 0 or NULL
// with a message for mf_last_error().
#include "mfreport/mfreport_c.h"

#include <exception>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "mfreport/mfreport.h"
#include "mfreport/platform/maker.h"

struct mf_client {
    mfReportClient value;
};
struct mf_model {
    mfReportHeader value;
};
struct mf_header {
    mfTableHeader value;
};
struct mf_column {
    mfTableColumn value;
};
struct mf_device {
    std::unique_ptr<mfDevice> value;
};
struct mf_table {
    std::unique_ptr<mfTable> value;
    std::string cell; ///< a text cell on its way, kept so that cells reuse its room
    std::string link; ///< likewise the name of a cell's link
};

namespace {

std::string& lastError() {
    thread_local std::string text;
    return text;
}

void fail(const char* function, const char* why) {
    try {
        lastError() = std::string(function) + ": " + why;
    } catch (...) {
        lastError().clear(); // no memory for the message
    }
}

std::string text(const char* value) {
    return value != nullptr ? std::string(value) : std::string();
}

/// Runs `body` and answers what it answers, or `failed` when it throws.
template <class Body, class Result = decltype(std::declval<Body>()())>
Result guarded(const char* function, Result failed, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        fail(function, "out of memory");
    } catch (const std::exception& e) {
        try {
            lastError() = e.what();
        } catch (...) {
            lastError().clear();
        }
    } catch (...) {
        fail(function, "unexpected failure");
    }
    return failed;
}

/// 1 for true; for false 0, with a message naming the function.
int answer(const char* function, bool written) {
    if (!written) {
        fail(function, "not written (the kind has no such element, the call is out of order, "
                       "or a write to the file has failed)");
    }
    return written ? 1 : 0;
}

template <class Handle>
bool present(const char* function, const Handle* handle) {
    if (handle == nullptr || handle->value == nullptr) {
        fail(function, "no such handle (NULL)");
        return false;
    }
    return true;
}

template <class Record>
bool presentRecord(const char* function, const Record* record) {
    if (record == nullptr) {
        fail(function, "no such handle (NULL)");
        return false;
    }
    return true;
}

bool validKind(int kind) {
    return (kind >= MF_TEXT && kind <= MF_TEXT_CSV) || kind == MF_XLSX || kind == MF_DOCX;
}

} // namespace

// The functions have C linkage from their declarations in the header.

const char* mf_last_error(void) {
    return lastError().c_str();
}

const char* mf_version(void) {
    return MFREPORT_VERSION_STRING;
}

int mf_set_maker(const char* name, const char* suite) {
    return guarded("mf_set_maker", 0, [&] {
        const mfreport::Maker& now = mfreport::maker();
        const std::string newName = name != nullptr ? std::string(name) : now.name;
        const std::string newSuite = suite != nullptr ? std::string(suite) : now.suite;
        if (!mfreport::setMaker(newName, newSuite)) {
            fail("mf_set_maker", "the maker's name and the suite word may not be empty");
            return 0;
        }
        return 1;
    });
}

mf_client* mf_client_create(const char* name, const char* description, const char* version,
                            const char* version_date) {
    return guarded("mf_client_create", static_cast<mf_client*>(nullptr), [&] {
        const mfReportClient none;
        const auto given = [](const char* value, const std::string& otherwise) {
            return value != nullptr ? std::string(value) : otherwise;
        };
        return new mf_client{mfReportClient(
            given(name, none.name()), given(description, none.description()),
            given(version, none.version()), given(version_date, none.version_date()))};
    });
}

void mf_client_free(mf_client* client) {
    delete client;
}

mf_model* mf_model_create(const char* name, const char* description, const char* file_name,
                          const char* sign, const char* date) {
    return guarded("mf_model_create", static_cast<mf_model*>(nullptr), [&] {
        return new mf_model{
            mfReportHeader(text(name), text(description), text(file_name), text(sign), text(date))};
    });
}

void mf_model_free(mf_model* model) {
    delete model;
}

mf_header* mf_header_create(const char* name, const char* description, int heading_level) {
    return guarded("mf_header_create", static_cast<mf_header*>(nullptr), [&] {
        return new mf_header{mfTableHeader(text(name), text(description), heading_level)};
    });
}

int mf_header_add_note(mf_header* header, const char* note) {
    return guarded("mf_header_add_note", 0, [&] {
        if (!presentRecord("mf_header_add_note", header)) {
            return 0;
        }
        header->value.addNote(text(note));
        return 1;
    });
}

int mf_header_set_description(mf_header* header, const char* description) {
    return guarded("mf_header_set_description", 0, [&] {
        if (!presentRecord("mf_header_set_description", header)) {
            return 0;
        }
        header->value.setDescription(text(description));
        return 1;
    });
}

void mf_header_free(mf_header* header) {
    delete header;
}

namespace {

bool validType(const char* function, int type) {
    if (type < MF_INTEGER || type > MF_STRING) {
        fail(function, "the type is none of MF_INTEGER, MF_REAL, MF_STRING");
        return false;
    }
    return true;
}

/// Runs `change` on the column when it is there.
template <class Change>
int changeColumn(const char* function, mf_column* column, Change&& change) {
    return guarded(function, 0, [&] {
        if (!presentRecord(function, column)) {
            return 0;
        }
        return change(column->value) ? 1 : 0;
    });
}

} // namespace

mf_column* mf_column_create(const char* name, const char* description, int type) {
    return guarded("mf_column_create", static_cast<mf_column*>(nullptr), [&]() -> mf_column* {
        if (!validType("mf_column_create", type)) {
            return nullptr;
        }
        return new mf_column{mfTableColumn(text(name), text(description),
                                           static_cast<mfTableColumn::col_type>(type))};
    });
}

mf_column* mf_column_create_like(const char* name, const char* description,
                                 const mf_column* model) {
    return guarded("mf_column_create_like", static_cast<mf_column*>(nullptr), [&]() -> mf_column* {
        if (!presentRecord("mf_column_create_like", model)) {
            return nullptr;
        }
        return new mf_column{mfTableColumn(text(name), text(description), model->value)};
    });
}

int mf_column_set_units(mf_column* column, const char* unit, double factor) {
    return changeColumn("mf_column_set_units", column, [&](mfTableColumn& c) {
        c.setUnits(text(unit), factor);
        return true;
    });
}

int mf_column_set_width(mf_column* column, int width, int decimals, int format) {
    return changeColumn("mf_column_set_width", column, [&](mfTableColumn& c) {
        if (format < MF_FIXED || format > MF_GENERAL) {
            fail("mf_column_set_width",
                 "the format is none of MF_FIXED, MF_SCIENTIFIC, MF_GENERAL");
            return false;
        }
        // Stored as 32 bits, as the class interface stores a size_t.
        c.setWidth(static_cast<size_t>(static_cast<int64_t>(width)),
                   static_cast<size_t>(static_cast<int64_t>(decimals)),
                   static_cast<mfTableColumn::fmt_type>(format));
        return true;
    });
}

int mf_column_set_type(mf_column* column, int type) {
    return changeColumn("mf_column_set_type", column, [&](mfTableColumn& c) {
        if (!validType("mf_column_set_type", type)) {
            return false;
        }
        c.setType(static_cast<mfTableColumn::col_type>(type));
        return true;
    });
}

int mf_column_set_adjust(mf_column* column, int adjust) {
    return changeColumn("mf_column_set_adjust", column, [&](mfTableColumn& c) {
        c.setAdjust(static_cast<mfTableColumn::adj_type>(adjust));
        return true;
    });
}

int mf_column_set_background_color(mf_column* column, const char* color) {
    return changeColumn("mf_column_set_background_color", column, [&](mfTableColumn& c) {
        c.setBackgroundColor(text(color));
        return true;
    });
}

void mf_column_free(mf_column* column) {
    delete column;
}

mf_device* mf_device_create(const mf_client* client, const char* file_name, int kind,
                            const mf_model* model) {
    return guarded("mf_device_create", static_cast<mf_device*>(nullptr), [&]() -> mf_device* {
        if (!validKind(kind)) {
            fail("mf_device_create", "the kind is none of MF_TEXT, MF_HTML, MF_XML_SS, "
                                     "MF_XML_WP, MF_TEXT_CSV, MF_XLSX, MF_DOCX");
            return nullptr;
        }
        const mfReportClient noClient;
        const mfReportHeader noModel;
        auto handle = std::make_unique<mf_device>();
        handle->value = mfDevice::create(client != nullptr ? client->value : noClient,
                                         text(file_name), static_cast<mfDevice::ReportType>(kind),
                                         model != nullptr ? model->value : noModel);
        if (!handle->value) {
            fail("mf_device_create", "no device was made");
            return nullptr;
        }
        return handle.release();
    });
}

mf_device* mf_contents_create(mf_device* target) {
    return guarded("mf_contents_create", static_cast<mf_device*>(nullptr), [&]() -> mf_device* {
        if (!present("mf_contents_create", target)) {
            return nullptr;
        }
        auto handle = std::make_unique<mf_device>();
        handle->value = std::make_unique<mfTOCDevice>(target->value.get());
        return handle.release();
    });
}

void mf_device_free(mf_device* device) {
    guarded("mf_device_free", 0, [&] {
        delete device;
        return 0;
    });
}

int mf_device_kind(const mf_device* device) {
    return guarded("mf_device_kind", -1, [&] {
        return present("mf_device_kind", device) ? static_cast<int>(device->value->report_type())
                                                 : -1;
    });
}

namespace {

/// Runs the device operation `call` and answers as answer() does.
template <class Call>
int onDevice(const char* function, mf_device* device, Call&& call) {
    return guarded(function, 0, [&] {
        return present(function, device) ? answer(function, call(*device->value)) : 0;
    });
}

} // namespace

int mf_device_close(mf_device* device) {
    return onDevice("mf_device_close", device, [](mfDevice& d) { return d.close(); });
}

int mf_device_flush(mf_device* device) {
    return onDevice("mf_device_flush", device, [](mfDevice& d) { return d.flush(); });
}

int mf_add_heading(mf_device* device, const char* heading, int level) {
    return onDevice("mf_add_heading", device,
                    [&](mfDevice& d) { return d.addHeading(text(heading), level); });
}

int mf_add_paragraph(mf_device* device, const char* paragraph) {
    return onDevice("mf_add_paragraph", device,
                    [&](mfDevice& d) { return d.addParagraph(text(paragraph)); });
}

int mf_add_list(mf_device* device, const char* const* items, size_t count, int style) {
    return onDevice("mf_add_list", device, [&](mfDevice& d) {
        Vector<std::string> list;
        if (items != nullptr) {
            list.reserve(count);
            for (size_t i = 0; i < count; ++i) {
                list.push_back(text(items[i]));
            }
        }
        return d.addList(list, style);
    });
}

int mf_add_figure(mf_device* device, const char* image_file, const char* caption) {
    return onDevice("mf_add_figure", device,
                    [&](mfDevice& d) { return d.addFigure(text(image_file), text(caption)); });
}

int mf_add_page_break(mf_device* device) {
    return onDevice("mf_add_page_break", device, [](mfDevice& d) { return d.addPageBreak(); });
}

int mf_add_heading_to_toc(mf_device* device, const char* heading, int level) {
    return onDevice("mf_add_heading_to_toc", device,
                    [&](mfDevice& d) { return d.addHeadingToTOC(text(heading), level); });
}

int mf_begin_toc(mf_device* device) {
    return onDevice("mf_begin_toc", device, [](mfDevice& d) { return d.beginTOC(); });
}

int mf_end_toc(mf_device* device) {
    return onDevice("mf_end_toc", device, [](mfDevice& d) { return d.endTOC(); });
}

int mf_last_heading_level(const mf_device* device) {
    return guarded("mf_last_heading_level", 0, [&] {
        return present("mf_last_heading_level", device) ? device->value->last_heading_level() : 0;
    });
}

int mf_reset_heading_counter(mf_device* device) {
    return onDevice("mf_reset_heading_counter", device, [](mfDevice& d) {
        d.reset_heading_counter();
        return true;
    });
}

mf_table* mf_add_table(mf_device* device, const mf_header* header) {
    return guarded("mf_add_table", static_cast<mf_table*>(nullptr), [&]() -> mf_table* {
        if (!present("mf_add_table", device) || !presentRecord("mf_add_table", header)) {
            return nullptr;
        }
        auto handle = std::make_unique<mf_table>();
        handle->value.reset(device->value->addTable(header->value));
        if (!handle->value) {
            fail("mf_add_table", "this device writes no tables");
            return nullptr;
        }
        return handle.release();
    });
}

void mf_table_free(mf_table* table) {
    guarded("mf_table_free", 0, [&] {
        delete table;
        return 0;
    });
}

namespace {

/// Runs the table operation `call` and answers as answer() does.
template <class Call>
int onTable(const char* function, mf_table* table, Call&& call) {
    return guarded(function, 0, [&] {
        return present(function, table) ? answer(function, call(*table->value)) : 0;
    });
}

/// The link of a cell, kept in the table's room.
const std::string* linkTo(mf_table& table, const char* link) {
    if (link == nullptr) {
        return nullptr;
    }
    table.link.assign(link);
    return &table.link;
}

} // namespace

int mf_table_add_column(mf_table* table, const mf_column* column) {
    return guarded("mf_table_add_column", 0, [&] {
        if (!present("mf_table_add_column", table) ||
            !presentRecord("mf_table_add_column", column)) {
            return 0;
        }
        return table->value->addColumn(column->value);
    });
}

int mf_table_column_count(const mf_table* table) {
    return guarded("mf_table_column_count", 0, [&] {
        return present("mf_table_column_count", table)
                   ? static_cast<int>(table->value->column_size())
                   : 0;
    });
}

int mf_table_add_note(mf_table* table, const char* note) {
    return onTable("mf_table_add_note", table, [&](mfTable& t) {
        t.header().addNote(text(note));
        return true;
    });
}

int mf_table_set_description(mf_table* table, const char* description) {
    return onTable("mf_table_set_description", table, [&](mfTable& t) {
        t.header().setDescription(text(description));
        return true;
    });
}

int mf_table_set_background_color(mf_table* table, const char* color) {
    return onTable("mf_table_set_background_color", table, [&](mfTable& t) {
        t.setBackgroundColor(text(color));
        return true;
    });
}

int mf_table_set_wrapping(mf_table* table, int width, int indent) {
    return onTable("mf_table_set_wrapping", table, [&](mfTable& t) {
        t.setWrapping(width, indent);
        return true;
    });
}

int mf_table_print_abbreviations(mf_table* table) {
    return onTable("mf_table_print_abbreviations", table, [](mfTable& t) {
        t.printAbbreviations();
        return t.device() != nullptr;
    });
}

int mf_table_begin(mf_table* table) {
    return onTable("mf_table_begin", table, [](mfTable& t) { return t.begin_table(); });
}

int mf_table_begin_record(mf_table* table) {
    return onTable("mf_table_begin_record", table, [](mfTable& t) { return t.begin_record(); });
}

int mf_table_insert_int(mf_table* table, int column, int value, const char* link) {
    return onTable("mf_table_insert_int", table,
                   [&](mfTable& t) { return t.insertValue(column, value, linkTo(*table, link)); });
}

int mf_table_insert_int64(mf_table* table, int column, int64_t value, const char* link) {
    return onTable("mf_table_insert_int64", table,
                   [&](mfTable& t) { return t.insertValue(column, value, linkTo(*table, link)); });
}

int mf_table_insert_real(mf_table* table, int column, double value, const char* link) {
    return onTable("mf_table_insert_real", table,
                   [&](mfTable& t) { return t.insertValue(column, value, linkTo(*table, link)); });
}

int mf_table_insert_text(mf_table* table, int column, const char* value, const char* link) {
    return onTable("mf_table_insert_text", table, [&](mfTable& t) {
        table->cell.assign(value != nullptr ? value : "");
        return t.insertValue(column, table->cell, linkTo(*table, link));
    });
}

int mf_table_insert_text_n(mf_table* table, int column, const char* value, size_t length,
                           const char* link) {
    return onTable("mf_table_insert_text_n", table, [&](mfTable& t) {
        table->cell.assign(value != nullptr ? value : "", value != nullptr ? length : 0);
        return t.insertValue(column, table->cell, linkTo(*table, link));
    });
}

int mf_table_end_record(mf_table* table) {
    return onTable("mf_table_end_record", table, [](mfTable& t) { return t.end_record(); });
}

int mf_table_end(mf_table* table) {
    return onTable("mf_table_end", table, [](mfTable& t) { return t.end_table(); });
}
