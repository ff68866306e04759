#define _POSIX_C_SOURCE 200809L
/* The C interface from C: every family of functions, and what it answers to
 * failures and misuse. Prints "N passed, N failed" and exits 1 on a failure. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <mfreport/mfreport_c.h>

static int passed = 0;
static int failed = 0;

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (condition) {                                                                           \
            ++passed;                                                                              \
        } else {                                                                                   \
            ++failed;                                                                              \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition);                \
        }                                                                                          \
    } while (0)

static char folder[256];

static const char* in_folder(const char* name) {
    static char path[512];
    snprintf(path, sizeof path, "%s/%s", folder, name);
    return path;
}

/* The file's bytes, NUL-terminated; the caller frees them. */
static char* read_file(const char* path) {
    FILE* in = fopen(path, "rb");
    if (in == NULL) {
        return NULL;
    }
    fseek(in, 0, SEEK_END);
    const long size = ftell(in);
    fseek(in, 0, SEEK_SET);
    char* bytes = malloc((size_t)size + 1);
    const size_t got = fread(bytes, 1, (size_t)size, in);
    bytes[got] = '\0';
    fclose(in);
    return bytes;
}

static int contains(const char* path, const char* text) {
    char* bytes = read_file(path);
    const int found = bytes != NULL && strstr(bytes, text) != NULL;
    free(bytes);
    return found;
}

static int starts_with(const char* text, const char* start) {
    return strncmp(text, start, strlen(start)) == 0;
}

static mf_client* client;
static mf_model* model;

static void identity_and_devices(void) {
    CHECK(strcmp(mf_version(), "") != 0);
    mf_device* lost = mf_device_create(client, "no/such/folder/r.html", MF_HTML, model);
    CHECK(lost == NULL);
    CHECK(strcmp(mf_last_error(), "Unable to open file no/such/folder/r.html.\n"
                                  "Is file locked by another program or an illegal filename "
                                  "specified ?") == 0);
    CHECK(mf_device_create(client, in_folder("x.html"), 8, model) == NULL);
    CHECK(starts_with(mf_last_error(), "mf_device_create: the kind is none of"));
    CHECK(mf_device_create(client, in_folder("x.html"), MF_TOC, model) == NULL);

    /* NULL identity records are the default ones. */
    mf_device* page = mf_device_create(NULL, in_folder("defaults.html"), MF_HTML, NULL);
    CHECK(page != NULL);
    CHECK(mf_device_kind(page) == MF_HTML);
    CHECK(mf_device_close(page) == 1);
    mf_device_free(page);
    CHECK(contains(in_folder("defaults.html"), "&lt;no name&gt;") ||
          contains(in_folder("defaults.html"), "<no name>"));

    mf_device* text = mf_device_create(client, in_folder("kinds"), MF_TEXT_CSV, model);
    CHECK(mf_device_kind(text) == MF_TEXT); /* a text device, also for ";" fields */
    mf_device_free(text);

    /* A package: a ZIP file, complete once closed. */
    mf_device* book = mf_device_create(client, in_folder("kinds.xlsx"), MF_XLSX, model);
    CHECK(book != NULL);
    CHECK(mf_device_kind(book) == MF_XLSX);
    CHECK(mf_device_close(book) == 1);
    mf_device_free(book);
    CHECK(contains(in_folder("kinds.xlsx"), "PK"));
    mf_device* document = mf_device_create(client, in_folder("kinds.docx"), MF_DOCX, model);
    CHECK(mf_device_kind(document) == MF_DOCX);
    CHECK(mf_add_heading(document, "Results", 1) == 1);
    CHECK(mf_device_close(document) == 1);
    mf_device_free(document);
    CHECK(contains(in_folder("kinds.docx"), "PK"));
}

