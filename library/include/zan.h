// Zan data library: the operations that cross the library boundary.
//
// Every operation is a procedure without a return value; every argument,
// input or output, is passed by pointer. File, variable and sample numbers
// count from 1. Text in dopen and dsize travels as arrays of 32-bit character
// codes (low 8 bits count), blank-padded to 255 (paths) and 80 (titles and
// names); efile takes 8-bit buffers followed by a length the library ignores.
#ifndef ZAN_H
#define ZAN_H

#include <stdint.h>

#if defined(__GNUC__)
#define ZAN_EXPORT __attribute__((visibility("default")))
#else
#define ZAN_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
    ZAN_MAX_FILES = 1001,
    ZAN_MAX_VARS = 5000,
    ZAN_NAME_LEN = 80,
    ZAN_PATH_LEN = 255,
    ZAN_LINE_LEN = 65536,
    ZAN_MAX_STEP = 64,
};

// Status codes of dopen besides 0, -1 and the platform's error numbers.
enum {
    ZAN_STATUS_NO_MARKER = 100,   // record layout without the " ## " marker
    ZAN_STATUS_NO_MEMORY = 200,   // no memory even at step 64
    ZAN_STATUS_TOO_MANY_VARS = 999,
    ZAN_STATUS_NO_EXTENSION = 300,    // path without '.': no reader can be chosen
    ZAN_STATUS_BAD_FILE_NUMBER = 400, // file number outside 1..1001 or already loaded
    ZAN_STATUS_CANCELLED = 500,       // the load was stopped by dstop
    ZAN_STATUS_RELOAD = 501,          // dgrow: the file changed other than by growing
};

// Loading and releasing.
ZAN_EXPORT void dopen(int32_t* file, const int32_t* path, int32_t* names, int32_t* title,
                      int32_t* nvar, int32_t* nstored, int32_t* nrows, int32_t* step,
                      int32_t* status, int32_t* close_status);
ZAN_EXPORT void dsize(int32_t* file, const int32_t* path, int32_t* size, int32_t* spare);
ZAN_EXPORT void dclos(int32_t* result);
ZAN_EXPORT void daloc(int32_t* result);
// What the dopen of loaded file number `file` found, so that a caller can
// tell a load that lost rows from a normal one without reading the file
// again. names_line: the line of a text file that gave the names (1 for the
// first line; lines before it were passed over), 0 for a binary file.
// stored: the stored count dopen reported. refused: lines that hold fields
// but gave neither the names nor a row: those passed over before the names
// line, and those after it tested as rows and refused (wrong field count or
// not all numbers). Comment lines and lines of blanks and commas only are
// not counted, nor the lines a step above 1 passes over untested; so a file
// of comment lines, its names line and its rows reports 0. Rows that dgrow
// adds later do not change these. A file number that is not loaded,
// or whose load stored no variables, gives 0 in all three.
ZAN_EXPORT void drows(int32_t* file, int32_t* names_line, int32_t* stored, int32_t* refused);

// Following a file that keeps growing. Reads into loaded file number `file`
// the rows that the file at `path` (the path it was loaded from) gained since
// its load or since the last dgrow, with the step of the load, going on from
// the place in the file where that reading stopped (also when the load
// stopped at its capacity) and growing the sample block as needed; ranges and
// block extremes take the new samples in. Only whole rows are stored: the
// short end of a binary row or record waits for the next call. The last line
// of a text file without its line end counts as a row only while the file is
// as it was at the last look: dopen reads it, and dgrow reads it when the
// file has the size it had at the last dgrow (so a finished file shows it
// after one call that finds no change). Such a row is provisional: once the
// file grows it is taken back and its line read again as it is then.
// status 0: nstored is the stored count now and added the samples stored by
// the call, a provisional row read again included (0 when nothing was
// stored). ZAN_STATUS_RELOAD: the file did not only grow (it is shorter than
// at the last look, was replaced, or its first bytes, the bytes before the
// resume point or the bytes before its former end differ), or what was
// appended reads otherwise from the start in a new load (a broken record; a
// text line among the first 99 with more fields than the variable count), or
// the file cannot be followed (its load ended with an error, or its names
// line had no line end): the slot is left exactly as it was before the call,
// and only a new load gives the file's data. Otherwise the platform's error
// number (the file cannot be opened or read, or no memory for a larger
// block): the samples stored so far stay, and a later call goes on.
ZAN_EXPORT void dgrow(int32_t* file, const int32_t* path, int32_t* nstored, int32_t* added,
                      int32_t* status);

