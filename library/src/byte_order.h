// Little-endian numbers of the data files, read from unaligned bytes.
#ifndef ZAN_BYTE_ORDER_H
#define ZAN_BYTE_ORDER_H

#include <bit>
#include <cstdint>
#include <cstring>

namespace zan {

template <class T>
T load_le(const char* p)
{
    static_assert(sizeof(T) == 4 || sizeof(T) == 8);
    T value;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, p, sizeof(T));
    } else {
        char bytes[sizeof(T)];
        for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = p[sizeof(T) - 1 - i];
        std::memcpy(&value, bytes, sizeof(T));
    }
    return value;
}

}  // namespace zan

#endif
