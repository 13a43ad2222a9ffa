#pragma once
// List columns headed by translated texts that keep their shares of the
// list's width as it resizes.
#include <cstddef>

#include "text/language_table.h"
#include "ui/list_view.h"

namespace pages {

// A column's heading (a language key) and its alignment.
struct ColumnLook {
    const char* key;
    int format;
};

// Inserts the columns in order, each headed by its key's text; their widths
// come from FitColumnShares.
template <size_t N>
void InsertColumns(const ui::ListView& list, const ColumnLook (&columns)[N]) {
    for (size_t column = 0; column < N; ++column) {
        list.InsertColumn(static_cast<int>(column), text::LookupText(columns[column].key), 100, columns[column].format);
    }
}

// Gives each column its share of the list's client width; nothing while the
// list has no window yet.
template <size_t N>
void FitColumnShares(const ui::ListView& list, const double (&shares)[N]) {
    if (!list.Hwnd()) return;
    const int client = list.ClientWidth();
    for (size_t column = 0; column < N; ++column) {
        list.SetColumnWidth(static_cast<int>(column), static_cast<int>(client * shares[column]));
    }
}

}  // namespace pages