// Progress and stop of a load. dopen itself runs on one thread at a time like
// every other operation, but while it runs another thread may call these two,
// and only these.
// dprog: how much of the running dopen's reading is done, 0 to 100 percent
// of the file's bytes; 0 when no dopen runs. A text file is read twice: the
// first pass, which only counts its lines, fills the first eighth.
ZAN_EXPORT void dprog(int32_t* percent);
// dstop: asks the running dopen to stop; result 1 when one runs, 0 (and
// nothing happens) otherwise. The dopen then ends soon with status
// ZAN_STATUS_CANCELLED, variable count and stored count 0 and its slot left
// empty as after a failed open: nothing of the file stays in memory, and the
// next dopen and dclos work as usual. A dopen that starts later is not
// affected by an earlier request.
ZAN_EXPORT void dstop(int32_t* result);

// Numbers outside the limits never reach outside the tables; the queries below
// answer them neutrally instead:
// - a file number that is not loaded: drang and rrang give upper 1, lower 0,
//   magnitude 1; sdata gives count 0; ddata gives 0.0; idata, jdata and mdata
//   give coordinate 0 and clear inside; efile writes a file with the header
//   only.
// - a variable the file does not have: ddata 0.0; idata, jdata, mdata
//   coordinate 0 with inside cleared; rrang finds no sample in the window;
//   drang reads a number outside 1..5000 like a variable without samples
//   (raw maximum -1e10, raw minimum +1e10); efile writes nothing.
// - a sample outside 1..stored count: ddata 0.0; idata, jdata, mdata
//   coordinate 0 with inside cleared.
// - sshft and sfact ignore a file outside 1..1001 or a variable outside
//   1..5000, and gshft and gfact read such a pair as shift 0, factor 1.
// dsize gives 0 for a file it cannot find or that is no regular file.

// Ranges.
ZAN_EXPORT void drang(int32_t* file, int32_t* var, double* upper, double* lower, double* magnitude);
ZAN_EXPORT void rrang(int32_t* file, int32_t* yvar, int32_t* xvar, double* xlo, double* xhi,
                      double* upper, double* lower, double* magnitude);

// Values and device mapping. The transform that dtran and sdata set is the
// calling thread's own (see mprep). dtran with max = min on an axis (or a
// range so narrow that the scale overflows) sets that axis's scale to 0, so
// every value maps to the offset. A value that maps to a position that is not a number
// gives coordinate 0 and clears inside; clipping to +-32767 clears it too.
ZAN_EXPORT void dtran(double* xmin, double* xmax, double* ymin, double* ymax,
                      int32_t* xspan, int32_t* yspan, int32_t* xoff, int32_t* yoff);
ZAN_EXPORT void ddata(int32_t* file, int32_t* sample, int32_t* var, double* value);
ZAN_EXPORT void sdata(int32_t* file, int32_t* xvar, int32_t* yvar, int32_t* count);
ZAN_EXPORT void idata(int32_t* file, int32_t* sample, int32_t* x, int32_t* inside);
ZAN_EXPORT void jdata(int32_t* file, int32_t* sample, int32_t* y, int32_t* inside);
// Batch mapping: for k = 0..count-1, x[k] and y[k] receive what idata and
// jdata give for sample first + k, and inside[k] is cleared when either of
// those two calls would clear it (otherwise left as the caller set it). The
// three arrays hold count entries each and must not overlap; count <= 0
// writes nothing. Samples outside 1..stored count answer as in idata.
ZAN_EXPORT void mdata(int32_t* file, int32_t* first, int32_t* count, int32_t* x, int32_t* y,
                      int32_t* inside);
// Many values at once: for k = 0..count-1, values[k] receives what ddata
// gives for sample first + k of variable var (shift and factor applied; 0.0
// for a sample outside 1..stored count, and for every entry when the file is
// not loaded or has no such variable). values holds count entries; count <= 0
// writes nothing.
ZAN_EXPORT void cdata(int32_t* file, int32_t* var, int32_t* first, int32_t* count, double* values);
// Where the samples of variable var lie, to be read in place: samples
// receives the address of stored sample 1, followed by samples 2..count as
// 64-bit values one after another, and count the stored count. exact is 1
// when ddata gives every one of them bit for bit as stored (at this call: a
// later sshft or sfact does not change the stored values, only what ddata
// makes of them), else 0; it is 0 under a shift or factor that changes a
// value, and also under shift 0 and factor 1 when a stored value is -0.0,
// which ddata gives as +0.0. Finding that out reads the whole column. The
// address and the values of samples 1..count stay as they are until dclos
// or a dgrow of the file (which may move the samples and takes back a last
// row read without its line end), whichever comes first. A file that is not
// loaded or a variable it does not have gives a null address, count 0 and
// exact 0.
ZAN_EXPORT void pdata(int32_t* file, int32_t* var, const double** samples, int32_t* count, int32_t* exact);
// Mapped range of samples first..last of the current X and Y variables:
// xlo/xhi receive the least and greatest x that idata gives for them, ylo/yhi
// the same for jdata. xin (yin for Y) is 1 when idata (jdata) keeps inside
// for every one of them, -1 when every value lies beyond the same one of the
// two device limits, 0 otherwise. A file that is not loaded, a current
// variable the file does not have or a range that is empty or not within
// the stored samples gives 0 everywhere. The answer comes from extremes kept
// per block while loading, so it costs little even for millions of samples.
ZAN_EXPORT void mrang(int32_t* file, int32_t* first, int32_t* last, int32_t* xlo, int32_t* xhi,
                      int32_t* ylo, int32_t* yhi, int32_t* xin, int32_t* yin);

