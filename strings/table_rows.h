#pragma once
// Builds the parallel language tables of a string table set from rows that
// keep a row's three texts together, so that the source reads row by row.

#include <array>
#include <cstddef>
#include <string_view>

namespace t604::table_rows {

struct Row {
    int number;  // the row's index, written out so that a slip shows at compile time
    std::string_view english, simplified, traditional;
};

template <std::size_t N>
constexpr bool RowsAreNumbered(const std::array<Row, N>& rows) {
    for (std::size_t i = 0; i < N; ++i)
        if (rows[i].number != static_cast<int>(i)) return false;
    return true;
}

template <std::size_t N>
constexpr std::array<std::string_view, N> Column(const std::array<Row, N>& rows,
                                                 std::string_view Row::*language) {
    std::array<std::string_view, N> column{};
    for (std::size_t i = 0; i < N; ++i) column[i] = rows[i].*language;
    return column;
}

}  // namespace t604::table_rows
