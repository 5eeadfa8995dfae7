#pragma once
// A named field of a fixed-layout record: where it starts and how many bytes
// it takes. Every record names its offsets once, in one table.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/bytes.h"

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

// The unsigned number a 1-, 2- or 4-byte field holds, read from and written
// into the record that starts at `record`. The records on the PC are
// little-endian, the radio's memory is big-endian.
enum class ByteOrder { Little, Big };

inline std::uint32_t GetFieldValue(const std::uint8_t* record, const Field& f, ByteOrder order) {
    const std::uint8_t* p = record + f.offset;
    const bool big = order == ByteOrder::Big;
    switch (f.size) {
        case 1: return p[0];
        case 2: return big ? get_u16be(p) : get_u16le(p);
        case 4: return big ? get_u32be(p) : get_u32le(p);
    }
    assert(!"number read from a field that is not a number");
    return 0;
}

inline void SetFieldValue(std::uint8_t* record, const Field& f, std::uint32_t value, ByteOrder order) {
    std::uint8_t* p = record + f.offset;
    const bool big = order == ByteOrder::Big;
    switch (f.size) {
        case 1: p[0] = static_cast<std::uint8_t>(value); return;
        case 2: {
            const auto v = static_cast<std::uint16_t>(value);
            if (big) put_u16be(p, v); else put_u16le(p, v);
            return;
        }
        case 4:
            if (big) put_u32be(p, value); else put_u32le(p, value);
            return;
    }
    assert(!"number stored into a field that is not a number");
}

}  // namespace t604
