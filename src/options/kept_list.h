#pragma once
// The list of the files and folders always kept, as the skip folders page
// shows it: one row per entry, its path and a picture of its kind (a file
// or a folder), in the order of the keep list.
#include <windows.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "ui/list_view.h"

namespace options {

class KeptList {
public:
    // Sets up the list: full-row selection, one column, the two pictures.
    void Attach(HWND list);
    const ui::ListView& View() const { return view_; }

    void Fill(const std::vector<config::KeptEntry>& entries) const;
    std::vector<config::KeptEntry> Rows() const;
    // Appends an entry and selects it; an entry already listed (the same
    // path of the same kind, in any case) is selected instead. False when
    // the entry was refused: empty, or a whole drive (keeping a drive would
    // hide every finding on it; the drive list is the place to leave it
    // out).
    bool Add(const config::KeptEntry& entry) const;
    // Removes the selected row; false when none is selected.
    bool RemoveSelected() const;

private:
    // Adds the entry as the last row; its index, or -1.
    int Append(const config::KeptEntry& entry) const;

    ui::ListView view_;
};

}  // namespace options
