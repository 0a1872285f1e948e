// A report list's columns as a table: each column's heading and width, and
// for lists whose columns align differently, each column's own alignment.
#pragma once

#include "platform/ui/UiConstants.h"

#include <cstddef>

struct ListColumn
{
    const char* heading;
    int width;
    int format = LVCFMT_LEFT; // read by InsertListColumns(list, columns) only
};

// Inserts the columns in table order, every one aligned by nFormat.
template <typename List, std::size_t N> void InsertListColumns(List& list, const ListColumn (&columns)[N], int nFormat)
{
    for (int i = 0; i < static_cast<int>(N); ++i)
        list.InsertColumn(i, columns[i].heading, nFormat, columns[i].width);
}

// Inserts the columns in table order, each aligned by its own format.
template <typename List, std::size_t N> void InsertListColumns(List& list, const ListColumn (&columns)[N])
{
    for (int i = 0; i < static_cast<int>(N); ++i)
        list.InsertColumn(i, columns[i].heading, columns[i].format, columns[i].width);
}
