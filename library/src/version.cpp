// The library's own version, so a program can tell which library it runs on.
#include "zan.h"

extern "C" {

ZAN_EXPORT void dvers(int32_t* major, int32_t* minor, int32_t* patch)
{
    *major = ZAN_VERSION_MAJOR;
    *minor = ZAN_VERSION_MINOR;
    *patch = ZAN_VERSION_PATCH;
}
}
