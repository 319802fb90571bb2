// One runner for the rows of a table-driven test.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

// A row's name in failures: its own, or "row 3".
template <class Row> std::string RowName(const Row& row, std::size_t index) {
    if constexpr (requires { row.name; })
        return row.name;
    else
        return "row " + std::to_string(index);
}

// Runs check(row, index) for each row of a table, the row's name in any
// failure; a fatal failure ends its row.
template <class Row, std::size_t N, class Check>
void ForEachRow(const Row (&rows)[N], Check check) {
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(RowName(rows[i], i));
        check(rows[i], i);
    }
}
