/* mfreport for C (C99) and every language that calls C: the class interface as
 * flat functions over opaque handles.
 *
 * - No exception crosses this interface. A function that fails returns 0 or
 *   NULL, and mf_last_error() tells why: the text of this thread's last
 *   failure ("" when none happened).
 * - Functions that write answer 1 when written and 0 when not, as the C++
 *   operations answer true and false.
 * - Strings are NUL-terminated UTF-8; a NULL string is an empty one. A cell's
 *   text may also be given as pointer and length (mf_table_insert_text_n).
 * - Every handle has its free function; freeing NULL does nothing. A table
 *   or contents pass may outlive its device: it then answers 0 to every call.
 *   Freeing a device closes its report; call mf_device_close first to learn
 *   whether the report reached the disk.
 */
#ifndef MFREPORT_C_H
#define MFREPORT_C_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Kinds of report (mfDevice::ReportType). */
enum {
    MF_TEXT = 0,     /* paged print listing, "<name>.LIS" */
    MF_HTML = 1,     /* XHTML page */
    MF_XML_SS = 2,   /* SpreadsheetML 2003 workbook */
    MF_XML_WP = 3,   /* WordprocessingML 2003 document */
    MF_TEXT_CSV = 4, /* semicolon-separated file, "<name>.csv" */
    MF_TOC = 5,      /* contents pass (mf_contents_create) */
    MF_XLSX = 6,     /* Office Open XML workbook (.xlsx) */
    MF_DOCX = 7      /* Office Open XML document (.docx) */
};

/* Column value types, alignments and number formats (mfTableColumn). */
enum { MF_INTEGER = 0, MF_REAL = 1, MF_STRING = 2 };
enum { MF_LEFT = 0, MF_CENTER = 1, MF_RIGHT = 2 };
enum { MF_FIXED = 0, MF_SCIENTIFIC = 1, MF_GENERAL = 2 };

typedef struct mf_client mf_client; /* who writes the report */
typedef struct mf_model mf_model;   /* which model it is about */
typedef struct mf_header mf_header; /* a table's name, heading, level and notes */
typedef struct mf_column mf_column; /* one column's description */
typedef struct mf_device mf_device; /* a report, or a contents pass over one */
typedef struct mf_table mf_table;   /* a table being written */

/* The failure of this thread's last call that failed; "" when none did. */
const char* mf_last_error(void);
/* The library's version, "MAJOR.MINOR.PATCH". */
const char* mf_version(void);

/* The maker's name and suite word that the listings and documents show, for
 * devices made after the call; NULL keeps that text as it is. 0, changing
 * nothing, when a text is empty (or only blanks). */
int mf_set_maker(const char* name, const char* suite);

/* Identity records. A NULL text of the client is that of the class
 * interface's default record ("<no name>", "<no descr>", "<no ver>",
 * "<no date>"). */
mf_client* mf_client_create(const char* name, const char* description, const char* version,
                            const char* version_date);
void mf_client_free(mf_client* client);
mf_model* mf_model_create(const char* name, const char* description, const char* file_name,
                          const char* sign, const char* date);
void mf_model_free(mf_model* model);

/* Table headers. */
mf_header* mf_header_create(const char* name, const char* description, int heading_level);
int mf_header_add_note(mf_header* header, const char* note);
int mf_header_set_description(mf_header* header, const char* description);
void mf_header_free(mf_header* header);

/* Columns: width 12, 4 decimals, MF_GENERAL, no unit, factor 1; numbers right
 * aligned, text left aligned. mf_column_create_like takes unit, factor,
 * type, width, decimals, format and alignment from `model`. */
mf_column* mf_column_create(const char* name, const char* description, int type);
mf_column* mf_column_create_like(const char* name, const char* description, const mf_column* model);
int mf_column_set_units(mf_column* column, const char* unit, double factor);
int mf_column_set_width(mf_column* column, int width, int decimals, int format);
int mf_column_set_type(mf_column* column, int type);
int mf_column_set_adjust(mf_column* column, int adjust);
/* Six hexadecimal digits RRGGBB; "FFFFFF" is no colour of its own. */
int mf_column_set_background_color(mf_column* column, const char* color);
void mf_column_free(mf_column* column);

/* Devices. A file that cannot be opened gives NULL, with the library's
 * "Unable to open file ..." text in mf_last_error(). */
mf_device* mf_device_create(const mf_client* client, const char* file_name, int kind,
                            const mf_model* model);
/* A contents pass: headings become contents lines on `target`; freeing it
 * resets the target's heading numbers for the real pass. */
mf_device* mf_contents_create(mf_device* target);
/* Closes (when not closed) and frees the device. */
void mf_device_free(mf_device* device);
int mf_device_kind(const mf_device* device);
/* 1 when every byte reached the file and the file stable storage. */
int mf_device_close(mf_device* device);
/* Writes what is buffered to the file. */
int mf_device_flush(mf_device* device);

int mf_add_heading(mf_device* device, const char* text, int level);
int mf_add_paragraph(mf_device* device, const char* text);
/* Style 1: one item per line; style 2: a two-column list of pairs. */
int mf_add_list(mf_device* device, const char* const* items, size_t count, int style);
int mf_add_figure(mf_device* device, const char* image_file, const char* caption);
int mf_add_page_break(mf_device* device);
int mf_add_heading_to_toc(mf_device* device, const char* text, int level);
int mf_begin_toc(mf_device* device);
int mf_end_toc(mf_device* device);
int mf_last_heading_level(const mf_device* device);
int mf_reset_heading_counter(mf_device* device);

/* Tables. NULL when the device writes no tables (a contents pass): then count
 * the table's heading with mf_add_heading, as the real pass writes one. */
mf_table* mf_add_table(mf_device* device, const mf_header* header);
void mf_table_free(mf_table* table);
/* The new number of columns, 0 on failure. */
int mf_table_add_column(mf_table* table, const mf_column* column);
int mf_table_column_count(const mf_table* table);
/* The table's own header: notes and heading may change until the first record. */
int mf_table_add_note(mf_table* table, const char* note);
int mf_table_set_description(mf_table* table, const char* description);
int mf_table_set_background_color(mf_table* table, const char* color);
int mf_table_set_wrapping(mf_table* table, int width, int indent);
int mf_table_print_abbreviations(mf_table* table);

int mf_table_begin(mf_table* table);
int mf_table_begin_record(mf_table* table);
/* One cell of the open record; `column` counts from 0. `link`, when not
 * NULL, names an anchor in the same document that the cell links to. */
int mf_table_insert_int(mf_table* table, int column, int value, const char* link);
int mf_table_insert_int64(mf_table* table, int column, int64_t value, const char* link);
int mf_table_insert_real(mf_table* table, int column, double value, const char* link);
int mf_table_insert_text(mf_table* table, int column, const char* value, const char* link);
int mf_table_insert_text_n(mf_table* table, int column, const char* value, size_t length,
                           const char* link);
int mf_table_end_record(mf_table* table);
int mf_table_end(mf_table* table);

#ifdef __cplusplus
}
#endif

#endif /* MFREPORT_C_H */
