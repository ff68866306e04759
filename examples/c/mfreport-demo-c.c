/* Writes the report of a small steel footbridge model in every output kind,
 * through the C interface: mfreport-demo-c [OUTDIR] (default "reports").
 * Exits with 1 when a report could not be written completely. */
#define _POSIX_C_SOURCE 200809L

#include <math.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <mfreport/mfreport_c.h>

struct node {
    int id;
    double x, y, z; /* m */
    const char* support;
};

static const struct node nodes[] = {
    {1, 0.0, 0.0, 0.0, "pinned"},  {2, 6.0, 0.0, 0.0, "<none>"},  {3, 12.0, 0.0, 0.0, "roller"},
    {4, 18.0, 0.0, 0.0, "<none>"}, {5, 24.0, 0.0, 0.0, "pinned"}, {6, 6.0, 1.5, 0.0, ""},
    {7, 18.0, 1.5, 0.0, ""},
};
#define NODES (sizeof nodes / sizeof nodes[0])

struct element {
    int id, from, to;
    double n, v, m; /* kN, kN, kNm */
};

static const struct element elements[] = {
    {1, 1, 2, -125.40, 38.25, 0.0},   {2, 2, 3, -98.75, -12.5, 114.75},
    {3, 3, 4, -98.75, 12.5, 114.75},  {4, 4, 5, -125.40, -38.25, 0.0},
    {5, 2, 6, 42.125, 0.0, -1.25e-3}, {6, 4, 7, 42.125, 0.0, 1.25e-3},
};
#define ELEMENTS (sizeof elements / sizeof elements[0])

/* Tables have no writer in the contents pass; their headings still count. */
static mf_table* open_table(mf_device* device, mf_header* header, const char* description,
                            int level) {
    mf_table* table = mf_add_table(device, header);
    if (table == NULL) {
        mf_add_heading(device, description, level);
    }
    mf_header_free(header);
    return table;
}

static void add_column(mf_table* table, mf_column* column) {
    mf_table_add_column(table, column);
    mf_column_free(column);
}

static void node_table(mf_device* device) {
    mf_header* header = mf_header_create("NODES", "Node coordinates", 3);
    mf_header_add_note(header, "Coordinates in the global system; origin at the west abutment.");
    mf_table* table = open_table(device, header, "Node coordinates", 3);
    if (table == NULL) {
        return;
    }
    mf_column* x = mf_column_create("X", "Global X coordinate", MF_REAL);
    mf_column_set_units(x, "mm", 1000.0);
    mf_column_set_width(x, 10, 1, MF_FIXED);
    add_column(table, mf_column_create("Node", "Node number", MF_INTEGER));
    mf_table_add_column(table, x);
    add_column(table, mf_column_create_like("Y", "Global Y coordinate", x));
    add_column(table, mf_column_create_like("Z", "Global Z coordinate", x));
    add_column(table, mf_column_create("Support", "Support condition", MF_STRING));
    mf_column_free(x);
    mf_table_begin(table);
    for (size_t i = 0; i < NODES; ++i) {
        mf_table_begin_record(table);
        mf_table_insert_int(table, 0, nodes[i].id, NULL);
        mf_table_insert_real(table, 1, nodes[i].x, NULL);
        mf_table_insert_real(table, 2, nodes[i].y, NULL);
        mf_table_insert_real(table, 3, nodes[i].z, NULL);
        mf_table_insert_text(table, 4, nodes[i].support, NULL);
        mf_table_end_record(table);
    }
    mf_table_end(table);
    mf_table_free(table);
}

