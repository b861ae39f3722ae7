// What each file's load found besides its samples: the text line that gave
// the names, the rows stored and the lines holding fields that were neither. Kept per file
// number from dopen to the next load into that number; drows reads it.
#ifndef ZAN_LOAD_FACTS_H
#define ZAN_LOAD_FACTS_H

#include <cstdint>

namespace zan {

struct LoadFacts {
    int64_t names_line = 0;  // 1 for the first line; 0 for a binary file
    int64_t stored = 0;
    int64_t refused = 0;
};

// Records the facts of file number 1..kMaxFiles; other numbers are ignored.
void set_load_facts(int32_t file, const LoadFacts& facts);

}  // namespace zan

#endif
