#pragma once

#include <array>
#include <cstddef>

// Helpers for tables kept as one array of rows.

// One field of every row, indexed as the table is: a single column for callers that want one
// (a list of names), while the rows stay the one place the values are written.
template <typename TRow, std::size_t N, typename T>
constexpr std::array<T, N> TableColumn(const std::array<TRow, N>& Table, T TRow::*Field) {
    std::array<T, N> Column{};
    for (std::size_t I = 0; I < N; ++I)
        Column[I] = Table[I].*Field;
    return Column;
}

// The first row whose Key equals Value, or nullptr.
template <typename TRow, std::size_t N, typename TKey, typename TValue>
constexpr const TRow* FindCode(const std::array<TRow, N>& Table, TKey TRow::*Key, TValue Value) {
    for (const TRow& Row : Table)
        if (Row.*Key == Value)
            return &Row;
    return nullptr;
}

// Whether every row stands at the position of its enumeration value, so that the value indexes
// the table.
template <typename TRow, std::size_t N, typename TEnum>
constexpr bool RowsAtTheirValues(const std::array<TRow, N>& Table, TEnum TRow::*Value) {
    for (std::size_t I = 0; I < N; ++I)
        if (static_cast<std::size_t>(Table[I].*Value) != I)
            return false;
    return true;
}