static void force_table(mf_device* device) {
    mf_header* header = mf_header_create("FORCES", "Element end forces", 3);
    mf_header_add_note(header, "Load combination ULS-1: 1.35 G + 1.5 Q.");
    mf_header_add_note(header, "Positive normal force N is tension.");
    mf_table* table = open_table(device, header, "Element end forces", 3);
    if (table == NULL) {
        return;
    }
    mf_column* force = mf_column_create("N", "Normal force", MF_REAL);
    mf_column_set_units(force, "kN", 1.0);
    mf_column_set_width(force, 10, 2, MF_FIXED);
    mf_column* moment = mf_column_create("M", "Bending moment", MF_REAL);
    mf_column_set_units(moment, "kNm", 1.0);
    mf_column_set_width(moment, 12, 3, MF_SCIENTIFIC);
    mf_column_set_background_color(moment, "FFF2CC");
    add_column(table, mf_column_create("Elem", "Element number", MF_INTEGER));
    add_column(table, mf_column_create("Node i", "Start node", MF_INTEGER));
    add_column(table, mf_column_create("Node j", "End node", MF_INTEGER));
    mf_table_add_column(table, force);
    add_column(table, mf_column_create_like("V", "Shear force", force));
    add_column(table, moment);
    mf_column_free(force);
    mf_table_set_background_color(table, "E8F0FF");
    mf_table_print_abbreviations(table);
    mf_table_begin(table);
    for (size_t i = 0; i < ELEMENTS; ++i) {
        const struct element* e = &elements[i];
        mf_table_begin_record(table);
        mf_table_insert_int(table, 0, e->id, NULL);
        mf_table_insert_int(table, 1, e->from, "NODES");
        mf_table_insert_int(table, 2, e->to, "NODES");
        mf_table_insert_real(table, 3, e->n, NULL);
        mf_table_insert_real(table, 4, e->v, NULL);
        mf_table_insert_real(table, 5, e->m, NULL);
        mf_table_end_record(table);
    }
    mf_table_end(table);
    mf_table_free(table);
}

static void envelope_table(mf_device* device) {
    mf_header* header = mf_header_create("ENVELOPE", "Displacement envelope per load case", 3);
    mf_header_add_note(header,
                       "Wide table: folded after six cells, continuation rows indented by one.");
    mf_table* table = open_table(device, header, "Displacement envelope per load case", 3);
    if (table == NULL) {
        return;
    }
    add_column(table, mf_column_create("Node", "Node number", MF_INTEGER));
    mf_column* u = mf_column_create("u1", "Displacement, load case 1", MF_REAL);
    mf_column_set_units(u, "mm", 1000.0);
    mf_column_set_width(u, 8, 2, MF_FIXED);
    mf_table_add_column(table, u);
    for (int lc = 2; lc <= 10; ++lc) {
        char name[8];
        char description[40];
        snprintf(name, sizeof name, "u%d", lc);
        snprintf(description, sizeof description, "Displacement, load case %d", lc);
        add_column(table, mf_column_create_like(name, description, u));
    }
    mf_column_free(u);
    mf_table_set_wrapping(table, 6, 1);
    mf_table_begin(table);
    for (size_t i = 0; i < NODES; ++i) {
        const struct node* node = &nodes[i];
        mf_table_begin_record(table);
        mf_table_insert_int(table, 0, node->id, NULL);
        for (int lc = 1; lc <= 10; ++lc) {
            const double sag = node->support[0] == 'p' || node->support[0] == 'r'
                                   ? 0.0
                                   : -0.0021 * lc * sin(node->x / 24.0 * 3.14159);
            mf_table_insert_real(table, lc, sag, NULL);
        }
        mf_table_end_record(table);
    }
    mf_table_end(table);
    mf_table_free(table);
}

static void write_report(mf_device* device, const char* figure) {
    static const char* const materials[] = {
        "Steel", "S355, E = 210 000 N/mm2", "Chords", "HEA 200", "Diagonals", "CHS 114.3x6.3"};
    static const char* const conclusions[] = {"All members satisfy the ultimate limit state.",
                                              "The largest deflection is below span/400."};
    mf_add_heading(device, "Model", 1);
    mf_add_paragraph(device, "The footbridge is a two-span steel truss of 24 m, modelled with "
                             "beam elements in the vertical plane.");
    mf_add_heading(device, "Materials and sections", 2);
    mf_add_list(device, materials, 6, 2);
    mf_add_figure(device, figure, "Figure 1: elevation of the footbridge model.");
    mf_add_heading(device, "Geometry", 2);
    node_table(device);
    mf_add_heading(device, "Results", 1);
    mf_add_paragraph(device, "Results of the linear static analysis, load combination ULS-1.");
    mf_add_heading(device, "Forces", 2);
    force_table(device);
    mf_add_heading(device, "Displacements", 2);
    envelope_table(device);
    mf_add_page_break(device);
    mf_add_heading(device, "Conclusion", 1);
    mf_add_list(device, conclusions, 2, 1);
}