// The same for the samples first, first + step, first + 2 step, ... up to
// last, the samples a draw rate of step keeps (first - 1 must be a multiple
// of step; step 1 gives mrang's answer). xcont (ycont) is 1 when x (y) of
// each of them lies inside and within one device unit of the one before,
// so that together they hit every x (y) from xlo to xhi (ylo to yhi); 0 when
// that is not known; either may be null when not wanted, which spares the
// look at the differences. Summaries per block are made for the step on
// first use and kept until another step is asked for or samples are added.
ZAN_EXPORT void mrngs(int32_t* file, int32_t* first, int32_t* last, int32_t* step, int32_t* xlo,
                      int32_t* xhi, int32_t* ylo, int32_t* yhi, int32_t* xin, int32_t* yin,
                      int32_t* xcont, int32_t* ycont);

// The first of the samples first, first + step, ... up to last (first - 1 a
// multiple of step) whose x (as idata gives it) or y (as jdata gives it) is
// beyond a device limit or outside xlo..xhi or ylo..yhi; found receives its
// number, or 0 when there is none or the run cannot be asked about. runlo
// and runhi receive the least and greatest y of the samples before it (of
// all when there is none), runlo above runhi when there are none. Blocks
// whose extremes lie within on both axes are passed over whole.
ZAN_EXPORT void mexit(int32_t* file, int32_t* first, int32_t* last, int32_t* step, int32_t* xlo,
                      int32_t* xhi, int32_t* ylo, int32_t* yhi, int32_t* found, int32_t* runlo,
                      int32_t* runhi);

// Makes the summaries that mrang, mrngs and mexit read for variable var of
// file at draw rate step now rather than on their first use, with those of
// the differences between neighbours that xcont and ycont need when
// differences is not 0. The transform
// (dtran, sdata) belongs to the thread that sets it, so several threads may
// draw at once, each with its own, through sdata, idata, jdata, mdata,
// mrang, mrngs and mexit, on variables prepared this way at the step they
// use, while no other operation runs.
ZAN_EXPORT void mprep(int32_t* file, int32_t* var, int32_t* step, int32_t* differences);

// Shift and factor of a variable.
ZAN_EXPORT void sshft(int32_t* file, int32_t* var, double* shift);
ZAN_EXPORT void gshft(int32_t* file, int32_t* var, double* shift);
ZAN_EXPORT void sfact(int32_t* file, int32_t* var, double* factor);
ZAN_EXPORT void gfact(int32_t* file, int32_t* var, double* factor);

// Extraction. The output goes beside the source path: the path without the
// extension of its file name (the whole path when it has none), "_exd" for
// kind 0 or "_ext" otherwise, number with at least three digits (all digits
// above 999, a sign before three digits below 0), ".bin" for kinds 0 and 2 or
// ".csv". It is written under a temporary name in the same folder and renamed
// only when complete, so a failure leaves no partial file under the final
// name. Nothing is written for count outside 0..5000 or an unknown variable.
// Count 0 writes an output without variables: the binary header with a blank
// title and variable count 0, or the text layout's empty names line; no rows.
// path is read up to its first character 0 or 255 characters; names must hold
// count x 80 characters; vars, upper and lower count entries.
ZAN_EXPORT void efile(int32_t* file, int32_t* count, int32_t* vars, double* upper, double* lower,
                      int32_t* kind, const char* path, int32_t* pathlen, const char* names,
                      int32_t* nameslen, int32_t* number);
// Version of the library: major, minor and patch number (0.1 gives 0, 1, 0).
ZAN_EXPORT void dvers(int32_t* major, int32_t* minor, int32_t* patch);

// Axis division. Inputs that are not finite numbers, or a range wider than a
// double holds, are divided like the empty range at 0: 0 to 1 in 5 steps.
ZAN_EXPORT void dscls(double* low, double* high, double* first, double* last, double* step,
                      int32_t* ndiv);

#ifdef __cplusplus
}
#endif

#endif