static void content_and_contents(void) {
    const char* path = in_folder("content.html");
    mf_device* d = mf_device_create(client, path, MF_HTML, model);
    const char* pairs[] = {"Steel", "S355", "Chords", "HEA 200"};
    CHECK(mf_add_paragraph(d, "Contents") == 1);
    CHECK(mf_begin_toc(d) == 0); /* the page has no contents field */
    mf_device* contents = mf_contents_create(d);
    CHECK(mf_device_kind(contents) == MF_TOC);
    CHECK(mf_add_heading(contents, "Results", 1) == 1);
    CHECK(mf_add_paragraph(contents, "dropped") == 0);
    mf_header* header = mf_header_create("T", "Table", 2);
    CHECK(mf_add_table(contents, header) == NULL); /* no tables in the contents pass */
    CHECK(starts_with(mf_last_error(), "mf_add_table: "));
    mf_device_free(contents); /* resets the heading numbers */
    CHECK(mf_last_heading_level(d) == 0);
    CHECK(mf_add_heading(d, "Results", 1) == 1);
    CHECK(mf_last_heading_level(d) == 1);
    CHECK(mf_add_list(d, pairs, 4, 2) == 1);
    CHECK(mf_add_list(d, NULL, 0, 1) == 1);
    CHECK(mf_add_figure(d, "figure.png", "Figure 1") == 1);
    CHECK(mf_add_page_break(d) == 0); /* pages have no page breaks */
    CHECK(mf_reset_heading_counter(d) == 1);
    CHECK(mf_device_flush(d) == 1);
    CHECK(mf_device_close(d) == 1);
    CHECK(mf_add_paragraph(d, "late") == 0);
    CHECK(starts_with(mf_last_error(), "mf_add_paragraph: not written"));
    CHECK(mf_device_close(d) == 1); /* the same answer again */
    mf_device_free(d);
    mf_header_free(header);
    CHECK(contains(path, "<a href=\"#1  Results\">1  Results</a>"));
    CHECK(contains(path, "<h1>1  Results</h1>"));
    CHECK(!contains(path, "dropped"));
}

static void tables(void) {
    const char* path = in_folder("tables.xml");
    mf_device* d = mf_device_create(client, path, MF_XML_SS, model);
    CHECK(mf_add_heading(d, "Results", 1) == 0); /* a workbook has no headings */
    mf_header* header = mf_header_create("FORCES", "Element end forces", 2);
    CHECK(mf_header_add_note(header, "Positive N is tension.") == 1);
    CHECK(mf_header_set_description(header, "End forces") == 1);
    mf_table* t = mf_add_table(d, header);
    mf_header_free(header); /* the table has its own copy */
    CHECK(t != NULL);
    mf_column* n = mf_column_create("N", "Normal force", MF_REAL);
    CHECK(mf_column_set_units(n, "kN", 0.001) == 1);
    CHECK(mf_column_set_width(n, 10, 2, MF_FIXED) == 1);
    CHECK(mf_column_set_width(n, 10, 2, 9) == 0);
    CHECK(mf_column_set_adjust(n, MF_CENTER) == 1);
    CHECK(mf_column_set_background_color(n, "FFF2CC") == 1);
    mf_column* v = mf_column_create_like("V", "Shear force", n);
    CHECK(mf_column_set_type(v, MF_STRING) == 1);
    CHECK(mf_column_set_type(v, 3) == 0);
    CHECK(mf_column_create("X", "bad type", -1) == NULL);
    mf_column* id = mf_column_create("Elem", "Element number", MF_INTEGER);
    CHECK(mf_table_add_column(t, id) == 1);
    CHECK(mf_table_add_column(t, n) == 2);
    CHECK(mf_table_add_column(t, v) == 3);
    CHECK(mf_table_add_column(t, NULL) == 0);
    mf_column_free(id);
    mf_column_free(n);
    mf_column_free(v);
    CHECK(mf_table_column_count(t) == 3);
    CHECK(mf_table_add_note(t, "Late note.") == 1);
    CHECK(mf_table_set_description(t, "Element end forces") == 1);
    CHECK(mf_table_set_background_color(t, "E8F0FF") == 1);
    CHECK(mf_table_set_wrapping(t, 99, 0) == 1);
    CHECK(mf_table_print_abbreviations(t) == 1); /* through the device: nothing here */
    CHECK(mf_table_begin(t) == 1);
    CHECK(mf_table_begin_record(t) == 1);
    CHECK(mf_table_insert_int(t, 0, 1, NULL) == 1);
    CHECK(mf_table_insert_real(t, 1, -12500.0, NULL) == 1);
    CHECK(mf_table_insert_text_n(t, 2, "pier A\0B", 8, NULL) == 1);
    CHECK(mf_table_insert_int(t, 3, 7, NULL) == 0); /* no column 3 */
    CHECK(mf_table_end_record(t) == 1);
    CHECK(mf_table_begin_record(t) == 1);
    CHECK(mf_table_insert_int64(t, 0, 12345678901LL, NULL) == 1);
    CHECK(mf_table_insert_text(t, 2, "linked", "FORCES") == 1);
    CHECK(mf_table_end_record(t) == 1);
    CHECK(mf_table_end(t) == 1);
    CHECK(mf_device_close(d) == 1);
    mf_table_free(t);
    mf_device_free(d);
    /* Numbers in scientific notation with 16 decimals. */
    CHECK(contains(path, "<Data ss:Type=\"Number\">-1.2500000000000000E+01</Data>"));
    CHECK(contains(path, "<Data ss:Type=\"Number\">1.2345678901000000E+10</Data>"));
    CHECK(contains(path, "pier A"));
}