/* 1 when the whole document reached the file. `extension` is what the
 * device appends to the file name itself. */
static int write_document(const mf_client* client, const mf_model* model, const char* file,
                          int kind, const char* figure, const char* extension) {
    mf_device* device = mf_device_create(client, file, kind, model);
    if (device == NULL) {
        fprintf(stderr, "mfreport-demo-c: %s\n", mf_last_error());
        return 0;
    }
    mf_add_paragraph(device, "Contents");
    mf_begin_toc(device);
    mf_device* contents = mf_contents_create(device);
    write_report(contents, figure);
    mf_device_free(contents);
    mf_end_toc(device);
    write_report(device, figure);
    /* Only closing tells whether every byte reached the disk. */
    const int closed = mf_device_close(device);
    mf_device_free(device);
    if (!closed) {
        fprintf(stderr, "mfreport-demo-c: writing %s%s failed\n", file, extension);
        return 0;
    }
    printf("wrote %s%s\n", file, extension);
    return 1;
}

static int copy_file(const char* from, const char* to) {
    FILE* in = fopen(from, "rb");
    FILE* out = in != NULL ? fopen(to, "wb") : NULL;
    int copied = out != NULL;
    char buffer[4096];
    size_t got;
    while (copied && (got = fread(buffer, 1, sizeof buffer, in)) > 0) {
        copied = fwrite(buffer, 1, got, out) == got;
    }
    if (in != NULL) {
        copied = !ferror(in) && copied;
        fclose(in);
    }
    if (out != NULL) {
        copied = fclose(out) == 0 && copied;
    }
    return copied;
}

int main(int argc, char** argv) {
    const char* outdir = argc > 1 ? argv[1] : "reports";
    char path[4096];
    char figure[4096];
    mkdir(outdir, 0777);
    snprintf(figure, sizeof figure, "%s/footbridge.png", outdir);
    if (!copy_file(MFREPORT_EXAMPLES_DIR "/footbridge.png", figure)) {
        fprintf(stderr, "mfreport-demo-c: cannot copy the figure to %s\n", figure);
        return 1;
    }
    mf_client* client = mf_client_create("BeamCalc", "Linear static analysis of plane frames",
                                         "2.4.1", "01-NOV-2026");
    mf_model* model = mf_model_create("Footbridge B-12", "Steel footbridge, two spans of 12 m",
                                      "footbridge-b12.mdl", "JD", "05-DEC-2026");
    int written = 1;
    snprintf(path, sizeof path, "%s/report.html", outdir);
    written &= write_document(client, model, path, MF_HTML, "footbridge.png", "");
    snprintf(path, sizeof path, "%s/report-workbook.xml", outdir);
    written &= write_document(client, model, path, MF_XML_SS, "footbridge.png", "");
    /* The document embeds the image, so it needs a path readable from here. */
    snprintf(path, sizeof path, "%s/report-document.xml", outdir);
    written &= write_document(client, model, path, MF_XML_WP, figure, "");
    /* The text devices add ".LIS" and ".csv"; they write the tables only. */
    snprintf(path, sizeof path, "%s/report", outdir);
    written &= write_document(client, model, path, MF_TEXT, "footbridge.png", ".LIS");
    written &= write_document(client, model, path, MF_TEXT_CSV, "footbridge.png", ".csv");
    mf_model_free(model);
    mf_client_free(client);
    return written ? 0 : 1;
}
