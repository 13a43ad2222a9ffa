#pragma once
// List columns that keep their shares of the list's width as it resizes.
#include <cstddef>

#include "ui/list_view.h"

namespace pages {

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
