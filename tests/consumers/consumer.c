/* A C program that takes the library as an outside project does: a heading
 * and a one-record table in the file named by its argument. */
#include <stdio.h>

#include <mfreport/mfreport_c.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: consumer FILE\n");
        return 2;
    }
    mf_client* client = mf_client_create("Consumer", "C consumer", "1.0", "07-DEC-2026");
    mf_device* d = mf_device_create(client, argv[1], MF_HTML, NULL);
    mf_client_free(client);
    if (d == NULL) {
        fprintf(stderr, "%s\n", mf_last_error());
        return 1;
    }
    mf_add_heading(d, "Results", 1);
    mf_header* header = mf_header_create("T", "Values", 2);
    mf_table* t = mf_add_table(d, header);
    mf_column* column = mf_column_create("A", "First", MF_INTEGER);
    mf_table_add_column(t, column);
    int written = mf_table_begin(t) && mf_table_begin_record(t) &&
                  mf_table_insert_int(t, 0, 42, NULL) && mf_table_end_record(t) && mf_table_end(t);
    written = mf_device_close(d) && written;
    mf_table_free(t);
    mf_column_free(column);
    mf_header_free(header);
    mf_device_free(d);
    return written ? 0 : 1;
}
