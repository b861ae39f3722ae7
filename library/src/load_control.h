// How far the running load is, and a request to stop it: the only state of
// the library that another thread may touch while dopen runs.
#ifndef ZAN_LOAD_CONTROL_H
#define ZAN_LOAD_CONTROL_H

#include <cstdint>

namespace zan::load_control {

// A load starts: nothing done yet, no stop requested.
void begin();
// The load reads a file of `bytes` bytes, once, or twice for a text file:
// its first pass only counts lines and takes a small part of the time, so it
// fills only an eighth of the way.
void set_file(uint64_t bytes, bool two_passes);
// The counting pass of a text file is over.
void second_pass();
void add_progress(uint64_t bytes);
// The load is over; a stop requested from now on concerns no load.
void end();

// Percent of the running load's bytes read, 0 when no load runs.
int32_t percent();
// Asks the running load to stop; false when no load runs.
bool request_stop();
bool stop_requested();

}  // namespace zan::load_control

#endif