static void failures_and_misuse(void) {
    /* NULL handles answer 0 and say so. */
    CHECK(mf_add_heading(NULL, "x", 1) == 0);
    CHECK(strcmp(mf_last_error(), "mf_add_heading: no such handle (NULL)") == 0);
    CHECK(mf_table_begin(NULL) == 0);
    CHECK(mf_header_add_note(NULL, "x") == 0);
    CHECK(mf_column_set_units(NULL, "m", 1.0) == 0);
    CHECK(mf_contents_create(NULL) == NULL);
    CHECK(mf_device_kind(NULL) == -1);
    mf_device_free(NULL);
    mf_table_free(NULL);
    mf_client_free(NULL);
    mf_model_free(NULL);
    mf_header_free(NULL);
    mf_column_free(NULL);

    /* A full disk shows at close at the latest. */
    mf_device* full = mf_device_create(client, "/dev/full", MF_XML_WP, model);
    CHECK(full != NULL);
    mf_add_paragraph(full, "lost");
    CHECK(mf_device_close(full) == 0);
    mf_device_free(full);

    /* A table whose device was freed first answers 0 and touches nothing. */
    mf_device* d = mf_device_create(client, in_folder("freed.html"), MF_HTML, model);
    mf_header* header = mf_header_create("T", "Table", 1);
    mf_table* t = mf_add_table(d, header);
    mf_column* a = mf_column_create("A", "First", MF_INTEGER);
    mf_table_add_column(t, a);
    CHECK(mf_table_begin(t) == 1);
    CHECK(mf_table_begin_record(t) == 1);
    mf_device_free(d);
    CHECK(mf_table_insert_int(t, 0, 1, NULL) == 0);
    CHECK(mf_table_end_record(t) == 0);
    CHECK(mf_table_end(t) == 0);
    CHECK(mf_table_print_abbreviations(t) == 0);
    mf_table_free(t);
    mf_column_free(a);
    mf_header_free(header);

    /* A contents pass that outlives its device writes nothing. */
    d = mf_device_create(client, in_folder("freed.html"), MF_HTML, model);
    mf_device* contents = mf_contents_create(d);
    mf_device_free(d);
    CHECK(mf_add_heading(contents, "Late", 1) == 0);
    mf_device_free(contents);

    /* Two devices on one file. */
    d = mf_device_create(client, in_folder("one.html"), MF_HTML, model);
    CHECK(mf_device_create(client, in_folder("one.html"), MF_XML_SS, model) == NULL);
    CHECK(starts_with(mf_last_error(), "Unable to open file "));
    mf_device_free(d);
}

static void maker(void) {
    CHECK(mf_set_maker("", "ACME") == 0);
    CHECK(mf_set_maker("ACME Engineering", "ACME") == 1);
    mf_device* d = mf_device_create(client, in_folder("maker"), MF_TEXT, model);
    mf_header* header = mf_header_create("T", "Table", 1);
    mf_table* t = mf_add_table(d, header);
    mf_column* a = mf_column_create("A", "First", MF_INTEGER);
    mf_table_add_column(t, a);
    mf_table_begin(t);
    mf_table_begin_record(t);
    mf_table_insert_int(t, 0, 1, NULL);
    mf_table_end_record(t);
    mf_table_end(t);
    CHECK(mf_device_close(d) == 1);
    mf_table_free(t);
    mf_device_free(d);
    CHECK(contains(in_folder("maker.LIS"), "PROGRAM: ACME     BeamCalc"));
    CHECK(mf_set_maker(NULL, "KALDU") == 1);
    CHECK(mf_set_maker("ZEB Software", NULL) == 1);
    mf_column_free(a);
    mf_header_free(header);
}

int main(void) {
    const char* tmp = getenv("TMPDIR");
    snprintf(folder, sizeof folder, "%s/mfreport-c-XXXXXX", tmp != NULL ? tmp : "/tmp");
    if (mkdtemp(folder) == NULL) {
        fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    setenv("SOURCE_DATE_EPOCH", "1796585527", 1);
    client = mf_client_create("BeamCalc", "Plane frames", "2.4.1", "01-NOV-2026");
    model = mf_model_create("Footbridge", "Two spans", "bridge.mdl", "JD", "05-DEC-2026");
    identity_and_devices();
    content_and_contents();
    tables();
    failures_and_misuse();
    maker();
    mf_model_free(model);
    mf_client_free(client);
    char command[600];
    snprintf(command, sizeof command, "rm -rf '%s'", folder);
    if (system(command) != 0) {
        fprintf(stderr, "could not remove %s\n", folder);
    }
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
