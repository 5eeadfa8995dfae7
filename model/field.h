#pragma once
// A named field of a fixed-layout record: where it starts and how many bytes
// it takes. Every record names its offsets once, in one table.

#include <cstddef>
#include <string_view>

namespace t604 {

struct Field {
    std::string_view name;
    std::size_t offset;
    std::size_t size;

    constexpr std::size_t end() const { return offset + size; }
};

// True when the fields lie in ascending order without overlapping and all fit
// into a record of the given size. Used in static_asserts.
template <std::size_t N>
constexpr bool FieldsAscendAndFit(const Field (&fields)[N], std::size_t recordSize) {
    for (std::size_t i = 0; i < N; ++i) {
        if (fields[i].size == 0 || fields[i].end() > recordSize) return false;
        if (i > 0 && fields[i].offset < fields[i - 1].end()) return false;
    }
    return true;
}

}  // namespace t604
