/* Prints the title of a data file and the range of each of its variables,
 * read through the installed Zan data library.
 *
 *   cc print_ranges.c $(pkg-config --cflags --libs zan) -o print_ranges
 *   ./print_ranges run.csv
 */
#include <zan.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Text crosses the library as blank-padded arrays of character codes. */
static void to_codes(const char* text, int32_t* codes, int width)
{
    int n = (int)strlen(text);
    for (int i = 0; i < width; ++i)
        codes[i] = i < n ? (unsigned char)text[i] : ' ';
}

static void print_codes(const int32_t* codes, int width)
{
    int end = width;
    while (end > 0 && (codes[end - 1] & 0xff) == ' ')
        --end;
    for (int i = 0; i < end; ++i)
        putchar(codes[i] & 0xff);
}

int main(int argc, char** argv)
{
    if (argc != 2 || strlen(argv[1]) > ZAN_PATH_LEN) {
        fprintf(stderr, "usage: print_ranges FILE\n");
        return 2;
    }
    int32_t path[ZAN_PATH_LEN], title[ZAN_NAME_LEN];
    int32_t* names = malloc(sizeof(int32_t) * ZAN_MAX_VARS * ZAN_NAME_LEN);
    if (!names)
        return 1;
    to_codes(argv[1], path, ZAN_PATH_LEN);
    to_codes("", title, ZAN_NAME_LEN);
    to_codes("", names, ZAN_MAX_VARS * ZAN_NAME_LEN);

    int32_t file = 1, nvar = 0, nstored = 0, nrows = 0, step = 1, status = 0, close_status = 0, done = 0;
    dclos(&done);
    dopen(&file, path, names, title, &nvar, &nstored, &nrows, &step, &status, &close_status);
    if ((status != 0 && status != -1) || nvar < 1) {
        fprintf(stderr, "print_ranges: %s not loaded (status %d)\n", argv[1], status);
        free(names);
        return 1;
    }
    printf("title: ");
    print_codes(title, ZAN_NAME_LEN);
    printf("\nvariables: %d\nsamples: %d\n", nvar, nstored);
    for (int32_t v = 1; v <= nvar; ++v) {
        double upper = 0, lower = 0, magnitude = 0;
        drang(&file, &v, &upper, &lower, &magnitude);
        print_codes(names + (size_t)(v - 1) * ZAN_NAME_LEN, ZAN_NAME_LEN);
        printf(" %.3f %.3f\n", lower, upper);
    }
    dclos(&done);
    free(names);
    return 0;
}
